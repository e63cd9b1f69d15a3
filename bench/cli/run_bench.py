#!/usr/bin/env python3
"""film-listings-cli's speed and memory (not a test; never run by ctest).

    bench/cli/run.sh [--pages 100] [--delay-ms 50] [--repeats 3]

Speed: PAGES demo pages of category 0 from the demo site answering each
request after DELAY ms, timed as the median of the repeats, the runs of one
repeat taken in turn:
- curl fetching the same pages one after another (one process, HTTP/1.0);
- film-listings-cli --jobs 1 and --jobs 8;
- the window program's search (SearchRun with its WinINet downloader, no
  window: tests/e2e search-timing.exe) under Wine, timed inside the process.
Memory: the peak resident size of film-listings-cli over 10 and over 1,000
pages, sequential and with --jobs 8, from a demo site without delay.
Every site it starts is stopped at the end.
"""

import argparse
import os
import statistics
import subprocess
import time

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
from harness.demo_site import DemoSiteProcess

CLI = os.path.join(ROOT, "build", "cli", "film-listings-cli")
WINDOW_SEARCH = os.path.join(ROOT, "build", "windows", "bench", "e2e", "search-timing.exe")
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run.sh")
AGENT = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"

# Every client here goes to loopback directly.
ENV = {k: v for k, v in os.environ.items() if not k.lower().endswith("_proxy")}


def seconds(command):
    start = time.monotonic()
    run = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=ENV)
    elapsed = time.monotonic() - start
    if run.returncode != 0:
        raise RuntimeError("%s: exit %d %s" % (command[0], run.returncode, run.stderr.decode()[-300:]))
    return elapsed


def peak_kib(command):
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=ENV)
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        raise RuntimeError("%s: exit %d" % (" ".join(command), process.returncode))
    return usage.ru_maxrss


def window_search_ms(site, pages):
    run = subprocess.run([WINE_RUN, WINDOW_SEARCH, str(pages), "1", site], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, env=dict(ENV, LC_ALL="C"), timeout=900)
    words = run.stdout.decode().split()
    if run.returncode != 0 or "run-ms" not in words:
        raise RuntimeError("window search: exit %d %r" % (run.returncode, run.stdout))
    return float(words[words.index("run-ms") + 1]) / 1000.0, int(words[words.index("rows") + 1])


def speed(args):
    site = DemoSiteProcess("127.0.0.1", 0, ["--delay-ms", str(args.delay_ms)])
    try:
        base = site.base
        last = "/html/gndy/dyzz/list_23_[1-%d].html" % args.pages
        runs = {
            "curl, one page after another": ["curl", "-s", "-0", "-A", AGENT, "--noproxy", "*", base + last],
            "film-listings-cli --jobs 1": [CLI, "--site", base, "--pages", str(args.pages), "--quiet"],
            "film-listings-cli --jobs 8": [CLI, "--site", base, "--pages", str(args.pages), "--jobs", "8", "--quiet"],
        }
        times = {name: [] for name in runs}
        window = []
        for _ in range(args.repeats):
            for name, command in runs.items():
                times[name].append(seconds(command))
            if os.path.exists(WINDOW_SEARCH):
                window.append(window_search_ms(base, args.pages))
    finally:
        site.stop()

    median = {name: statistics.median(values) for name, values in times.items()}
    curl, one, eight = (median[name] for name in runs)
    print("speed: %d demo pages, each answer after %d ms, median of %d" % (args.pages, args.delay_ms, args.repeats))
    for name, values in times.items():
        print("  %-32s %7.3f s   (%s)" % (name, median[name], " ".join("%.3f" % v for v in values)))
    if window:
        print("  %-32s %7.3f s   (%s; %d rows, under Wine, timed inside)" % (
            "window program's search", statistics.median(w for w, _ in window),
            " ".join("%.3f" % w for w, _ in window), window[0][1]))
    print("  --jobs 1 / curl: %.3f   --jobs 1 / --jobs 8: %.2f" % (one / curl, one / eight))


def memory():
    site = DemoSiteProcess("127.0.0.1", 0, ["--pages", "1000"])
    try:
        print("memory: peak resident size of film-listings-cli")
        for jobs in ("1", "8"):
            peaks = {}
            for pages in (10, 1000):
                peaks[pages] = peak_kib([CLI, "--site", site.base, "--pages", str(pages), "--jobs", jobs, "--quiet"])
            print("  --jobs %s: 10 pages %d KiB, 1000 pages %d KiB, ratio %.3f"
                  % (jobs, peaks[10], peaks[1000], peaks[1000] / peaks[10]))
    finally:
        site.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pages", type=int, default=100)
    parser.add_argument("--delay-ms", type=int, default=50)
    parser.add_argument("--repeats", type=int, default=3)
    args = parser.parse_args()
    speed(args)
    memory()


if __name__ == "__main__":
    main()
