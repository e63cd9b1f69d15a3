#!/usr/bin/env python3
"""The demo site over HTTP: list pages as generated, an entry page behind
every listed link, 404 elsewhere, and a clear refusal of a taken address."""

import subprocess
import sys
import unittest
import urllib.error
import urllib.request

from harness import demo_site
from harness.demo_site import DemoSiteProcess

DIRECT = urllib.request.build_opener(urllib.request.ProxyHandler({}))


def fetch(url):
    try:
        with DIRECT.open(url, timeout=30) as answer:
            return answer.status, answer.headers, answer.read()
    except urllib.error.HTTPError as error:
        return error.code, error.headers, error.read()


class DemoSiteTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site = DemoSiteProcess("127.0.0.1", 0)

    @classmethod
    def tearDownClass(cls):
        cls.site.stop()

    def test_list_pages_are_the_generated_pages(self):
        for category, page in [(0, 1), (1, 2), (2, 100), (3, 7), (4, 200)]:
            status, headers, body = fetch(self.site.base + demo_site.list_page_path(category, page))
            self.assertEqual(status, 200, (category, page))
            self.assertEqual(body, demo_site.list_page(category, page)[0], (category, page))
            self.assertEqual(int(headers["Content-Length"]), len(body))

    def test_every_listed_link_has_an_entry_page_with_its_title(self):
        for category, page in [(0, 1), (4, 200)]:
            for title, path in demo_site.list_page(category, page)[1]:
                status, _, body = fetch(self.site.base + path.decode("ascii"))
                self.assertEqual(status, 200, path)
                self.assertIn(b"<h1>" + title, body, path)

    def test_anything_else_is_404_with_a_page(self):
        for path in ["/html/gndy/dyzz/list_23_0.html", "/html/gndy/dyzz/list_23_201.html",
                     "/html/gndy/dyzz/list_23_01.html", "/html/gndy/dyzz/list_4_1.html",
                     "/html/gndy/tv/list_23_1.html", "/html/gndy/dyzz/20260101/99999.html", "/robots.txt"]:
            status, _, body = fetch(self.site.base + path)
            self.assertEqual(status, 404, path)
            self.assertIn("404".encode("gbk"), body, path)

    def test_a_taken_address_is_refused_with_a_message(self):
        address, port = self.site.base[len("http://"):].split(":")
        second = subprocess.run([sys.executable, "-m", "harness.demo_site",
                                 "--address", address, "--port", port],
                                capture_output=True, text=True, timeout=60)
        self.assertEqual(second.returncode, 2)
        self.assertIn("already in use", second.stderr)


if __name__ == "__main__":
    unittest.main()
