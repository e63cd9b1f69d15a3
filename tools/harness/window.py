"""Drives the film-listings program from outside, as a user would: real X
input through xdotool (XTEST events reach Wine's windows without a window
manager), and the window read back through window-inspector.exe.

Every wait polls for a state with a generous time limit; nothing passes or
fails on how long something took.
"""

import os
import subprocess

from .processes import DriveError, wait_until

CLOSING_LEAD = "数据检索完成，共计".encode("gbk")
CLOSING_TAIL = "条信息".encode("gbk")


def closing_text(total):
    return CLOSING_LEAD + str(total).encode("ascii") + CLOSING_TAIL


class Window:
    """The program's window as window-inspector.exe reads it."""

    def __init__(self, wine, inspector):
        self.wine = wine
        self.inspector = inspector

    def dump(self):
        """The window's state as a dict, or None while it cannot be read (not
        yet shown, or busy with a search run)."""
        code, out, _ = self.wine.run([self.inspector, "dump"])
        if code != 0:
            return None
        return parse_dump(out.decode("ascii", "replace"))

    def row_point(self, row):
        code, out, err = self.wine.run([self.inspector, "row", str(row)])
        if code != 0:
            raise DriveError("cannot place row %d: %s" % (row, err.decode(errors="replace").strip()))
        x, y = out.decode().split()[1].split(",")
        return int(x), int(y)

    def close(self):
        return self.wine.run([self.inspector, "close"])[0] == 0


def parse_dump(text):
    state = {"rows": [], "status": {}}
    for line in text.splitlines():
        words = line.split()
        if not words:
            continue
        key = words[0]
        if key == "row":
            state["rows"].append((unhex(words[2]), unhex(words[3])))
        elif key == "status":
            state["status"][int(words[1])] = unhex(words[2])
        elif key.endswith("-text") or key == "caption":
            state[key] = unhex(words[1])
        elif key in ("list-rows", "list-selection", "combo-selection", "status-parts"):
            state[key] = int(words[1])
        else:
            fields = dict(word.split("=", 1) for word in words[1:])
            state[key] = {
                "rect": tuple(int(v) for v in fields["rect"].split(",")),
                "center": tuple(int(v) for v in fields["center"].split(",")),
                "enabled": fields["enabled"] == "1",
            }
    return state


def unhex(word):
    return b"" if word == "-" else bytes.fromhex(word)


class Pointer:
    """Real X input on one display through xdotool."""

    def __init__(self, display):
        self.env = dict(os.environ, DISPLAY=display)

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, check=True, timeout=60)

    def click(self, point, button=1):
        self.xdotool("mousemove", "--sync", point[0], point[1], "click", button)

    def key(self, *names):
        self.xdotool("key", "--delay", 80, *names)

    def type(self, text):
        self.xdotool("type", "--delay", 80, text)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True, timeout=120)


def prepare_search(window, pointer, category, pages_text):
    """Chooses the category and types the page count; returns the window's
    state, with the button's place."""
    state = wait_until("the window", window.dump, 120)
    if state.get("combo-selection") != category:
        # The list drops down on the click; the arrow keys move its selection
        # and Return takes it.
        pointer.click(state["combo"]["center"])
        pointer.key("Home", *(["Down"] * category), "Return")
        wait_until("category %d to be chosen" % category,
                   lambda: (window.dump() or {}).get("combo-selection") == category, 60)
    pointer.click(state["edit"]["center"])
    pointer.key("ctrl+a", "BackSpace")
    pointer.type(pages_text)
    wait_until("the page count to be typed",
               lambda: (window.dump() or {}).get("edit-text") == pages_text.encode("ascii"), 60)
    return state


def wait_for_closing(window, timeout):
    def finished():
        now = window.dump()
        if now and now["button"]["enabled"] and now["status"].get(1, b"").startswith(CLOSING_LEAD):
            return now
        return None
    return wait_until("the search to finish", finished, timeout, interval=1)


def search(window, pointer, category, pages_text, timeout=300):
    """Chooses the category, types the page count, clicks the button and waits
    for the run to end; returns the window's state after it."""
    state = prepare_search(window, pointer, category, pages_text)
    pointer.click(state["button"]["center"])
    return wait_for_closing(window, timeout)
