#!/usr/bin/env python3
"""Two copies of the source in different folders, released one after the other
for the same site, must give byte-identical programs and zips; the release is
one static 64-bit GUI program importing system DLLs only, and a bad site stops
the release with the configure's message."""
import argparse
import os
import shutil
import subprocess
import sys
import time
import zipfile

SYSTEM_DLLS = {"COMCTL32.dll", "GDI32.dll", "KERNEL32.dll", "msvcrt.dll", "SHELL32.dll", "USER32.dll", "WININET.dll"}


def copy_source(source, into):
    """The files a clone would hold, as they are in the working tree."""
    listed = subprocess.run(["git", "-C", source, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                            check=True, capture_output=True).stdout.split(b"\0")
    shutil.rmtree(into, ignore_errors=True)
    for name in filter(None, (n.decode() for n in listed)):
        origin = os.path.join(source, name)
        if not os.path.lexists(origin):
            continue  # deleted in the working tree
        target = os.path.join(into, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(origin, target, follow_symlinks=False)


def release(tree, site, env):
    result = subprocess.run([os.path.join(tree, "scripts", "release.sh"), site], env=env,
                            capture_output=True, text=True)
    return result


def imports(program):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", program], check=True, capture_output=True,
                          text=True).stdout
    return {line.split(":", 1)[1].strip() for line in dump.splitlines() if "DLL Name:" in line}, dump


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()

    env = dict(os.environ)
    env["SOURCE_DATE_EPOCH"] = subprocess.run(["git", "-C", args.source, "log", "-1", "--format=%ct"], check=True,
                                              capture_output=True, text=True).stdout.strip()
    failures = []
    results = {}
    for name in ("first", "second-elsewhere"):
        tree = os.path.join(args.work, name)
        copy_source(args.source, tree)
        result = release(tree, "http://www.example.com", env)
        if result.returncode != 0:
            print(result.stdout, result.stderr)
            print("FAIL the release in %s ended with %d" % (tree, result.returncode))
            return 1
        zip_path = result.stdout.strip().splitlines()[-1]
        results[name] = (tree, zip_path)
        time.sleep(2)  # the second build starts at another time

    (first, first_zip), (second, second_zip) = results.values()
    program = os.path.join("build", "release", "ui", "film-listings.exe")
    for what, a, b in [("program", os.path.join(first, program), os.path.join(second, program)),
                       ("zip", first_zip, second_zip),
                       ("SHA256SUMS", os.path.join(first, "dist", "SHA256SUMS"),
                        os.path.join(second, "dist", "SHA256SUMS"))]:
        with open(a, "rb") as one, open(b, "rb") as other:
            if one.read() != other.read():
                failures.append("the %s differs between %s and %s" % (what, a, b))

    if os.path.basename(first_zip) != "film-listings-%s-win64.zip" % open(
            os.path.join(first, "build", "release", "version.txt")).read().strip():
        failures.append("zip name %s does not carry the project version" % first_zip)
    with zipfile.ZipFile(first_zip) as archive:
        if archive.namelist() != ["film-listings.exe", "README.txt"]:
            failures.append("zip holds %s" % archive.namelist())
        with open(os.path.join(first, program), "rb") as built:
            if archive.read("film-listings.exe") != built.read():
                failures.append("the zip's program is not the built one")
    with open(os.path.join(first, "dist", "SHA256SUMS")) as sums:
        if not sums.read().endswith("  " + os.path.basename(first_zip) + "\n"):
            failures.append("SHA256SUMS does not name the zip")

    dlls, dump = imports(os.path.join(first, program))
    if not dlls or not dlls <= SYSTEM_DLLS:
        failures.append("imports beyond system DLLs: %s" % sorted(dlls - SYSTEM_DLLS))
    if "Magic\t\t\t020b" not in dump or "Subsystem\t\t00000002" not in dump:
        failures.append("not a 64-bit GUI program")
    with open(os.path.join(first, program), "rb") as built:
        data = built.read()
        if args.work.encode() in data or first.encode() in data or b".debug_info" in data:
            failures.append("the program holds its build folder or debug information")

    bad = release(os.path.join(args.work, "first"), "http://www.example.com/films", env)
    if bad.returncode == 0 or 'LISTING_SITE_BASE is "http://www.example.com/films"' not in " ".join(bad.stderr.split()):
        failures.append("a bad site did not stop the release with the configure's message: %s" % bad.stderr)

    for failure in failures:
        print("FAIL", failure)
    if not failures:
        print("identical release built twice:", first_zip, second_zip)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
