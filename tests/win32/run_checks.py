#!/usr/bin/env python3
"""Runs the checks of the Windows-only code under Wine, in a session of the
end-to-end harness (a private prefix and an X display: some checks create
windows). Each line "ok NAME" or "FAIL NAME" of the exe is one check.

    run_checks.py build/win-x64/win32_checks.exe
"""
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "e2e"))
import harness  # noqa: E402

EXE = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(
    harness.BUILD_DIR, "win32_checks.exe")


def test(s, checks):
    shutil.copy(EXE, os.path.join(s.workdir, "win32_checks.exe"))
    code, output = s.run_wine(f"{harness.WORK_DIR_WIN}\\win32_checks.exe")
    results = 0
    for line in output.splitlines():
        if line.startswith(("ok ", "FAIL ")):
            results += 1
            checks.check(line.startswith("ok "), line.split(None, 1)[1])
        elif line.strip():
            print(f"  {line}")
    checks.check(results > 0, "the checks ran", output)
    checks.equal(code, 0, "the exit code (failed checks)")


if __name__ == "__main__":
    harness.main(test, "win32_checks")
