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
from harness.processes import DriveError, stop_process, wait_until
from harness.wine import WineSession


def search_by_itself(args, wine, display):
    tool = wine.start(args.program, os.path.join(os.path.dirname(args.screenshot), "demo-program.log"))
    try:
        window = wd.Window(wine, args.inspector)
        pointer = wd.Pointer(display)
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
    finally:
        stop_process(tool, "program")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--inspector", required=True)
    parser.add_argument("--prefix", required=True, help="the demo's Wine prefix")
    parser.add_argument("--screenshot", required=True, help="where the PNG of a run without a display goes")
    parser.add_argument("--category", type=int, default=0, help="0 to 4 (default %(default)s)")
    parser.add_argument("--pages", default="3", help="the page count typed (default %(default)s)")
    args = parser.parse_args()

    xvfb = site = wine = None
    try:
        site = DemoSiteProcess(demo_site.DEFAULT_ADDRESS, demo_site.DEFAULT_PORT)
        print("== demo listing site: %s" % site.base, flush=True)
        display = os.environ.get("DISPLAY")
        if display:
            print("== starting the program on %s; close its window to end" % display, flush=True)
            # The program runs in the user's own locale: the Wine prefix's
            # font links show its Chinese texts under any (scripts/wine-prefix.sh).
            wine = WineSession(args.prefix, display)
            return wine.start(args.program, os.devnull).wait()
        print("== no DISPLAY: starting a private Xvfb (1920x1080) and running one search by itself", flush=True)
        xvfb = Xvfb()
        wine = WineSession(args.prefix, xvfb.display)
        return search_by_itself(args, wine, xvfb.display)
    except DriveError as error:
        print("demo run failed: %s" % error, file=sys.stderr)
        return 1
    finally:
        if wine:
            wine.stop()
        if site:
            site.stop()
        if xvfb:
            xvfb.stop()


if __name__ == "__main__":
    sys.exit(main())
