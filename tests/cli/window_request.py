"""The request the window program's downloader sends for a page, byte for byte.

window-request.txt holds it as Wine's WinINet sent it to the scripted server
(harness.servers), with {path} and {host} for the parts that vary and
plain line ends for CRLF. window_request_test.py checks that the window
program still sends exactly this; cli_test.py that film-listings-cli does.
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))


def window_request(path, site):
    """The bytes of the GET of path (from "/") on site ("http://host:port")."""
    with open(os.path.join(HERE, "window-request.txt"), "rb") as f:
        template = f.read().replace(b"\n", b"\r\n")
    host = site.split("//", 1)[1].encode("ascii")
    return template.replace(b"{path}", path.encode("ascii")).replace(b"{host}", host)
