#!/usr/bin/env python3
"""Downloader benchmarks against loopback servers (see run.sh).

1. 200 sequential DownloadPage calls for a 100 KB list page from nginx, and
   200 sequential fetches of the same page by one curl process, each on a new
   connection (HTTP/1.0, which nginx closes after every answer), in the same
   run; and the same 200 GETs over bare Winsock under Wine, the floor that
   Wine's socket layer sets. nginx's log ($connection) shows how many connections each side opened.
2. Peak working set and peak commit while a 50 MB body comes in, once with a
   Content-Length (nginx) and once without one (the scripted server).
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
from harness import servers
from harness.loopback_site import make_readable, write
from harness.pages import make_list_page
from harness.processes import Started

FETCHES = 200
BIG = 50 * 1024 * 1024


def connections(access_log, prefix):
    ids = set()
    with open(access_log) as f:
        for line in f:
            fields = line.split()
            if len(fields) > 2 and fields[2].startswith(prefix):
                ids.add(fields[0])
    return len(ids)


def main():
    # A timeout's SIGTERM still stops the servers, on the way out of the with block.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    bench_dir = sys.argv[1]
    wine_run = os.path.join(root, "scripts", "wine-run.sh")
    work = tempfile.mkdtemp(prefix="listing-net-bench-")
    with Started() as started:
        started.callback(shutil.rmtree, work, ignore_errors=True)
        www = os.path.join(work, "www")
        page, _ = make_list_page(0, 1, target_size=100 * 1024)
        for side in ("wininet", "curl", "floor"):
            write(os.path.join(www, side, "page.html"), page)
        write(os.path.join(www, "warm.html"), b"warm")
        write(os.path.join(www, "big.bin"), os.urandom(BIG))
        make_readable(www)
        os.makedirs(os.path.join(work, "nginx"))
        nginx = servers.Nginx(os.path.join(work, "nginx"), www)
        started.add(nginx.start())
        scripted = servers.ScriptedServer(os.path.join(work, "requests.log"), www)
        started.add(scripted.start())
        base = nginx.base()

        # curl: one process, one URL per fetch, every fetch on a new connection.
        config = os.path.join(work, "curl.cfg")
        with open(config, "w") as f:
            for _ in range(FETCHES):
                f.write('url = "%s/curl/page.html"\noutput = "/dev/null"\n' % base)
        start = time.perf_counter()
        subprocess.run(["curl", "-s", "--http1.0", "-K", config], check=True)
        curl_seconds = time.perf_counter() - start

        run = subprocess.run([wine_run, os.path.join(bench_dir, "net_download_bench.exe"),
                              base + "/wininet/page.html", str(FETCHES), str(len(page))],
                             check=True, capture_output=True, text=True)
        print(run.stdout.strip())
        wininet_seconds = float(run.stdout.split("seconds")[1].split()[0])

        run = subprocess.run([wine_run, os.path.join(bench_dir, "net_socket_floor_bench.exe"),
                              str(nginx.port), "/floor/page.html", str(FETCHES)],
                             check=True, capture_output=True, text=True)
        floor_seconds = float(run.stdout.split("seconds")[1].split()[0])

        log = os.path.join(nginx.workdir, "access.log")
        print("page %d bytes; %d fetches each" % (len(page), FETCHES))
        print("curl     %.3f s (process start included), %d connections" % (curl_seconds, connections(log, "/curl/")))
        print("WinINet  %.3f s (Wine start-up not included), %d connections"
              % (wininet_seconds, connections(log, "/wininet/")))
        print("Winsock  %.3f s (bare sockets under Wine, no WinINet), %d connections"
              % (floor_seconds, connections(log, "/floor/")))
        print("ratio WinINet/curl %.2f, bare Winsock/curl %.2f, WinINet/bare Winsock %.2f"
              % (wininet_seconds / curl_seconds, floor_seconds / curl_seconds, wininet_seconds / floor_seconds))

        memory = os.path.join(bench_dir, "net_memory_bench.exe")
        for what, url in (("with Content-Length (nginx)", base + "/big.bin"),
                          ("without Content-Length (scripted)", scripted.base() + "/nolength?size=%d" % BIG)):
            run = subprocess.run([wine_run, memory, base + "/warm.html", url],
                                 check=True, capture_output=True, text=True)
            print("50 MB body %s: %s" % (what, run.stdout.strip()))
        return 0


if __name__ == "__main__":
    sys.exit(main())
