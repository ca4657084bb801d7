#!/usr/bin/env python3
"""One of the release zip's exes under Wine, as a pytest test: taken out of
the zip, it starts, shows its window, and its about panel names the version
the zip's name carries. Run by test.sh after release.sh, for the 32-bit exe
and the 64-bit exe in turn.

Usage: release_zip.py dist/Velkor-<version>-windows.zip x86|x64
"""
import os
import re
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import wineprefix  # noqa: E402

ZIP = os.environ.get("VELKOR_RELEASE_ZIP", "")
ARCH = os.environ.get("VELKOR_RELEASE_ARCH", "")


def test_release_zip(session, exe):
    version = re.match(r"^Velkor-(.+)-windows\.zip$", os.path.basename(ZIP))
    assert version is not None, f"the zip's name carries a version: {ZIP}"
    assert wineprefix.is_32_bit(exe) == (ARCH == "x86"), (
        f"{ARCH}/Velkor.exe is a {'32' if ARCH == 'x86' else '64'}-bit exe")
    tree = session.start(exe)
    assert tree.window["title"] == harness.MAIN_TITLE, "the window's title"
    assert tree.window["visible"], "the window is visible"
    assert [p for p in ("xtyh", "oemxx", "gybcx") if tree[p]["visible"]] == ["xtyh"], (
        "it opens on the routine-optimisation panel")
    session.click("gy", tree)
    about = harness.wait_until(
        lambda: (lambda t: t if t["gybcx"]["visible"] else None)(session.tree()), 5,
        what="the about panel")
    assert about is not None, "a click on 关于本程序 shows the about panel"
    assert about["Label7"]["text"] == "程序版本:" + version.group(1), (
        "the about panel shows the zip's version")


if __name__ == "__main__":
    import pytest

    if len(sys.argv) != 3 or sys.argv[2] not in ("x86", "x64"):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    path, arch = os.path.abspath(sys.argv[1]), sys.argv[2]
    with tempfile.TemporaryDirectory() as tmp:
        exe = os.path.join(tmp, "Velkor.exe")
        with zipfile.ZipFile(path) as z, open(exe, "wb") as f:
            f.write(z.read(f"{arch}/Velkor.exe"))
        os.environ.update(VELKOR_RELEASE_ZIP=path, VELKOR_RELEASE_ARCH=arch, VELKOR_EXE=exe,
                          VELKOR_EXE_LABEL=f"{'32' if arch == 'x86' else '64'}-bit exe "
                                           f"{arch}/Velkor.exe of the zip")
        sys.exit(pytest.main([os.path.abspath(__file__)]))
