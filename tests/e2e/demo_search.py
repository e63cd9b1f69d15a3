#!/usr/bin/env python3
"""One search in the demo program on a private display, for scripts/run.sh on a
machine without a display: chooses a category, types a page count, clicks 检索,
waits for the closing status, saves a screenshot PNG, prints its path and
closes the program. The demo site must already be running. The Wine prefix is
WINEPREFIX."""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import window_driver as wd  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--inspector", required=True)
    parser.add_argument("--screenshot", required=True, help="where the PNG goes")
    parser.add_argument("--category", type=int, default=0, help="0 to 4 (default %(default)s)")
    parser.add_argument("--pages", default="3", help="the page count typed (default %(default)s)")
    args = parser.parse_args()
    prefix = os.environ.get("WINEPREFIX") or os.path.join(os.path.dirname(args.program), "wineprefix")

    xvfb = wine = tool = None
    try:
        xvfb = wd.Xvfb()
        print("display %s (private Xvfb, 1920x1080)" % xvfb.display, flush=True)
        wine = wd.WineSession(prefix, xvfb.display)
        tool = wine.start(args.program, os.path.join(os.path.dirname(args.screenshot), "demo-program.log"))
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
        wd.wait_until("the program to end", lambda: tool.poll() is not None, 60)
        return 0
    except wd.DriveError as error:
        print("demo run failed: %s" % error, file=sys.stderr)
        return 1
    finally:
        wd.stop_process(tool, "program")
        if wine:
            wine.stop()
        if xvfb:
            xvfb.stop()


if __name__ == "__main__":
    sys.exit(main())
