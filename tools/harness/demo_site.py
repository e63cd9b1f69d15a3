#!/usr/bin/env python3
"""The demo listing site: generated GBK list pages on a loopback address.

The demo build of the tool has this site's address built in, so the tool does
something real on a machine without internet:

    scripts/demo-site.sh [--address 127.8.9.36] [--port 8936] [--delay-ms 0]

Serves, for each of the five categories, list pages 1 to --pages (25 entries
each) at the category's list-page paths, a small entry page for every entry
linked from them, an index page at "/", and 404 with a short GBK page for
everything else; with --delay-ms each answer waits that long first, as a
distant site would. Prints one line "ready http://ADDRESS:PORT" once it listens,
and one line per request ("GET <path> <status> <User-Agent>") after that.
"""

import argparse
import errno
import html
import os
import re
import select
import subprocess
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

from .processes import DriveError, stop_process
from .pages import CATEGORY_DIRS, CATEGORY_NAMES, LIST_NUMBERS, list_page_path, make_list_page

DEFAULT_ADDRESS = "127.8.9.36"
DEFAULT_PORT = 8936
DEFAULT_PAGES = 200

LIST_PAGE = re.compile(r"^/html/gndy/(\w+)/list_(\d+)_(\d+)\.html$")
ENTRY_PAGE = re.compile(r"^/html/gndy/(\w+)/(\d{8})/(\d+)\.html$")

# make_list_page numbers the entries of page P of category C upwards from
# 60000 + C*5000 + P*40, at most 9 apart, 25 of them: an entry's serial tells
# which few pages can hold it.
SERIAL_BASE, SERIAL_PER_CATEGORY, SERIAL_PER_PAGE, SERIAL_SPAN = 60000, 5000, 40, 25 * 9


def list_page(category, page):
    """(page bytes, [(title bytes, path bytes)]) exactly as the site serves it."""
    return make_list_page(category, page)


def site_rows(site_base, category, pages):
    """Rows a search of pages 1..pages of the category shows: (title, link), GBK bytes."""
    rows = []
    for page in range(1, pages + 1):
        rows += [(title, site_base.encode("ascii") + path) for title, path in list_page(category, page)[1]]
    return rows


def gbk_page(title, body_html):
    return ('<!DOCTYPE html>\n<html><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312" />\n'
            "<title>%s</title></head>\n<body>\n%s\n</body></html>\n" % (html.escape(title), body_html)).encode("gbk")


