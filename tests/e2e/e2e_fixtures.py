"""The pytest fixtures of the end-to-end tests (loaded by conftest.py, and by
`-p e2e_fixtures` where a runner lives outside tests/e2e).

  exe      the exe under test (VELKOR_EXE, by default the win-x64 build's);
           every test is parametrized by it, so that each result line names
           it: test_undo.py::test_undo[32-bit exe build/win-x86/Velkor.exe]
  arch     "x86" or "x64", the exe's architecture
  session  the module's harness.Session: a private Wine prefix and X display,
           set up once for all the tests of a file (a Wine session takes
           seconds to start); a module's SCREEN sets its Xvfb screen
  display  the session's X display

A failed test leaves the screen at e2e-screens/<test>-failure.png in the
build folder.
"""
import os
import re

import pytest

import harness
import wineprefix


def pytest_report_header(config):
    return f"end-to-end tests of the {exe_name()} under Wine"


def exe_path():
    return os.environ.get("VELKOR_EXE") or harness.EXE


def exe_name():
    """The name of the exe under test in results: VELKOR_EXE_LABEL when a
    runner names it, else its bits and its path."""
    return os.environ.get("VELKOR_EXE_LABEL") or harness.exe_label(exe_path())


# A parametrized fixture rather than direct parametrization: pytest then keeps
# one module-scoped session for every test of a file, however each test asks
# for its fixtures (directly, or through usefixtures).
@pytest.fixture(scope="session", params=[exe_path()], ids=[exe_name()])
def exe(request):
    return request.param


@pytest.fixture(scope="session")
def arch(exe):
    return "x86" if wineprefix.is_32_bit(exe) else "x64"


@pytest.fixture(scope="module")
def session(request, exe):
    name = request.module.__name__.rsplit(".", 1)[-1]
    name = name[len("test_"):] if name.startswith("test_") else name
    screen = getattr(request.module, "SCREEN", "1024x768x24")
    harness.log(f"{name}: testing the {exe_name()}")
    with harness.Session(name, screen) as s:
        yield s


@pytest.fixture(scope="module")
def display(session):
    return session.display


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    s = getattr(item, "funcargs", {}).get("session")
    if report.when != "call" or s is None:
        return
    name = re.sub(r"[^\w.-]+", "_", item.name.replace(exe_name(), "")).strip("_-")
    shot = os.path.join(harness.SCREENS_DIR, f"{name}-failure.png")
    if report.passed:
        if os.path.exists(shot):
            os.remove(shot)
        return
    try:
        report.sections.append(("screen at the failure", s.screenshot(shot)))
    except Exception as e:  # the display may be gone with what failed
        report.sections.append(("screen at the failure", f"no screenshot: {e}"))
