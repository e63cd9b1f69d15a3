#!/usr/bin/env python3
"""The configure's check of LISTING_SITE_BASE over a table of sites: what it
accepts, the host the caption defaults to, and the message for what it refuses."""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

ACCEPTED = [
    ("http://www.example.com", "www.example.com"),
    ("https://www.example.com", "www.example.com"),
    ("http://127.8.9.36:8936", "127.8.9.36"),
    ("http://localhost:1", "localhost"),
    ("http://a-b.c-d.example:65535", "a-b.c-d.example"),
    ("HTTP://WWW.EXAMPLE.COM", None),  # refused: the scheme is lower case
]

REFUSED = [
    "",
    "www.example.com",                 # no scheme
    "ftp://www.example.com",
    "http://",
    "http://www.example.com/",         # trailing slash
    "http://www.example.com/films",    # a path
    "http://www.example.com?x=1",
    "http://www.example.com:",         # a colon without a port
    "http://www.example.com:0",
    "http://www.example.com:65536",
    "http://www.example.com:08936",
    "http://-example.com",
    "http://example..com",
    "http://user@example.com",
    "http://exa mple.com",
]


def check(site):
    return subprocess.run(["cmake", "-DSITE=" + site, "-P", os.path.join(HERE, "check_site.cmake")],
                          capture_output=True, text=True)


def main():
    failures = []
    for site, host in ACCEPTED:
        if host is None:
            REFUSED.append(site)
            continue
        result = check(site)
        if result.returncode != 0 or ("host %s" % host) not in result.stderr:
            failures.append("%r should be accepted with host %r: %s" % (site, host, result.stderr.strip()))
    for site in REFUSED:
        result = check(site)
        message = " ".join(result.stderr.split())
        if result.returncode == 0:
            failures.append("%r should be refused" % site)
        elif ('LISTING_SITE_BASE is "%s"' % site) not in message or "no trailing slash" not in message:
            failures.append("%r: the message does not name the value and the form: %s" % (site, message))
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
