#!/usr/bin/env python3
"""Runs the downloader's test program under Wine against loopback servers.

  run_with_servers.py WINE_RUN NET_TESTS_EXE

Starts nginx (ordinary answers, redirects, list pages), the scripted server
(misbehaving answers, exact request bytes), a self-signed TLS listener and a
refused port; hands their addresses to the program in the environment; runs
the program twice (once for the tests that need a process in which nothing
has been downloaded yet, once for the rest); stops every server it started.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile

from harness import servers
from harness.loopback_site import prepare_site

REDIRECTS = """
    location = /moved { return 302 /page.bin; }
    location = /moved-twice { return 301 /moved; }
"""


def main():
    # A timeout's SIGTERM still stops the servers through the finally below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    wine_run, program = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="listing-net-")
    started = []
    try:
        www, static, rows = prepare_site(work)
        nginx = servers.Nginx(os.path.join(work, "nginx"), www, REDIRECTS)
        os.makedirs(nginx.workdir)
        started.append(nginx.start())
        scripted = servers.ScriptedServer(os.path.join(work, "requests.log"), static)
        started.append(scripted.start())
        tls = servers.TlsServer(work, os.path.join(work, "tls.log"))
        started.append(tls.start())
        refused = servers.RefusedPort()
        started.append(refused)

        env = dict(os.environ,
                   LISTING_TEST_NGINX=nginx.base(),
                   LISTING_TEST_SCRIPTED=scripted.base(),
                   LISTING_TEST_TLS_PORT=str(tls.port),
                   LISTING_TEST_REFUSED_PORT=str(refused.port),
                   LISTING_TEST_REQUEST_LOG=scripted.recorder.path,
                   LISTING_TEST_TLS_LOG=tls.log_path,
                   LISTING_TEST_ROWS_DIR=rows)
        failed = False
        for gtest_filter in ("FreshProcess.*", "-FreshProcess.*"):
            run = subprocess.run([wine_run, program, "--gtest_filter=" + gtest_filter] + sys.argv[3:], env=env)
            failed |= run.returncode != 0
        return 1 if failed else 0
    finally:
        for server in reversed(started):
            server.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
