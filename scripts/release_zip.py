#!/usr/bin/python3
"""Writes tavune-<version>-win64.zip: the exe, the Japanese guide, the licence, the
third-party notices and the sample game. The same inputs give the same bytes: entries in
a fixed order with fixed times and attributes, and nothing taken from the machine.

Usage: release_zip.py SOURCE_ROOT TAVUNE_EXE OUTPUT_DIR   (prints the zip's path)
Entry times: SOURCE_DATE_EPOCH if set, else the last commit's time; with neither, no zip.
"""
import os
import re
import subprocess
import sys
import time
import zipfile

# Zip times are MS-DOS times, which begin in 1980.
DOS_EPOCH = 315532800

# Name in the zip, file under the source root, and whether it is text for Notepad.
# The exe is added first, from the path given.
FILES = [
    ("README-ja.txt", "docs/ja/guide.md", True),
    ("LICENSE.txt", "LICENSE", True),
    ("THIRD-PARTY-NOTICES.txt", "THIRD-PARTY-NOTICES.txt", True),
    ("gnugo-selfplay.sgf", "docs/games/gnugo-selfplay.sgf", False),
]


def product_version(root):
    """The PRODUCTVERSION of the program's version block, as 1.0.0.4."""
    with open(os.path.join(root, "res/tavune.rc"), encoding="utf-8") as rc:
        found = re.search(r"^PRODUCTVERSION\s+(\d+),\s*(\d+),\s*(\d+),\s*(\d+)\s*$", rc.read(), re.M)
    if not found:
        sys.exit("release_zip: no PRODUCTVERSION in res/tavune.rc")
    return ".".join(found.groups())


def entry_epoch(root):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        got = subprocess.run(["git", "-C", root, "log", "-1", "--format=%ct"],
                             capture_output=True, text=True)
        if got.returncode == 0 and got.stdout.strip().isdigit():
            return int(got.stdout)
        why = got.stderr.strip() or "no commit"
    except OSError as error:
        why = str(error)
    # A date of our own would give other bytes than the release's, with no warning.
    sys.exit("release_zip: git gives no commit date for %s: %s\nIn a source archive, or a "
             "checkout git will not read, set SOURCE_DATE_EPOCH to the commit's time." % (root, why))


def notepad_text(data):
    """UTF-8 with a byte order mark and CR LF line ends, which every Notepad reads right."""
    text = data.decode("utf-8").lstrip("\ufeff").replace("\r\n", "\n")
    return "\ufeff".encode("utf-8") + text.replace("\n", "\r\n").encode("utf-8")


def add_entry(archive, name, data, date_time):
    info = zipfile.ZipInfo(name, date_time)
    info.compress_type = zipfile.ZIP_DEFLATED
    # Made on "MS-DOS" with only the archive attribute, as Windows' own zip tools write:
    # no mode from this machine, and unzip gives the files the user's usual permissions.
    info.create_system = 0
    info.external_attr = 0x20
    archive.writestr(info, data, compresslevel=9)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    root, exe, out_dir = sys.argv[1:]
    date_time = time.gmtime(max(entry_epoch(root), DOS_EPOCH))[:6]
    os.makedirs(out_dir, exist_ok=True)
    target = os.path.join(out_dir, "tavune-%s-win64.zip" % product_version(root))
    partial = target + ".part"
    with zipfile.ZipFile(partial, "w") as archive:
        with open(exe, "rb") as f:
            add_entry(archive, "tavune.exe", f.read(), date_time)
        for name, source, is_text in FILES:
            with open(os.path.join(root, source), "rb") as f:
                data = f.read()
            add_entry(archive, name, notepad_text(data) if is_text else data, date_time)
    # A reader never sees half a zip under the real name.
    os.replace(partial, target)
    print(target)


if __name__ == "__main__":
    main()
