"""A private X display, started by the same shell function the test command
and the Wine runner use (scripts/xvfb.sh), so that there is one definition of
its size and options."""

import os
import signal
import subprocess
import time

from .processes import DriveError

XVFB_SH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "xvfb.sh")


class Xvfb:
    """A private 1920x1080 display on a free display number."""

    def __init__(self):
        started = subprocess.run(["bash", "-c", '. "$1" && start_xvfb && echo "$DISPLAY $XVFB_PID"', "xvfb", XVFB_SH],
                                 capture_output=True, text=True, timeout=60)
        words = started.stdout.split()
        if started.returncode != 0 or len(words) != 2:
            raise DriveError("Xvfb did not report a display: %s" % started.stderr.strip())
        self.display, self.pid = words[0], int(words[1])

    def stop(self, grace=10):
        # Not our child (the shell that started it has ended): stop it by its
        # id and wait until the id is gone.
        try:
            os.kill(self.pid, signal.SIGTERM)
        except ProcessLookupError:
            return
        deadline = time.monotonic() + grace
        while self._running():
            if time.monotonic() > deadline:
                os.kill(self.pid, signal.SIGKILL)
                return
            time.sleep(0.05)

    def _running(self):
        # An ended process that nobody has reaped yet still has its id.
        try:
            with open("/proc/%d/stat" % self.pid) as stat:
                return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
        except (FileNotFoundError, ProcessLookupError, IndexError):
            return False
