#!/usr/bin/env python3
"""End to end: the real program of a loopback build against the demo site.

Starts a private Xvfb, a Wine prefix of its own with the browser hook pointed at
a recorder, the demo site on the address the program was built for, and the
program. Then, with real X input: chooses a category, types a page count,
clicks 检索, waits for the closing status, right-clicks a row. Checks the rows
(titles and links against what the site served), the status texts, the
requests the site received, the link the browser hook was handed, and that Esc
ends the program. Saves a screenshot PNG and prints its path. Stops everything
it started, by the ids it holds.
"""

import argparse
import glob
import os
import sys
import urllib.request

from harness import window as wd
from harness import demo_site
from harness.demo_site import DemoSiteProcess
from harness.display import Xvfb
from harness.processes import DriveError, Started, stop_program, wait_until
from harness.wine import WineSession, write_recorder

CATEGORY = 3        # 欧美电影: not the preselected one, so the choice is exercised
PAGES_TEXT = "3"
USER_AGENT = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"


class Checks:
    def __init__(self):
        self.failures = []

    def equal(self, what, seen, expected):
        if seen != expected:
            self.failures.append("%s: saw %r, expected %r" % (what, seen, expected))

    def true(self, what, condition):
        if not condition:
            self.failures.append(what)


def find_program(path):
    if os.path.isfile(path):
        return path
    found = glob.glob(os.path.join(path, "**", "film-listings.exe"), recursive=True)
    if not found:
        raise DriveError("no film-listings.exe under %s" % path)
    return found[0]


def recorded(record_file):
    """The recorder's lines: argument count, a blank, the arguments."""
    if not os.path.exists(record_file):
        return []
    with open(record_file) as lines:
        return lines.read().splitlines()


def check_search(checks, state, site, site_base):
    expected = demo_site.site_rows(site_base, CATEGORY, int(PAGES_TEXT))
    rows = state["rows"]
    checks.equal("number of rows", len(rows), len(expected))
    for index, (seen, wanted) in enumerate(zip(rows, expected)):
        if seen != wanted:
            checks.failures.append("row %d: saw %r, expected %r" % (index, seen, wanted))
            break
    checks.equal("rows in the list view", state["list-rows"], len(expected))
    checks.equal("closing status text", state["status"].get(1), wd.closing_text(len(expected)))
    checks.equal("status part 0", state["status"].get(0), "状态：".encode("gbk"))
    checks.true("the search button is enabled again", state["button"]["enabled"])

    requests = [line for line in site.request_log() if "/list_" in line]
    wanted_requests = ["GET %s 200 %s" % (demo_site.list_page_path(CATEGORY, page), USER_AGENT)
                       for page in range(1, int(PAGES_TEXT) + 1)]
    checks.equal("list-page requests the site received", requests, wanted_requests)


def run(args):
    checks = Checks()
    os.makedirs(args.work, exist_ok=True)
    address, port = args.site.rsplit(":", 1)
    site_base = "http://%s:%s" % (address, port)
    program = find_program(args.program)
    record_file = os.path.join(args.work, "opened-links.txt")
    recorder = os.path.join(args.work, "browser-recorder.sh")
    screenshot = os.path.join(args.work, "e2e-search.png")
    for stale in (record_file, screenshot):
        if os.path.exists(stale):
            os.remove(stale)

    with Started() as started:
        xvfb = started.add(Xvfb())
        site = started.add(DemoSiteProcess(address, int(port)))
        wine = started.add(WineSession(os.path.join(args.work, "wineprefix"), xvfb.display, args.locale))
        write_recorder(recorder, record_file)
        wine.point_browser_at(recorder)
        tool = started.add(wine.start(program, os.path.join(args.work, "program.log")), stop_program)
        window = wd.Window(wine, args.inspector)
        pointer = wd.Pointer(xvfb.display)

        state = wait_until("the window", window.dump, 120)
        checks.equal("rows before the search", state["list-rows"], 0)
        checks.true("caption names the tool", "电影正则检索工具".encode("gbk") in state["caption"])

        state = wd.search(window, pointer, CATEGORY, PAGES_TEXT)
        check_search(checks, state, site, site_base)

        # A left click only selects; a right click opens the row under the
        # pointer (the click selects it before the program hears of it), and
        # every right click opens it again.
        pointer.click(window.row_point(0), button=1)
        wait_until("row 0 to be selected", lambda: (window.dump() or {}).get("list-selection") == 0, 60)
        row = 1
        link = state["rows"][row][1].decode("ascii")
        for clicks in (1, 2):
            pointer.click(window.row_point(row), button=3)
            wait_until("the browser hook to be called %d time(s)" % clicks,
                          lambda: len(recorded(record_file)) >= clicks, 60)
        checks.equal("selected row after the right click", window.dump()["list-selection"], row)
        direct = urllib.request.build_opener(urllib.request.ProxyHandler({}))
        with direct.open(link, timeout=30) as answer:
            checks.true("the opened link shows its film", state["rows"][row][0] in answer.read())

        pointer.screenshot(screenshot)
        print("screenshot: %s" % screenshot)

        # Esc closes the window wherever the focus is; the program then ends.
        pointer.key("Escape")
        wait_until("the program to end after Esc", lambda: tool.poll() is not None, 60)
        checks.equal("program exit code", tool.returncode, 0)
        # winebrowser hands the recorder the link as its one argument; the left
        # click, long since handled, must have added nothing.
        checks.equal("links handed to the browser", recorded(record_file), ["1 " + link] * 2)

    for failure in checks.failures:
        print("FAILED: %s" % failure)
    return 1 if checks.failures else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="film-listings.exe, or a folder holding it")
    parser.add_argument("--inspector", required=True, help="window-inspector.exe")
    parser.add_argument("--site", required=True, help="ADDRESS:PORT the program was built for")
    parser.add_argument("--work", required=True, help="folder for the prefix, logs and the screenshot")
    parser.add_argument("--locale", default="zh_CN.UTF-8", help="LC_ALL for Wine (default %(default)s)")
    args = parser.parse_args()
    try:
        code = run(args)
    except DriveError as error:
        print("FAILED: %s" % error)
        code = 1
    print("e2e: %s" % ("passed" if code == 0 else "failed"))
    return code


if __name__ == "__main__":
    sys.exit(main())
