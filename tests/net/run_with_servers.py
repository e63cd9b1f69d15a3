#!/usr/bin/env python3
"""Runs the downloader's test program under Wine against loopback servers.

  run_with_servers.py WINE_RUN NET_TESTS_EXE

Starts nginx (ordinary answers, redirects, list pages), the scripted server
(misbehaving answers, exact request bytes, and a proxy's answer), a
self-signed TLS listener, a TLS server signed by a test certificate authority
and a refused port; hands their addresses to the program in the environment;
runs the program once for the tests that need a process in which nothing has
been downloaded yet, once for each suite that changes the system's settings
(proxy, trusted roots), and once for the rest; stops every server it started.

The suites that change settings run in a Wine prefix of their own beside the
program (wineprefix-settings), so the shared prefix and the host's own trust
store never see their proxy or their certificate authority.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile

from harness import servers
from harness.loopback_site import prepare_site
from harness.processes import Started

REDIRECTS = """
    location = /moved { return 302 /page.bin; }
    location = /moved-twice { return 301 /moved; }
"""


def main():
    # A timeout's SIGTERM still stops the servers, on the way out of the with block.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    wine_run, program = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="listing-net-")
    with Started() as started:
        started.callback(shutil.rmtree, work, ignore_errors=True)
        www, static, rows = prepare_site(work)
        nginx = servers.Nginx(os.path.join(work, "nginx"), www, REDIRECTS)
        os.makedirs(nginx.workdir)
        started.add(nginx.start())
        scripted = servers.ScriptedServer(os.path.join(work, "requests.log"), static)
        started.add(scripted.start())
        tls = servers.TlsServer(work, os.path.join(work, "tls.log"))
        started.add(tls.start())
        trusted = servers.TrustedTlsServer(work, os.path.join(work, "trusted-tls.log"))
        started.add(trusted.start())
        refused = servers.RefusedPort()
        started.add(refused)

        env = dict(os.environ,
                   LISTING_TEST_NGINX=nginx.base(),
                   LISTING_TEST_SCRIPTED=scripted.base(),
                   LISTING_TEST_TLS_PORT=str(tls.port),
                   LISTING_TEST_REFUSED_PORT=str(refused.port),
                   LISTING_TEST_REQUEST_LOG=scripted.recorder.path,
                   LISTING_TEST_TLS_LOG=tls.log_path,
                   LISTING_TEST_TRUSTED_TLS_PORT=str(trusted.port),
                   LISTING_TEST_TRUSTED_TLS_LOG=trusted.recorder.path,
                   LISTING_TEST_TEST_AUTHORITY=trusted.authority_pem,
                   LISTING_TEST_ROWS_DIR=rows)
        settings_env = dict(env, WINEPREFIX=os.path.join(os.path.dirname(os.path.abspath(program)),
                                                         "wineprefix-settings"))
        own_process = ("FreshProcess.*", "SystemProxy.*", "TrustedRoot.*")
        runs = [("FreshProcess.*", env), ("SystemProxy.*", settings_env), ("TrustedRoot.*", settings_env),
                ("-" + ":".join(own_process), env)]
        failed = False
        for gtest_filter, run_env in runs:
            run = subprocess.run([wine_run, program, "--gtest_filter=" + gtest_filter] + sys.argv[3:], env=run_env)
            failed |= run.returncode != 0
        return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
