#!/usr/bin/env python3
"""Runs the checks of the Windows-only code under Wine, as a pytest test in a
session of the end-to-end harness (a private prefix and an X display: some
checks create windows). Each line "ok NAME" or "FAIL NAME" of the exe is one
check; the test fails naming every FAIL.

    run_checks.py build/win-x64/win32_checks.exe
"""
import os
import shutil
import sys

E2E = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "e2e")
sys.path.insert(0, E2E)
import harness  # noqa: E402


def checks_exe():
    return os.environ.get("VELKOR_WIN32_CHECKS") or os.path.join(harness.BUILD_DIR,
                                                                 "win32_checks.exe")


def test_win32_checks(session):
    shutil.copy(checks_exe(), os.path.join(session.workdir, "win32_checks.exe"))
    code, output = session.run_wine(f"{harness.WORK_DIR_WIN}\\win32_checks.exe")
    print(output)
    results = [line for line in output.splitlines() if line.startswith(("ok ", "FAIL "))]
    assert results, f"the checks ran: {output!r}"
    assert [line for line in results if not line.startswith("ok ")] == [], "failed checks"
    assert code == 0, "the exit code (failed checks)"


if __name__ == "__main__":
    import pytest

    if len(sys.argv) > 1:
        os.environ["VELKOR_WIN32_CHECKS"] = os.path.abspath(sys.argv[1])
    os.environ["VELKOR_EXE_LABEL"] = harness.exe_label(checks_exe())
    sys.exit(pytest.main([os.path.abspath(__file__), "-c", os.path.join(E2E, "pytest.ini"),
                          "-p", "e2e_fixtures"]))
