"""The files the loopback servers serve to the downloader's and the
command-line program's tests: a few fixed bodies and three list pages of the
site, with the rows each page must give."""

import os

from . import servers
from .pages import list_page_path, make_list_page, rows_file_text

ORDINARY_SIZE = 20000
BIG_SIZE = 5 * 1024 * 1024


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def prepare_site(work):
    """Writes nginx's root, the scripted server's static copy (without page
    2) and the expected rows below work; returns the three folders."""
    www = os.path.join(work, "www")
    static = os.path.join(work, "static")
    rows = os.path.join(work, "rows")
    write(os.path.join(www, "page.bin"), servers.pattern(ORDINARY_SIZE))
    write(os.path.join(www, "big.bin"), servers.pattern(BIG_SIZE))
    write(os.path.join(www, "empty.html"), b"")
    for page in (1, 2, 3):
        body, expected = make_list_page(0, page)
        path = list_page_path(0, page).lstrip("/")
        write(os.path.join(www, path), body)
        write(os.path.join(rows, "page-%d.rows" % page), rows_file_text(expected))
        if page != 2:  # the scripted copy of the site lacks page 2
            write(os.path.join(static, path), body)
    make_readable(www)
    return www, static, rows


def make_readable(root):
    """nginx's workers run as www-data unless we are root: they must be able
    to read a web root that mkdtemp made private."""
    for folder, _, files in os.walk(root):
        os.chmod(folder, 0o755)
        for name in files:
            os.chmod(os.path.join(folder, name), 0o644)
