#!/usr/bin/env python3
"""Python's re over a list page, as a peer for the extraction benchmark:
    python_re_loop.py PAGE PATTERN SECONDS
Matches the pattern on bytes (ASCII classes) with letter case ignored, reads
both groups of every match, and prints "<MB/s> <matches per page>", counting
processor time as Google Benchmark does."""
import re
import sys
import time

page = open(sys.argv[1], "rb").read()
expression = re.compile(sys.argv[2].encode(), re.IGNORECASE)
seconds = float(sys.argv[3])
passes = found = 0
kept = 0
start = time.process_time()
while time.process_time() - start < seconds:
    found = 0
    for match in expression.finditer(page):
        kept += len(match.group(1)) + len(match.group(2))
        found += 1
    passes += 1
elapsed = time.process_time() - start
print("%.1f %d" % (passes * len(page) / elapsed / 1e6, found))
