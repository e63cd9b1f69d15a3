#!/usr/bin/env python3
"""film-listings-cli against the demo site and the downloader tests' servers.

  cli_test.py PROGRAM [unittest arguments]

Starts the demo site (harness.demo_site, 200 pages) on a free loopback port, and the
scripted server, a self-signed TLS listener and a refused port from
harness.servers; every one of them is stopped when the tests end.
"""

import json
import os
import pty
import select
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import unittest

from harness import demo_site, servers
from harness.demo_site import DemoSiteProcess
from harness.loopback_site import prepare_site
from harness.processes import Started
from window_request import window_request  # beside this file

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))

PROGRAM = None
FIXTURES = os.path.join(ROOT, "tests", "search", "fixtures")
AGENT = b"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"
DEMO_PAGES = demo_site.DEFAULT_PAGES


def list_path(category, page):
    return demo_site.list_page_path(category, page)


def run(arguments, env=None, timeout=120):
    result = subprocess.run([PROGRAM] + arguments, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            env=env, timeout=timeout)
    return result


def tsv(rows):
    """GBK (title, link) rows as --encoding gbk tsv output."""
    return b"".join(title + b"\t" + link + b"\n" for title, link in rows)


def rows_file(path, site):
    with open(path, "rb") as f:
        lines = f.read().splitlines()
    return [(title, site.encode("ascii") + link) for title, link in (line.split(b"\t") for line in lines)]


STARTED = Started()


def setUpModule():
    global WORK, DEMO, SCRIPTED, TLS, REFUSED, ROWS_DIR
    WORK = tempfile.mkdtemp(prefix="listing-cli-")
    STARTED.callback(shutil.rmtree, WORK, ignore_errors=True)
    try:
        _, static, ROWS_DIR = prepare_site(WORK)
        for name in os.listdir(FIXTURES):
            shutil.copy(os.path.join(FIXTURES, name), os.path.join(static, name))
        DEMO = STARTED.add(DemoSiteProcess("127.0.0.1", 0))
        SCRIPTED = STARTED.add(servers.ScriptedServer(os.path.join(WORK, "requests.log"), static).start())
        TLS = STARTED.add(servers.TlsServer(WORK, os.path.join(WORK, "tls.log")).start())
        REFUSED = STARTED.add(servers.RefusedPort())
    except BaseException:
        STARTED.close()
        raise


def tearDownModule():
    STARTED.close()


class Traffic:
    """What the scripted server recorded from here on: connections and raw requests."""

    def __init__(self):
        self.start = os.path.getsize(SCRIPTED.recorder.path)

    def records(self):
        return servers.read_records(SCRIPTED.recorder.path, self.start)

    def connections(self):
        return sum(1 for kind, _ in self.records() if kind == b"C")

    def requests(self):
        return [raw for kind, raw in self.records() if kind == b"R"]


def route(category, targets):
    """Page n of the category is answered as targets[n - 1]."""
    SCRIPTED.routes = {list_path(category, n): target for n, target in enumerate(targets, 1)}


