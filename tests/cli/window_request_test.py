#!/usr/bin/env python3
"""The window program still sends the request that film-listings-cli copies.

  window_request_test.py WINE_RUN WINDOW_REQUEST_PROBE_EXE

Runs the window program's downloader under Wine against the scripted server
(harness.servers), for a list page and through a redirect, and compares
the recorded requests with window-request.txt, which cli_test.py holds the
command-line program to.

Wine's WinINet follows a redirect with "HTTP/1.1" in the request line and the
same three headers in another order (Wine 8); that request is checked for its
path and its headers only. film-listings-cli sends its first request again.
"""

import os
import shutil
import subprocess
import sys
import tempfile

from harness import servers
from window_request import window_request  # beside this file

HERE = os.path.dirname(os.path.abspath(__file__))

LIST_PAGE = "/html/gndy/dyzz/list_23_1.html"
REDIRECTED = "/html/gndy/oumei/list_7_2.html"


def same_headers(request, expected):
    """Same path and the same header lines, whatever the version and order."""
    line, *headers = request.split(b"\r\n")
    wanted_line, *wanted_headers = expected.split(b"\r\n")
    return line.split(b" ")[:2] == wanted_line.split(b" ")[:2] and sorted(headers) == sorted(wanted_headers)


def main():
    wine_run, probe = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="listing-window-request-")
    server = servers.ScriptedServer(os.path.join(work, "requests.log"), work).start()
    try:
        server.routes = {LIST_PAGE: "/echo", REDIRECTED: "/redirect" + LIST_PAGE}
        site = server.base()
        wrong = 0
        for path, expected in ((LIST_PAGE, [LIST_PAGE]), (REDIRECTED, [REDIRECTED, LIST_PAGE])):
            start = os.path.getsize(server.recorder.path)
            run = subprocess.run([wine_run, probe, site + path], stdout=subprocess.PIPE, timeout=300)
            records = servers.read_records(server.recorder.path, start)
            requests = [raw for kind, raw in records if kind == b"R"]
            wanted = [window_request(p, site) for p in expected]
            ok = (run.returncode == 0 and b"bytes 4" in run.stdout and len(requests) == len(wanted)
                  and requests[0] == wanted[0] and all(map(same_headers, requests[1:], wanted[1:])))
            ok = ok and sum(1 for kind, _ in records if kind == b"C") == len(expected)
            print("%s %s" % ("ok  " if ok else "FAIL", path))
            if not ok:
                wrong += 1
                print("  probe: exit %d, %r" % (run.returncode, run.stdout))
                print("  recorded: %r" % requests)
                print("  expected: %r" % wanted)
        return 1 if wrong else 0
    finally:
        server.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
