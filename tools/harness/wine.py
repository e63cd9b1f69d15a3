"""Wine prefixes on a display: the environment every run of ours has (from
scripts/wine-env.sh, which the shell scripts source too), programs run to
their end or in the background, the browser hook, and the prefix's
wineserver stopped at the end."""

import os
import shlex
import subprocess
import tempfile

from .processes import DriveError

SCRIPTS = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))


def wine_environment(base):
    """base as scripts/wine-env.sh leaves it."""
    dump = subprocess.run(["bash", "-c", '. "$1" && env -0', "wine-env", os.path.join(SCRIPTS, "wine-env.sh")],
                          env=base, check=True, capture_output=True, timeout=60).stdout
    env = dict(item.split("=", 1) for item in dump.decode("utf-8", "surrogateescape").split("\0") if "=" in item)
    for shell_own in ("_", "SHLVL", "PWD", "OLDPWD"):
        if shell_own not in base:
            env.pop(shell_own, None)
    return env


class WineSession:
    """A Wine prefix on a display: runs programs, sets registry values, and
    stops the prefix's wineserver at the end."""

    def __init__(self, prefix, display, locale=None):
        """locale: LC_ALL for Wine; None keeps the caller's own."""
        base = dict(os.environ, WINEPREFIX=prefix, DISPLAY=display)
        if locale:
            base["LC_ALL"] = locale
        self.env = wine_environment(base)
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
