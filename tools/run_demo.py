#!/usr/bin/env python3
"""The demo run behind scripts/run.sh: starts the demo site on its loopback
address and the demo program under Wine.

With DISPLAY set, the window opens there and the run ends when it is closed.
Without one, it starts a private Xvfb and performs one search by itself:
chooses a category, types a page count, clicks 检索, waits for the closing
status, prints the first rows, saves a screenshot PNG, prints its path and
closes the program. Everything it starts is stopped at the end, by the ids it
holds.
"""

import argparse
import os
import sys

from harness import window as wd
from harness import demo_site
from harness.demo_site import DemoSiteProcess
from harness.display import Xvfb
from harness.processes import DriveError, Started, stop_program, wait_until
from harness.wine import WineSession


def run(args, started):
    site = started.add(DemoSiteProcess(demo_site.DEFAULT_ADDRESS, demo_site.DEFAULT_PORT))
    print("== demo listing site: %s" % site.base, flush=True)
    display = os.environ.get("DISPLAY")
    if display:
        print("== starting the program on %s; close its window to end" % display, flush=True)
        # The program runs in the user's own locale: the Wine prefix's font
        # links show its Chinese texts under any (scripts/wine-prefix.sh).
        wine = started.add(WineSession(args.prefix, display))
        return started.add(wine.start(args.program, os.devnull), stop_program).wait()
    print("== no DISPLAY: starting a private Xvfb (1920x1080) and running one search by itself", flush=True)
    xvfb = started.add(Xvfb())
    wine = started.add(WineSession(args.prefix, xvfb.display))
    tool = started.add(wine.start(args.program, os.path.join(os.path.dirname(args.screenshot), "demo-program.log")),
                       stop_program)
    window = wd.Window(wine, args.inspector)
    pointer = wd.Pointer(xvfb.display)
    state = wd.search(window, pointer, args.category, args.pages)
    print("searched %s page(s) of category %d: %d rows; status: %s"
          % (args.pages, args.category, len(state["rows"]), state["status"].get(1, b"").decode("gbk")))
    for title, link in state["rows"][:3]:
        print("  %s  %s" % (title.decode("gbk"), link.decode("gbk")))
    if len(state["rows"]) > 3:
        print("  ...")
    pointer.screenshot(args.screenshot)
    print("screenshot: %s" % args.screenshot, flush=True)
    window.close()
    wait_until("the program to end", lambda: tool.poll() is not None, 60)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--inspector", required=True)
    parser.add_argument("--prefix", required=True, help="the demo's Wine prefix")
    parser.add_argument("--screenshot", required=True, help="where the PNG of a run without a display goes")
    parser.add_argument("--category", type=int, default=0, help="0 to 4 (default %(default)s)")
    parser.add_argument("--pages", default="3", help="the page count typed (default %(default)s)")
    args = parser.parse_args()
    try:
        with Started() as started:
            return run(args, started)
    except DriveError as error:
        print("demo run failed: %s" % error, file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
