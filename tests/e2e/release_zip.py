#!/usr/bin/env python3
"""One of the release zip's exes under Wine: taken out of the zip, it starts,
shows its window, and its about panel names the version the zip's name
carries. Run by test.sh after release.sh, for the 32-bit exe and the 64-bit
exe in turn.

Usage: release_zip.py dist/Velkor-<version>-windows.zip x86|x64
"""
import os
import re
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


def test_zip(path, arch):
    version = re.match(r"^Velkor-(.+)-windows\.zip$", os.path.basename(path))

    def test(s, checks):
        if not checks.check(version is not None, "the zip's name carries a version", path):
            return
        with tempfile.TemporaryDirectory() as tmp:
            exe = os.path.join(tmp, "Velkor.exe")
            with zipfile.ZipFile(path) as z, open(exe, "wb") as f:
                f.write(z.read(f"{arch}/Velkor.exe"))
            checks.equal(harness.wineprefix.is_32_bit(exe), arch == "x86",
                         f"{arch}/Velkor.exe is a {'32' if arch == 'x86' else '64'}-bit exe")
            tree = s.start(exe)
        checks.equal(tree.window["title"], harness.MAIN_TITLE, "the window's title")
        checks.check(tree.window["visible"], "the window is visible")
        checks.equal([p for p in ("xtyh", "oemxx", "gybcx") if tree[p]["visible"]], ["xtyh"],
                     "it opens on the routine-optimisation panel")
        s.click("gy", tree)
        about = harness.wait_until(
            lambda: (lambda t: t if t["gybcx"]["visible"] else None)(s.tree()), 5,
            what="the about panel")
        if checks.check(about is not None, "a click on 关于本程序 shows the about panel"):
            checks.equal(about["Label7"]["text"], "程序版本:" + version.group(1),
                         "the about panel shows the zip's version")

    return test


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[2] not in ("x86", "x64"):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    arch = sys.argv[2]
    harness.main(test_zip(sys.argv[1], arch), f"release_zip_{arch}",
                 label=f"{'32' if arch == 'x86' else '64'}-bit exe {arch}/Velkor.exe of the zip")
