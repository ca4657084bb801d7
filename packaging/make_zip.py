#!/usr/bin/env python3
"""Writes the release download, OUT/Velkor-<version>-windows.zip:

    README.txt       packaging/README.txt with the version
    LICENSE.txt      LICENSE
    SHA256SUMS       the SHA-256 of the other files, as sha256sum writes them
    x64/Velkor.exe
    x86/Velkor.exe

The same inputs give the same bytes on any machine: the entries in this fixed
order, each dated at --epoch (the commit's time), with no owner, permissions
or extra fields. README.txt and LICENSE.txt are UTF-8 with a byte-order mark
and CR LF line ends: Notepad on Windows XP reads the mark as UTF-8 whatever
the system's code page (a GBK file would be mojibake on a Western XP), and
needs CR LF to break lines.

Usage: make_zip.py --version V --epoch SECONDS --x86 EXE --x64 EXE --out DIR
"""
import argparse
import hashlib
import os
import sys
import tempfile
import time
import zipfile

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def notepad_text(text):
    """UTF-8 with a byte-order mark, CR LF after every line."""
    lines = text.replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return b"\xef\xbb\xbf" + "".join(line + "\r\n" for line in lines).encode("utf-8")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def contents(version, x86, x64):
    """[(name in the zip, bytes)] in the zip's order."""
    readme = read(os.path.join(REPO, "packaging", "README.txt")).decode("utf-8")
    files = [
        ("README.txt", notepad_text(readme.replace("@VERSION@", version))),
        ("LICENSE.txt", notepad_text(read(os.path.join(REPO, "LICENSE")).decode("utf-8"))),
        ("x64/Velkor.exe", read(x64)),
        ("x86/Velkor.exe", read(x86)),
    ]
    sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in files)
    return files[:2] + [("SHA256SUMS", sums.encode("ascii"))] + files[2:]


def write_zip(path, files, epoch):
    # Zip times have no zone and start in 1980; the commit's time in UTC.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    folder = os.path.dirname(os.path.abspath(path))
    os.makedirs(folder, exist_ok=True)
    fd, partial = tempfile.mkstemp(prefix=".velkor-zip-", dir=folder)
    try:
        with os.fdopen(fd, "wb") as out, zipfile.ZipFile(out, "w") as z:
            for name, data in files:
                info = zipfile.ZipInfo(name, date_time=stamp)
                info.compress_type = zipfile.ZIP_DEFLATED
                info.create_system = 0  # MS-DOS: no Unix owner or mode
                info.external_attr = 0
                z.writestr(info, data, compresslevel=9)
        os.chmod(partial, 0o644)
        os.replace(partial, path)
    except BaseException:
        os.unlink(partial)
        raise


def main():
    ap = argparse.ArgumentParser(description="Writes the release zip.")
    ap.add_argument("--version", required=True)
    ap.add_argument("--epoch", type=int, required=True, help="seconds since 1970 (UTC)")
    ap.add_argument("--x86", required=True)
    ap.add_argument("--x64", required=True)
    ap.add_argument("--out", required=True, help="the folder to write the zip into")
    args = ap.parse_args()
    path = os.path.join(args.out, f"Velkor-{args.version}-windows.zip")
    write_zip(path, contents(args.version, args.x86, args.x64), args.epoch)
    print(f"{hashlib.sha256(read(path)).hexdigest()}  {path}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
