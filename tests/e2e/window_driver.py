"""Drives the film-listings program from outside, as a user would.

The pieces the end-to-end test and the headless demo run share: a private Xvfb,
a Wine prefix with the browser hook pointed at a recorder, the demo site, the
program under Wine, real X input through xdotool (XTEST events reach Wine's
windows without a window manager), and the window read back through
window-inspector.exe.

Every wait polls for a state with a generous time limit; nothing passes or
fails on how long something took.
"""

import os
import select
import shlex
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SCRIPTS = os.path.join(ROOT, "scripts")
sys.path.insert(0, SCRIPTS)
import demo_site  # noqa: E402

CLOSING_LEAD = "数据检索完成，共计".encode("gbk")
CLOSING_TAIL = "条信息".encode("gbk")


class DriveError(Exception):
    pass


def closing_text(total):
    return CLOSING_LEAD + str(total).encode("ascii") + CLOSING_TAIL


def wait_until(what, probe, timeout, interval=0.5):
    """probe() until it returns something true; its last value on success."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise DriveError("gave up after %d s waiting for %s" % (timeout, what))
        time.sleep(interval)


def read_line(process, timeout, what):
    """One line of a child's stdout, or an error naming what never came."""
    ready, _, _ = select.select([process.stdout], [], [], timeout)
    if not ready:
        raise DriveError("no %s within %d s" % (what, timeout))
    line = process.stdout.readline()
    if not line:
        raise DriveError("%s: the process ended (exit %s)" % (what, process.wait()))
    return line.decode("utf-8", "replace").strip()


def stop_process(process, name, grace=10):
    if process is None or process.poll() is not None:
        return
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        print("window_driver: %s (pid %d) ignored SIGTERM; killing it" % (name, process.pid), file=sys.stderr)
        process.kill()
        process.wait()


class Xvfb:
    """A private 1920x1080 display on a free display number."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1920x1080x24", "-nolisten", "tcp"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            ready, _, _ = select.select([numbers], [], [], 60)
            number = numbers.readline().strip() if ready else ""
        if not number:
            stop_process(self.process, "Xvfb")
            raise DriveError("Xvfb did not report a display")
        self.display = ":" + number

    def stop(self):
        stop_process(self.process, "Xvfb")


class DemoSite:
    """scripts/demo_site.py on the given address, with its request log;
    extra holds further options of the site (--pages, --delay-ms)."""

    def __init__(self, address, port, extra=()):
        self.process = subprocess.Popen(
            [sys.executable, os.path.join(SCRIPTS, "demo_site.py"), "--address", address, "--port", str(port)]
            + list(extra),
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

    def request_log(self):
        """Every request line the site has printed so far. Read straight from
        the descriptor: a buffered reader would hide lines from select()."""
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
        return self.requests

    def stop(self):
        stop_process(self.process, "demo site")


class WineSession:
    """A Wine prefix on a display: runs programs, sets registry values, and
    stops the prefix's wineserver at the end."""

    def __init__(self, prefix, display, locale="zh_CN.UTF-8"):
        self.env = dict(os.environ)
        self.env.update(WINEPREFIX=prefix, DISPLAY=display, LC_ALL=locale,
                        WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree=;mshtml=", WINEARCH="win64")
        # Wine's Internet clients can take a proxy from the environment; every
        # request here goes to loopback and must go there directly.
        for name in ("LANGUAGE", "http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"):
            self.env.pop(name, None)
        subprocess.run([os.path.join(SCRIPTS, "wine-prefix.sh")], env=self.env, check=True, timeout=300)

    def run(self, args, timeout=120):
        """Runs a Windows program to its end: (exit code, stdout bytes, stderr bytes).

        Its output goes through files, not pipes: the first program of a prefix
        starts the wineserver and Wine's own services, which inherit its
        descriptors and would hold a pipe open long after it ended."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            code = subprocess.run(["wine"] + args, env=self.env, stdout=out, stderr=err, timeout=timeout).returncode
            out.seek(0)
            err.seek(0)
            return code, out.read(), err.read()

    def start_with_output(self, args, out_path):
        """A Windows program started in the background, its output to a file."""
        with open(out_path, "wb") as out:
            return subprocess.Popen(["wine"] + args, env=self.env, stdout=out, stderr=subprocess.STDOUT)

    def start(self, program, log_path):
        log = open(log_path, "wb")
        return subprocess.Popen([os.path.join(SCRIPTS, "wine-run.sh"), program], env=self.env,
                                stdout=log, stderr=subprocess.STDOUT)

    def point_browser_at(self, recorder):
        """winebrowser runs the first program of this comma-separated list with
        the link as its one argument."""
        code, out, _ = self.run(["reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers",
                                 "/t", "REG_SZ", "/d", recorder, "/f"])
        if code != 0:
            raise DriveError("cannot set the browser hook: %s" % out.decode(errors="replace"))

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=60)


def write_recorder(path, record_file):
    """A stand-in browser: appends one line per call to record_file, the
    number of its arguments and then the arguments."""
    with open(path, "w") as script:
        script.write("#!/bin/sh\n# Stands in for the web browser: notes each link it is asked to open.\n"
                     "printf '%%s %%s\\n' \"$#\" \"$*\" >> %s\n" % shlex.quote(record_file))
    os.chmod(path, 0o755)


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
