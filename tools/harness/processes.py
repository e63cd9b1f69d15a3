"""Waiting for states and stopping what we started, by the ids we hold."""

import contextlib
import signal
import subprocess
import sys
import time


class DriveError(Exception):
    """Something the harness waited for never came."""


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


def stop_process(process, name, grace=10):
    """SIGTERM, then SIGKILL after `grace` seconds; nothing if it has ended."""
    if process is None or process.poll() is not None:
        return
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        print("harness: %s (pid %d) ignored SIGTERM; killing it" % (name, process.pid), file=sys.stderr)
        process.kill()
        process.wait()



def stop_program(process):
    """stop_process for the program under test, as Started.add takes it."""
    stop_process(process, "program")


class Started(contextlib.ExitStack):
    """What a run started, stopped last first however the run ends:

        with Started() as started:
            xvfb = started.add(Xvfb())
            tool = started.add(wine.start(...), stop_program)

    add() takes anything with a stop() method, or a thing and how to stop it.
    """

    def add(self, thing, stop=None):
        if stop is None:
            self.callback(thing.stop)
        else:
            self.callback(stop, thing)
        return thing
