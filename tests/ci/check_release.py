#!/usr/bin/env python3
"""Checks the release zip as a user would get it:

  - its name carries the version, it holds README.txt, LICENSE.txt,
    SHA256SUMS, x64/Velkor.exe and x86/Velkor.exe, in that order, all dated
    at the commit's time (--epoch);
  - every line of SHA256SUMS verifies, and it covers every other file;
  - README.txt and LICENSE.txt are UTF-8 with a byte-order mark and CR LF
    line ends (what Notepad on Windows XP shows correctly);
  - each exe carries the version in its version resource (numbers and texts)
    and no link time stamp;
  - each exe passes the XP import check (check_imports.py), the 32-bit one at
    most 400 KiB.

Usage: check_release.py ZIP --version V [--epoch SECONDS]
"""
import argparse
import hashlib
import os
import re
import struct
import subprocess
import sys
import tempfile
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
NAMES = ["README.txt", "LICENSE.txt", "SHA256SUMS", "x64/Velkor.exe", "x86/Velkor.exe"]
BOM = b"\xef\xbb\xbf"
VERSION_SIGNATURE = 0xFEEF04BD


class Checks:
    def __init__(self):
        self.failures = []

    def check(self, ok, what, detail=""):
        print(f"  {'ok  ' if ok else 'FAIL'}  {what}{'' if ok or not detail else ': ' + detail}")
        if not ok:
            self.failures.append(what)
        return ok


def pe_timestamp(exe):
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    return struct.unpack_from("<I", exe, pe + 8)[0]


def fixed_version(exe):
    """(file version, product version) of VS_FIXEDFILEINFO as "a.b.c.d" texts."""
    i = exe.find(struct.pack("<I", VERSION_SIGNATURE))
    if i < 0:
        return None, None
    fms, fls, pms, pls = struct.unpack_from("<IIII", exe, i + 8)
    text = lambda ms, ls: f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    return text(fms, fls), text(pms, pls)


def string_value(exe, key):
    """The text of a StringFileInfo value (the first one named `key`)."""
    name = (key + "\0").encode("utf-16-le")
    i = exe.find(name)
    if i < 0:
        return None
    i += len(name)
    i += -i % 4  # values start on a 32-bit boundary
    end = i
    while exe[end:end + 2] != b"\0\0":
        end += 2
    return exe[i:end].decode("utf-16-le")


def check_text(checks, name, data):
    checks.check(data.startswith(BOM), f"{name}: begins with the UTF-8 byte-order mark")
    body = data[len(BOM):]
    try:
        body.decode("utf-8")
        checks.check(True, f"{name}: UTF-8")
    except UnicodeDecodeError as e:
        checks.check(False, f"{name}: UTF-8", str(e))
    bare = len(re.findall(rb"(?<!\r)\n", body))
    checks.check(bare == 0 and body.endswith(b"\r\n"), f"{name}: CR LF line ends",
                 f"{bare} bare LF")


def check_exe(checks, name, exe, version, path):
    checks.check(pe_timestamp(exe) == 0, f"{name}: no link time stamp",
                 f"0x{pe_timestamp(exe):08x}")
    want = version + ".0"
    fixed = fixed_version(exe)
    checks.check(fixed == (want, want), f"{name}: version resource numbers {want}", str(fixed))
    for key in ("FileVersion", "ProductVersion"):
        value = string_value(exe, key)
        checks.check(value == version, f"{name}: version resource {key} \"{version}\"",
                     repr(value))
    args = [sys.executable, os.path.join(HERE, "check_imports.py"), path, "--quiet"]
    if name.startswith("x86/"):
        args += ["--max-kib", "400"]
    result = subprocess.run(args, capture_output=True, text=True)
    checks.check(result.returncode == 0, f"{name}: XP import check"
                 f"{' and at most 400 KiB' if name.startswith('x86/') else ''}",
                 (result.stdout + result.stderr).strip())
    print(f"        {result.stdout.strip().splitlines()[0] if result.stdout else ''}")


def main():
    ap = argparse.ArgumentParser(description="Checks the release zip.")
    ap.add_argument("zip")
    ap.add_argument("--version", required=True)
    ap.add_argument("--epoch", type=int)
    args = ap.parse_args()
    checks = Checks()
    checks.check(os.path.basename(args.zip) == f"Velkor-{args.version}-windows.zip",
                 f"the zip is named Velkor-{args.version}-windows.zip", args.zip)
    with zipfile.ZipFile(args.zip) as z:
        infos = z.infolist()
        files = {i.filename: z.read(i) for i in infos}
    checks.check([i.filename for i in infos] == NAMES, "the zip holds its five files in order",
                 str([i.filename for i in infos]))
    if args.epoch is not None:
        stamp = time.gmtime(max(args.epoch, 315532800))[:6]
        stamp = stamp[:5] + (stamp[5] // 2 * 2,)  # zip times count in 2 s
        checks.check(all(i.date_time == stamp for i in infos),
                     "every file is dated at the commit's time",
                     str(sorted({i.date_time for i in infos})))
    sums = files.get("SHA256SUMS", b"").decode("ascii", errors="replace").splitlines()
    listed = {}
    for line in sums:
        m = re.match(r"^([0-9a-f]{64})  (\S+)$", line)
        if checks.check(m is not None, f"SHA256SUMS line {line[:40]!r}... has the sha256sum form"):
            listed[m.group(2)] = m.group(1)
    checks.check(sorted(listed) == sorted(n for n in NAMES if n != "SHA256SUMS"),
                 "SHA256SUMS covers every other file", str(sorted(listed)))
    for name, digest in listed.items():
        actual = hashlib.sha256(files[name]).hexdigest() if name in files else None
        checks.check(actual == digest, f"SHA256SUMS: {name} verifies")
    for name in ("README.txt", "LICENSE.txt"):
        if name in files:
            check_text(checks, name, files[name])
    readme = files.get("README.txt", b"").decode("utf-8", errors="replace")
    checks.check(args.version in readme and "系统优化程序" in readme,
                 "README.txt names the version, in Chinese and English")
    with tempfile.TemporaryDirectory() as tmp:
        for name in ("x86/Velkor.exe", "x64/Velkor.exe"):
            if name not in files:
                continue
            path = os.path.join(tmp, name.replace("/", "-"))
            with open(path, "wb") as f:
                f.write(files[name])
            check_exe(checks, name, files[name], args.version, path)
    if checks.failures:
        print(f"release zip: FAILED {len(checks.failures)} checks")
        return 1
    print("release zip: all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
