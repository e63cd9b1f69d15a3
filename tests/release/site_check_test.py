#!/usr/bin/env python3
"""The configure's check of LISTING_SITE_BASE over the shared table of sites
(tests/support/site_cases.txt, which the command-line program's --site is held
to as well): what it accepts, the host the caption defaults to, and a message
naming the value and the expected form for what it refuses."""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CASES = os.path.join(HERE, "..", "support", "site_cases.txt")

# The caption's host for a few accepted sites: the host without the port.
HOSTS = {
    "http://127.8.9.36:8936": "127.8.9.36",
    "https://www.example.com": "www.example.com",
    "http://a-b.c1.d:1": "a-b.c1.d",
}


def cases():
    with open(CASES, encoding="utf-8") as table:
        for line in table.read().split("\n"):
            if line and not line.startswith("#"):
                verdict, site = line.split(" ", 1)
                yield verdict, site


def check(site):
    return subprocess.run(["cmake", "-P", os.path.join(HERE, "check_site.cmake")],
                          env=dict(os.environ, LISTING_SITE_CASE=site), capture_output=True, text=True)


def main():
    failures = []
    seen = 0
    for verdict, site in cases():
        seen += 1
        result = check(site)
        message = " ".join(result.stderr.split())
        if verdict == "accept":
            host = HOSTS.get(site)
            if result.returncode != 0:
                failures.append("%r should be accepted: %s" % (site, message))
            elif host and ("host %s" % host) not in result.stderr:
                failures.append("%r: the caption host should be %r: %s" % (site, host, message))
        elif result.returncode == 0:
            failures.append("%r should be refused" % site)
        elif ('LISTING_SITE_BASE is "%s' % site) not in message or "no trailing slash" not in message:
            failures.append("%r: the message does not name the value and the form: %s" % (site, message))
    if not seen:
        failures.append("no cases read from " + CASES)
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
