#!/usr/bin/env python3
"""Timings of the demo program under Wine (not a test; never run by ctest).

    cmake --preset windows
    cmake --build --preset windows --target film-listings-demo window-inspector search-timing
    python3 tests/e2e/bench_demo.py [--pages 100] [--repeats 3]

Prints, each as the median of the repeats:
- start-up: from CreateProcess to the program waiting for input, and to its
  window being shown (window-inspector launch);
- a search of PAGES pages of category 0 without the window (search-timing.exe:
  the same downloads and extraction, rows thrown away);
- the same search in the program, from the button going grey to it coming
  back (window-inspector time-run), and so the window's share of it;
- the program's working set and page-file bytes after the search.
Starts the demo site on its demo address, a private Xvfb and the demo prefix's
wineserver, and stops them at the end.
"""

import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import window_driver as wd  # noqa: E402

BUILD = os.path.join(wd.ROOT, "build", "windows")


def values(text, key):
    return [float(line.split()[1]) for line in text.splitlines() if line.startswith(key + " ")]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pages", default="100")
    parser.add_argument("--repeats", type=int, default=3)
    args = parser.parse_args()
    program = os.path.join(BUILD, "ui", "film-listings-demo.exe")
    inspector = os.path.join(BUILD, "tests", "e2e", "window-inspector.exe")
    timing = os.path.join(BUILD, "tests", "e2e", "search-timing.exe")
    work = os.path.join(BUILD, "demo-bench")
    os.makedirs(work, exist_ok=True)

    xvfb = site = wine = tool = None
    try:
        xvfb = wd.Xvfb()
        site = wd.DemoSite(wd.demo_site.DEFAULT_ADDRESS, wd.demo_site.DEFAULT_PORT)
        wine = wd.WineSession(os.path.join(BUILD, "demo-wineprefix"), xvfb.display)
        window = wd.Window(wine, inspector)
        pointer = wd.Pointer(xvfb.display)

        idle, shown = [], []
        for _ in range(args.repeats):
            code, out, err = wine.run([inspector, "launch", program])
            if code != 0:
                raise wd.DriveError("launch: %s" % err.decode(errors="replace"))
            idle += values(out.decode(), "input-idle-ms")
            shown += values(out.decode(), "window-shown-ms")
            wd.wait_until("the window", window.dump, 60)
            window.close()
            wd.wait_until("the window to close", lambda: window.dump() is None, 60)

        code, out, _ = wine.run([timing, args.pages, str(args.repeats)], timeout=600)
        core = values(out.decode(), "run-ms")
        rows = out.decode().split()[-1]

        tool = wine.start(program, os.path.join(work, "program.log"))
        state = wd.prepare_search(window, pointer, 0, args.pages)
        runs = []
        for _ in range(args.repeats):
            out_path = os.path.join(work, "time-run.txt")
            watcher = wine.start_with_output([inspector, "time-run"], out_path)
            wd.wait_until("the run watcher", lambda: "armed" in open(out_path).read(), 60, interval=0.1)
            pointer.click(state["button"]["center"])
            watcher.wait(600)
            runs += values(open(out_path).read(), "run-ms")
            wd.wait_for_closing(window, 600)
        code, out, _ = wine.run([inspector, "memory"])
        memory = {line.split()[0]: int(line.split()[1]) for line in out.decode().splitlines()}
        window.close()
        wd.wait_until("the program to end", lambda: tool.poll() is not None, 60)
    finally:
        wd.stop_process(tool, "program")
        if wine:
            wine.stop()
        if site:
            site.stop()
        if xvfb:
            xvfb.stop()

    median = statistics.median
    print("start-up to waiting for input: %.0f ms; to window shown: %.0f ms (median of %d: %s)"
          % (median(idle), median(shown), len(shown), ", ".join("%.0f" % v for v in shown)))
    print("search of %s pages without the window: %.0f ms (%s rows; runs: %s)"
          % (args.pages, median(core), rows, ", ".join("%.0f" % v for v in core)))
    print("search of %s pages in the program: %.0f ms (runs: %s)"
          % (args.pages, median(runs), ", ".join("%.0f" % v for v in runs)))
    window_share = max(0.0, 1 - median(core) / median(runs))
    print("share of the search spent in the window: %.0f%%; downloading and extracting: %.0f%%"
          % (100 * window_share, 100 * (1 - window_share)))
    print("after %d searches: working set %d KB, peak %d KB, pagefile %d KB"
          % (args.repeats, memory["working-set-kb"], memory["peak-working-set-kb"], memory["pagefile-kb"]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