class RowsOfTheDemoSite(unittest.TestCase):
    """The window's rows: what the demo site's pages hold, which the end-to-end
    tests read back from the window itself."""

    def test_both_formats_and_both_encodings(self):
        for category, name in ((0, "latest"), (3, "western"), (4, "\u65e5\u97e9\u7535\u5f71")):
            expected = demo_site.site_rows(DEMO.base, category, 3)
            pages = [page for page in range(1, 4) for _ in demo_site.list_page(category, page)[1]]
            common = ["--site", DEMO.base, "--category", name, "--pages", "3"]
            for encoding in ("gbk", "utf-8"):
                text = (lambda b: b) if encoding == "gbk" else (lambda b: b.decode("gbk").encode("utf-8"))
                result = run(common + ["--encoding", encoding])
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(result.stdout, b"".join(text(t) + b"\t" + text(l) + b"\n" for t, l in expected))
                self.assertEqual(result.stderr, b"75 rows from 3 pages, 0 failed\n")

                result = run(common + ["--encoding", encoding, "--format", "jsonl"])
                self.assertEqual(result.returncode, 0, result.stderr)
                lines = result.stdout.decode("gbk" if encoding == "gbk" else "utf-8").splitlines()
                self.assertEqual([json.loads(line) for line in lines],
                                 [{"page": p, "title": t.decode("gbk"), "link": l.decode("gbk")}
                                  for p, (t, l) in zip(pages, expected)])

    def test_jobs_give_the_same_bytes_in_page_order(self):
        # Pages 191 to 200 exist, 201 to 205 answer 404: failures are reported
        # in page order too.
        common = ["--site", DEMO.base, "--category", "china", "--pages", "205"]
        sequential = run(common + ["--jobs", "1"])
        self.assertEqual(sequential.returncode, 3, sequential.stderr)
        self.assertEqual(sequential.stdout, tsv(demo_site.site_rows(DEMO.base, 1, DEMO_PAGES)).decode("gbk")
                         .encode("utf-8"))
        failures = sequential.stderr.decode().splitlines()
        self.assertEqual([line.split(" (")[0] for line in failures[:-1]],
                         ["film-listings-cli: page %d" % page for page in range(201, 206)])
        self.assertEqual(failures[-1], "5000 rows from 205 pages, 5 failed")
        reference = run(common + ["--format", "jsonl"])
        for jobs in ("3", "8", "16"):
            parallel = run(common + ["--jobs", jobs, "--format", "jsonl"])
            self.assertEqual(parallel.stdout, reference.stdout, jobs)
            parallel = run(common + ["--jobs", jobs])
            self.assertEqual((parallel.returncode, parallel.stdout, parallel.stderr),
                             (sequential.returncode, sequential.stdout, sequential.stderr), jobs)

    def test_a_closed_stdout_ends_the_run_quietly(self):
        for jobs in ("1", "4"):
            process = subprocess.Popen([PROGRAM, "--site", DEMO.base, "--pages", str(DEMO_PAGES), "--jobs", jobs],
                                       stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            first = process.stdout.readline()
            process.stdout.close()  # as `| head -1` does
            error = process.stderr.read()
            process.wait(120)
            self.assertTrue(first.endswith(b".html\n"), first)
            self.assertEqual((process.returncode, error), (0, b""), jobs)

    def test_a_full_disk_is_an_error_of_its_own(self):
        with open("/dev/full", "wb") as full:
            result = subprocess.run([PROGRAM, "--site", DEMO.base, "--pages", "2"], stdout=full,
                                    stderr=subprocess.PIPE, timeout=120)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr, b"film-listings-cli: cannot write the rows: No space left on device\n")

    def test_progress_bar_only_on_a_terminal(self):
        for quiet in ([], ["--quiet"]):
            master, slave = pty.openpty()
            process = subprocess.Popen([PROGRAM, "--site", DEMO.base, "--pages", "4"] + quiet,
                                       stdout=subprocess.PIPE, stderr=slave)
            os.close(slave)
            shown = b""
            while True:
                ready, _, _ = select.select([master], [], [], 60)
                if not ready:
                    break
                try:
                    data = os.read(master, 4096)
                except OSError:  # the terminal's other side is gone
                    break
                if not data:
                    break
                shown += data
            os.close(master)
            rows = process.stdout.read()
            process.stdout.close()
            process.wait(60)
            self.assertEqual(process.returncode, 0)
            self.assertEqual(rows.count(b"\n"), 100)
            if quiet:
                self.assertEqual(shown, b"")
            else:
                self.assertIn(b"4/4 pages, 100 rows", shown)
                self.assertTrue(shown.startswith(b"\r[") and shown.endswith(b"\r\x1b[K"), shown)
                self.assertNotIn(b"rows from", shown)

    def test_ctrl_c_stops_it_at_once(self):
        with SilentListener() as listener:
            process = subprocess.Popen([PROGRAM, "--site", listener.site, "--pages", "3"],
                                       stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            with listener.take_request():
                process.send_signal(signal.SIGINT)
                process.wait(30)
            process.stdout.close()
            process.stderr.close()
        self.assertEqual(process.returncode, -signal.SIGINT)

    def test_a_site_that_never_answers_times_out(self):
        # Waits out the program's stall limit (30 s) once.
        with SilentListener() as listener:
            process = subprocess.Popen([PROGRAM, "--site", listener.site, "--pages", "1"],
                                       stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            with listener.take_request():
                out, err = process.communicate(timeout=120)
        lines = err.decode().splitlines()
        self.assertEqual((process.returncode, out), (3, b""), lines)
        self.assertTrue(lines[0].startswith("film-listings-cli: page 1 (%s): timed out" % (
            listener.site + list_path(0, 1))), lines)
        self.assertEqual(lines[1:], ["0 rows from 1 pages, 1 failed"])


class SilentListener:
    """A loopback listener that takes connections and never answers them."""

    def __enter__(self):
        self.socket = socket.socket()
        self.socket.bind(("127.0.0.1", 0))
        self.socket.listen(4)
        self.socket.settimeout(60)
        self.site = "http://127.0.0.1:%d" % self.socket.getsockname()[1]
        return self

    def take_request(self):
        """The next connection, once its request is in; close it when done."""
        connection, _ = self.socket.accept()
        connection.settimeout(60)
        connection.recv(4096)
        return connection

    def __exit__(self, *error):
        self.socket.close()


class RowsOfOtherAnswers(unittest.TestCase):
    """Pages served by the scripted server: fixtures, odd bodies, failures."""

    def run_scripted(self, targets, extra=(), category=0, env=None):
        route(category, targets)
        return run(["--site", SCRIPTED.base(), "--category", str(category), "--pages", str(len(targets)),
                    "--encoding", "gbk"] + list(extra), env=env)

    def test_golden_fixtures(self):
        for category, page, name in ((0, 1, "latest-page-1"), (3, 7, "western-page-7")):
            targets = ["/empty"] * (page - 1) + ["/static/%s.html" % name]
            result = self.run_scripted(targets, category=category)
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertEqual(result.stdout, tsv(rows_file(os.path.join(FIXTURES, name + ".rows"), SCRIPTED.base())))

    def test_request_bytes_are_the_window_programs(self):
        site = SCRIPTED.base()
        # A proxy in the environment changes nothing: the window goes direct too.
        env = dict(os.environ, http_proxy="http://127.0.0.1:%d" % REFUSED.port, HTTP_PROXY="", all_proxy="")
        traffic = Traffic()
        result = self.run_scripted(["/echo", "/redirect/static/latest-page-1.html"], env=env)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(traffic.requests(), [window_request(list_path(0, 1), site),
                                              window_request(list_path(0, 2), site),
                                              window_request("/static/latest-page-1.html", site)])
        self.assertEqual(traffic.connections(), 3, "a new connection for every request")
        self.assertEqual(result.stdout, tsv(rows_file(os.path.join(FIXTURES, "latest-page-1.rows"), site)))

    def test_what_the_window_survives(self):
        site = SCRIPTED.base().encode("ascii")
        latest = rows_file(os.path.join(FIXTURES, "latest-page-1.rows"), SCRIPTED.base())
        with open(os.path.join(FIXTURES, "latest-page-1.html"), "rb") as f:
            page = f.read()
        half = page[:len(page) // 2]
        cut = [(t, l) for t, l in latest
               if b'<a href="%s" class="ulink">%s</a>' % (l[len(site):], t) in half]
        self.assertTrue(0 < len(cut) < len(latest))
        cases = [
            # what, targets, exit status, rows
            ("binary, zero bytes, no zero byte, nothing but zeros",
             ["/odd/list_1.html", "/odd/list_2.html", "/odd/list_3.html"], 0,
             [(b"BinaryFirst", site + b"/html/gndy/dyzz/20260101/101.html"),
              (b"NoZero", site + b"/html/gndy/dyzz/20260102/103.html")]),
            ("empty body", ["/empty"], 0, []),
            ("chunked list page", ["/chunked-static/latest-page-1.html"], 0, latest),
            ("chunked pattern", ["/chunked"], 0, []),
            ("no length, 50 MB", ["/nolength/x?size=52428800"], 0, []),
            ("redirected twice", ["/redirect/redirect/static/latest-page-1.html"], 0, latest),
            ("cut short: the rows it holds, and a failure", ["/cut-static/latest-page-1.html"], 3, cut),
            ("one page missing among found ones",
             ["/static" + list_path(0, 1), "/static" + list_path(0, 2), "/static" + list_path(0, 3)], 3,
             rows_file(os.path.join(ROWS_DIR, "page-1.rows"), SCRIPTED.base())
             + rows_file(os.path.join(ROWS_DIR, "page-3.rows"), SCRIPTED.base())),
        ]
        for what, targets, status, rows in cases:
            for jobs in ("1", "4"):
                result = self.run_scripted(targets, ["--jobs", jobs])
                self.assertEqual(result.returncode, status, (what, result.stderr))
                self.assertEqual(result.stdout, tsv(rows), what)

    def test_each_failure_is_reported_with_page_address_and_reason(self):
        scripted = SCRIPTED.base()
        tls = "https://127.0.0.1:%d" % TLS.port
        refused = "http://127.0.0.1:%d" % REFUSED.port
        cases = [
            # what, site, target of page 2, words of the reason
            ("status 404 with a body", scripted, "/error404", "status 404"),
            ("status 500", scripted, "/no-such-script", "status 500"),
            ("declared length not sent", scripted, "/truncated", "70000 bytes remaining"),
            ("chunk never ended", scripted, "/truncated-chunked", ""),
            ("refused", refused, None, "onnect"),
            ("self-signed certificate", tls, None, "certificate"),
        ]
        for what, site, target, reason in cases:
            if target is not None:
                route(0, ["/empty", target])
            result = run(["--site", site, "--pages", "2"])
            lines = result.stderr.decode().splitlines()
            self.assertEqual(result.returncode, 3, (what, lines))
            self.assertEqual(result.stdout, b"", what)
            address = site + list_path(0, 2)
            page_two = [line for line in lines if line.startswith("film-listings-cli: page 2 (%s): " % address)]
            self.assertEqual(len(page_two), 1, (what, lines))
            self.assertIn(reason, page_two[0], what)
            failed = 1 if target is not None else 2
            self.assertEqual(lines[-1], "0 rows from 2 pages, %d failed" % failed, what)
            self.assertEqual(len(lines), failed + 1, (what, lines))


class CommandLine(unittest.TestCase):
    def test_usage_errors_exit_2_naming_the_argument_and_fetch_nothing(self):
        cases = [
            (["--pages", "0"], "--pages"), (["--pages", "-3"], "--pages"), (["--pages", "2147483648"], "--pages"),
            (["--pages", "\uff11"], "--pages"), (["--pages", " 2"], "--pages"), (["--pages"], "--pages"),
            (["--site", "http://127.0.0.1:1/"], "--site"), (["--site", "127.0.0.1"], "--site"),
            (["--category", "5"], "--category"), (["--category", "films"], "--category"),
            (["--format", "csv"], "--format"), (["--encoding", "latin-1"], "--encoding"),
            (["--jobs", "17"], "--jobs"), (["--jobs", "0"], "--jobs"), (["--what"], "--what"),
        ]
        traffic = Traffic()
        for arguments, named in cases:
            result = run(["--site", SCRIPTED.base()] + arguments)
            message = result.stderr.decode()
            self.assertEqual(result.returncode, 2, arguments)
            self.assertEqual(result.stdout, b"", arguments)
            self.assertTrue(message.startswith("film-listings-cli: "), message)
            self.assertIn(named, message.splitlines()[0])
            self.assertIn("usage: film-listings-cli [--site URL]", message)
        self.assertEqual(traffic.connections(), 0)

    def test_help_and_version_on_stdout(self):
        result = run(["--help", "--pages", "3"])
        self.assertEqual((result.returncode, result.stderr), (0, b""))
        self.assertIn(b"usage: film-listings-cli", result.stdout)
        self.assertIn(b"Exit status", result.stdout)
        result = run(["--version"])
        self.assertEqual((result.returncode, result.stderr), (0, b""))
        self.assertRegex(result.stdout, rb"^film-listings-cli \d+\.\d+\.\d+\n$")


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