class DemoSite:
    def __init__(self, pages):
        self.pages = pages

    def answer(self, path):
        """(status, body bytes) for a request path."""
        if path in ("/", "/index.html"):
            return 200, self.index_page()
        match = LIST_PAGE.match(path)
        if match:
            found = self.list_page_for(match.group(1), int(match.group(2)), int(match.group(3)), path)
            if found is not None:
                return 200, found
        match = ENTRY_PAGE.match(path)
        if match:
            found = self.entry_page_for(match.group(1), int(match.group(3)), path)
            if found is not None:
                return 200, found
        return 404, gbk_page("404 未找到", "<h1>404 未找到</h1><p>%s</p>" % html.escape(path))

    def index_page(self):
        items = "".join('<li><a href="%s">%s</a></li>' % (list_page_path(c, 1), CATEGORY_NAMES[c])
                        for c in range(len(CATEGORY_DIRS)))
        return gbk_page("翠微星舍（演示）", "<h1>翠微星舍（演示）</h1><ul>%s</ul>" % items)

    def list_page_for(self, directory, list_number, page, path):
        if directory not in CATEGORY_DIRS:
            return None
        category = CATEGORY_DIRS.index(directory)
        if LIST_NUMBERS[category] != list_number or not 1 <= page <= self.pages:
            return None
        if path != list_page_path(category, page):  # leading zeros and the like
            return None
        return list_page(category, page)[0]

    def entry_page_for(self, directory, serial, path):
        if directory not in CATEGORY_DIRS:
            return None
        category = CATEGORY_DIRS.index(directory)
        offset = serial - SERIAL_BASE - SERIAL_PER_CATEGORY * category
        first = max(1, (offset - SERIAL_SPAN) // SERIAL_PER_PAGE)
        last = min(self.pages, offset // SERIAL_PER_PAGE)
        for page in range(first, last + 1):
            for title, entry_path in list_page(category, page)[1]:
                if entry_path == path.encode("ascii"):
                    name = title.decode("gbk")
                    back = list_page_path(category, page)
                    body = ("<h1>%s</h1>\n<p>◎类　别　%s　◎来　源　%s第%d页</p>\n<p><a href=\"%s\">返回列表</a></p>"
                            % (html.escape(name), CATEGORY_NAMES[category], CATEGORY_NAMES[category], page, back))
                    return gbk_page(name + "_翠微星舍", body)
        return None


class Handler(BaseHTTPRequestHandler):
    server_version = "DemoListingSite/1.0"

    def do_GET(self):
        if self.server.delay_seconds > 0:
            time.sleep(self.server.delay_seconds)
        status, body = self.server.site.answer(self.path.split("#", 1)[0])
        # Logged before the answer goes out, so that whoever got the answer
        # finds the request in the log.
        print("GET %s %d %s" % (self.path, status, self.headers.get("User-Agent", "-")), flush=True)
        self.send_response(status)
        self.send_header("Content-Type", "text/html; charset=gb2312")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass  # one line per request is printed by do_GET


class Server(ThreadingHTTPServer):
    daemon_threads = True
    # Lets a restarted site listen again at once over its predecessor's closed
    # connections; Linux still refuses a second listener on the same address.
    allow_reuse_address = True
    delay_seconds = 0.0
    # socketserver listens with a queue of 5: a client opening 8 connections
    # at once had the rest of its connects dropped and retried a second later.
    request_queue_size = 64


class DemoSiteProcess:
    """The demo site in a process of its own on the given address, with its
    request log; for tests, benchmarks and the demo run. extra holds further
    options of the site (--pages, --delay-ms)."""

    def __init__(self, address, port, extra=()):
        self.process = subprocess.Popen(
            [sys.executable, "-m", "harness.demo_site", "--address", address, "--port", str(port)] + list(extra),
            stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        ready, _, _ = select.select([self.process.stdout], [], [], 60)
        line = self.process.stdout.readline().decode() if ready else ""
        if not line.startswith("ready"):
            stop_process(self.process, "demo site")
            raise DriveError("the demo site did not start: %s" % self.process.stderr.read().decode().strip())
        self.base = line.split()[1]
        self.requests = []
        self.pending = b""
        os.set_blocking(self.process.stdout.fileno(), False)
        # The site prints a line per request and stops answering once the pipe
        # is full, so the log is read all the time, not only when asked for.
        self.lock = threading.Lock()
        self.draining = True
        self.drainer = threading.Thread(target=self._drain, daemon=True)
        self.drainer.start()

    def _drain(self):
        while self.draining and self.process.poll() is None:
            self.request_log()
            time.sleep(0.05)

    def request_log(self):
        """Every request line the site has printed so far. Read straight from
        the descriptor: a buffered reader would hide lines from select()."""
        with self.lock:
            return self._read_log()

    def _read_log(self):
        while True:
            try:
                chunk = os.read(self.process.stdout.fileno(), 65536)
            except BlockingIOError:
                break
            if not chunk:
                break
            self.pending += chunk
        *lines, self.pending = self.pending.split(b"\n")
        self.requests += [line.decode("utf-8", "replace") for line in lines]
        return list(self.requests)

    def stop(self):
        self.draining = False
        self.drainer.join()
        stop_process(self.process, "demo site")


def main():
    parser = argparse.ArgumentParser(description="Demo listing site on a loopback address.")
    parser.add_argument("--address", default=DEFAULT_ADDRESS,
                        help="loopback address to listen on (default %(default)s)")
    parser.add_argument("--port", type=int, default=DEFAULT_PORT,
                        help="port; 0 takes a free one (default %(default)s)")
    parser.add_argument("--pages", type=int, default=DEFAULT_PAGES,
                        help="list pages per category (default %(default)s)")
    parser.add_argument("--delay-ms", type=int, default=0,
                        help="milliseconds each answer waits before it goes out (default %(default)s)")
    args = parser.parse_args()

    try:
        server = Server((args.address, args.port), Handler)
    except OSError as error:
        if error.errno == errno.EADDRINUSE:
            print("demo_site: %s:%d is already in use (another demo site or another program); "
                  "stop it or choose --address/--port" % (args.address, args.port), file=sys.stderr)
        else:
            print("demo_site: cannot listen on %s:%d: %s" % (args.address, args.port, error.strerror),
                  file=sys.stderr)
        sys.exit(2)
    server.site = DemoSite(args.pages)
    server.delay_seconds = max(args.delay_ms, 0) / 1000.0
    address, port = server.server_address[:2]
    print("ready http://%s:%d" % (address, port), flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
