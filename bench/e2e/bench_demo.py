#!/usr/bin/env python3
"""Timings of the demo program under Wine (not a test; never run by ctest).

    cmake --preset windows
    cmake --build --preset windows --target film-listings-demo window-inspector search-timing
    PYTHONPATH=tools python3 bench/e2e/bench_demo.py [--pages 100] [--repeats 3]

Prints, each as the median of the repeats:
- start-up: from CreateProcess to the program waiting for input, and to its
  window being shown (window-inspector launch);
- a search of PAGES pages of category 0 without the window (search-timing.exe:
  the same downloads and extraction, rows thrown away);
- the same search in the program, from the button going grey to it coming
  back (window-inspector time-run), and so the window's share of it;
- the program's working set and page-file bytes after the search;
- last, how many times the search without the window the search in the
  program takes.
Starts the demo site on its demo address, a private Xvfb and the demo prefix's
wineserver, and stops them at the end.
"""

import argparse
import os
import statistics
import sys

from harness import window as wd
from harness import demo_site
from harness.demo_site import DemoSiteProcess
from harness.display import Xvfb
from harness.processes import DriveError, Started, stop_program, wait_until
from harness.wine import WineSession

BUILD = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "windows"))


def values(text, key):
    return [float(line.split()[1]) for line in text.splitlines() if line.startswith(key + " ")]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pages", default="100")
    parser.add_argument("--repeats", type=int, default=3)
    args = parser.parse_args()
    program = os.path.join(BUILD, "ui", "film-listings-demo.exe")
    inspector = os.path.join(BUILD, "tools", "window-inspector", "window-inspector.exe")
    timing = os.path.join(BUILD, "bench", "e2e", "search-timing.exe")
    work = os.path.join(BUILD, "demo-bench")
    os.makedirs(work, exist_ok=True)

    with Started() as started:
        xvfb = started.add(Xvfb())
        started.add(DemoSiteProcess(demo_site.DEFAULT_ADDRESS, demo_site.DEFAULT_PORT))
        wine = started.add(WineSession(os.path.join(BUILD, "demo-wineprefix"), xvfb.display))
        window = wd.Window(wine, inspector)
        pointer = wd.Pointer(xvfb.display)

        idle, shown = [], []
        for _ in range(args.repeats):
            code, out, err = wine.run([inspector, "launch", program])
            if code != 0:
                raise DriveError("launch: %s" % err.decode(errors="replace"))
            idle += values(out.decode(), "input-idle-ms")
            shown += values(out.decode(), "window-shown-ms")
            wait_until("the window", window.dump, 60)
            window.close()
            wait_until("the window to close", lambda: window.dump() is None, 60)

        code, out, _ = wine.run([timing, args.pages, str(args.repeats)], timeout=600)
        core = values(out.decode(), "run-ms")
        rows = out.decode().split()[-1]

        tool = started.add(wine.start(program, os.path.join(work, "program.log")), stop_program)
        state = wd.prepare_search(window, pointer, 0, args.pages)
        runs = []
        for _ in range(args.repeats):
            out_path = os.path.join(work, "time-run.txt")
            watcher = wine.start_with_output([inspector, "time-run"], out_path)
            wait_until("the run watcher", lambda: "armed" in open(out_path).read(), 60, interval=0.1)
            pointer.click(state["button"]["center"])
            watcher.wait(600)
            runs += values(open(out_path).read(), "run-ms")
            wd.wait_for_closing(window, 600)
        code, out, _ = wine.run([inspector, "memory"])
        memory = {line.split()[0]: int(line.split()[1]) for line in out.decode().splitlines()}
        window.close()
        wait_until("the program to end", lambda: tool.poll() is not None, 60)

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
    print("search in the program / without the window: %.1f times (target <= 8)" % (median(runs) / median(core)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
