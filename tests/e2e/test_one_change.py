"""One change at a time on the machine: the window, a second start of the
program and the command line at once, with real input and the recording
sc.exe holding a script in the middle of its run (sc_hold).

The same sequence twice, the one change started first from each side:
  - "下一步" in the window optimises, its fwyh.bat held at its first sc call;
    meanwhile a second start of the program (no switches) opens no second
    window, ends, and brings the open window to the front (over another
    program's window that had it); /restore /quiet and /undo /quiet from
    the command line give exit code 5 and name the change that goes on,
    "“系统常规优化”", writing no script; "恢复默认服务" in the same window is
    refused by name;
  - /restore /quiet from the command line is held in huifu.bat; "下一步" in
    the window and /optimize /quiet are refused the same way, naming
    "从命令行启动的“恢复默认服务”".
Once the hold is gone the change ends whole (the command line's with exit
code 0): sc saw exactly the calls of its script (79 of fwyh.bat, 80 of
huifu.bat) and nothing else, and there is one record more, registered.
"""
import os
import shutil
import subprocess
import threading
from dataclasses import dataclass

import pytest

import harness
import test_routine_optimisation as routine

RECORDS = "C:\\ProgramData\\Velkor\\undo"
WINDOW_CHANGE = "“系统常规优化”"
COMMAND_LINE_CHANGE = "从命令行启动的“恢复默认服务”"


def records(s):
    """The registered records: the folders named as records, and the values
    of the registration key."""
    folder = s.path_of(RECORDS)
    names = sorted(n for n in os.listdir(folder) if n[:1].isdigit()) if os.path.isdir(
        folder) else []
    values = s.reg_query("HKLM\\SOFTWARE\\Velkor\\Undo") or {}
    return names, sorted(values)


def hold(s):
    path = os.path.join(s.workdir, "sc_hold")
    open(path, "w").close()
    return path


def wait_held(s, when):
    held = harness.wait_until(lambda: s.sc_calls(), 90, what=f"{when}: the first sc call")
    assert held, f"{when}: a script is held at its first sc call"


def second_start(s):
    """Another program's window has the front; a second start of Velkor.exe
    ends, opens no window of its own and gives the front to the open one."""
    other = subprocess.Popen([s.wine, f"{harness.TOOLS_DIR_WIN}\\testwin.exe"], cwd=s.tools,
                             env=s.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        in_front = harness.wait_until(
            lambda: (s.focus() or {}).get("title") == "E2E 测试窗口", 30,
            what="the other window to come to the front")
        assert in_front, "another program's window has the front"
        second = subprocess.Popen([s.wine, f"{harness.WORK_DIR_WIN}\\Velkor.exe"],
                                  cwd=s.workdir, env=s.env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        try:
            code = second.wait(60)
        except subprocess.TimeoutExpired:
            second.kill()
            code = None
        assert code == 0, "a second start ends by itself with exit code 0"
        mains = [w for w in s.windows() if w["title"] == harness.MAIN_TITLE]
        assert len(mains) == 1, "still one main window"
        front = harness.wait_until(
            lambda: (s.focus() or {}).get("title") == harness.MAIN_TITLE, 10,
            what="the main window to come to the front")
        assert front, f"the open main window is brought to the front: {repr(s.focus())}"
    finally:
        other.kill()
        other.wait()


@dataclass
class First:
    """The change that goes on, and what is refused meanwhile."""
    when: str
    change: str  # how the refusals name it
    script: str  # the script held, whose calls sc sees
    calls: int
    refused_option: str  # the window's option whose 下一步 is refused
    refused_switches: tuple  # command lines refused
    second_start: bool  # a second start of the program is tried too


FIRST = {
    "window": First("while the window optimises", WINDOW_CHANGE, "fwyh.bat", 79, "huifu",
                    (("/restore", "/quiet"), ("/undo", "/quiet")), True),
    "command line": First("while the command line restores", COMMAND_LINE_CHANGE, "huifu.bat",
                          80, "moren", (("/optimize", "/quiet"),), False),
}


@pytest.fixture(scope="module")
def window(session):
    shutil.copy(harness.TESTWIN, os.path.join(session.tools, "testwin.exe"))
    return session.start()


@pytest.mark.usefixtures("window")
@pytest.mark.parametrize("side", FIRST)
def test_one_change(session, side):
    s, first, when = session, FIRST[side], FIRST[side].when
    before, _ = records(s)
    routine.untweak(s)
    path = hold(s)
    runner, first_run = None, {}
    try:
        if side == "window":
            routine.click_next_and_read_message(s, routine.OPTIMISED, "下一步")
        else:
            runner = threading.Thread(target=lambda: first_run.update(
                code=s.run_program("/restore", "/quiet", timeout=routine.SCRIPTS_TIMEOUT)[0]))
            runner.start()
        wait_held(s, when)
        if first.second_start:
            second_start(s)

        for args in first.refused_switches:
            with harness.ScriptCatcher(s.workdir, os.path.join(s.root, "caught")) as caught:
                code, out = s.run_program(*args, timeout=60)
            assert code == 5, f"{when}: {' '.join(args)} gives exit code 5"
            assert out.startswith(first.change + "仍在进行中，本次未作任何更改。"), (
                f"{when}: {' '.join(args)} names the change that goes on: {out!r}")
            assert sorted(caught.kept) == [], f"{when}: {' '.join(args)} writes no script"

        s.click(first.refused_option)
        s.click("Command1")
        message = s.close_message_box(timeout=30)
        assert message == first.change + "仍在进行中，请稍候再试。", (
            f"{when}: 下一步 with {first.refused_option} in the window is refused by name")
    finally:
        os.remove(path)
        if runner:
            runner.join(routine.SCRIPTS_TIMEOUT + 30)
    if runner:
        assert first_run.get("code") == 0, f"{when}: the run then ends with exit code 0"
    routine.wait_for_scripts(s, first.calls, when)
    routine.check_calls(s.sc_calls(), routine.expected_sc_calls(first.script),
                        f"{when}: sc saw exactly the {first.calls} calls of {first.script}")
    names, values = records(s)
    assert len(names) == len(before) + 1, f"{when}: one record more"
    assert values == names, f"{when}: that record registered, no other"
