#!/usr/bin/env python3
"""Packs a release zip whose bytes depend on its contents alone.

Every entry gets the same time (SOURCE_DATE_EPOCH, the commit's time), the same
permissions and the same compression, and entries go in the order given, so
two builds of one commit give the same zip wherever and whenever they ran.
"""
import argparse
import os
import sys
import time
import zipfile


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("zip", help="the zip to write")
    parser.add_argument("entries", nargs="+", metavar="NAME=FILE",
                        help="an entry's name in the zip and the file it holds, in zip order")
    args = parser.parse_args()

    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch or not epoch.isdigit():
        sys.exit("release_zip: SOURCE_DATE_EPOCH must be set to the commit's time (seconds)")
    # A zip cannot hold a time before 1980.
    stamp = max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))

    with zipfile.ZipFile(args.zip, "w") as archive:
        for entry in args.entries:
            name, _, path = entry.partition("=")
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 0  # as Windows' own zips: no Unix owner or mode
            info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)


if __name__ == "__main__":
    main()
