"""One change at a time on the machine: the window, a second start of the
program and the command line at once, with real input and the recording
sc.exe holding a script in the middle of its run (sc_hold).

  1. "下一步" in the window optimises; its fwyh.bat is held at its first sc
     call. Meanwhile:
       - a second start of the program (no switches) opens no second window,
         ends, and brings the open window to the front (over another
         program's window that had it);
       - /restore /quiet and /undo /quiet from the command line give exit
         code 5 and name the change that goes on, "“系统常规优化”";
       - "恢复默认服务" in the same window is refused by name.
     Once the hold is gone the optimisation ends whole: sc saw exactly the
     79 calls of fwyh.bat, no call of huifu.bat, and there is one record.
  2. The other way round: /restore /quiet from the command line is held in
     huifu.bat; "下一步" in the window and /optimize /quiet are refused,
     naming "从命令行启动的“恢复默认服务”"; the run then ends with exit code 0,
     sc saw exactly the 80 calls of huifu.bat, and there are two records.
"""
import os
import shutil
import subprocess
import threading

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


def window_first(s):
    when = "while the window optimises"
    routine.untweak(s)
    path = hold(s)
    try:
        routine.click_next_and_read_message(s, routine.OPTIMISED, "下一步")
        wait_held(s, when)
        second_start(s)

        for args in (("/restore", "/quiet"), ("/undo", "/quiet")):
            with harness.ScriptCatcher(s.workdir, os.path.join(s.root, "caught")) as caught:
                code, out = s.run_program(*args, timeout=60)
            assert code == 5, f"{when}: {' '.join(args)} gives exit code 5"
            assert out.startswith(WINDOW_CHANGE + "仍在进行中，本次未作任何更改。"), (
                f"{when}: {' '.join(args)} names the window's change: {repr(out)}")
            assert sorted(caught.kept) == [], f"{when}: {' '.join(args)} writes no script"

        s.click("huifu")
        s.click("Command1")
        message = s.close_message_box(timeout=30)
        assert message == WINDOW_CHANGE + "仍在进行中，请稍候再试。", (
            f"{when}: 恢复默认服务 in the same window is refused by name")
    finally:
        os.remove(path)
    routine.wait_for_scripts(s, 79, when)
    routine.check_calls(s.sc_calls(), routine.expected_sc_calls("fwyh.bat"),
                        f"{when}: sc saw exactly the 79 calls of fwyh.bat")
    names, values = records(s)
    assert len(names) == 1, f"{when}: one record"
    assert values == names, f"{when}: that record registered, no other"


def command_line_first(s):
    when = "while the command line restores"
    os.remove(os.path.join(s.workdir, "sc_calls.log"))
    path = hold(s)
    first = {}
    runner = threading.Thread(target=lambda: first.update(
        result=s.run_program("/restore", "/quiet", timeout=routine.SCRIPTS_TIMEOUT)))
    try:
        runner.start()
        wait_held(s, when)
        s.click("moren")
        s.click("Command1")
        message = s.close_message_box(timeout=30)
        assert message == COMMAND_LINE_CHANGE + "仍在进行中，请稍候再试。", (
            f"{when}: 下一步 in the window is refused by name")
        code, out = s.run_program("/optimize", "/quiet", timeout=60)
        assert code == 5, f"{when}: a second command line gives exit code 5"
        assert COMMAND_LINE_CHANGE + "仍在进行中" in out, (
            f"{when}: a second command line names the first: {repr(out)}")
    finally:
        os.remove(path)
        runner.join(routine.SCRIPTS_TIMEOUT + 30)
    code, _ = first.get("result", (None, ""))
    assert code == 0, f"{when}: the run then ends with exit code 0"
    routine.check_calls(s.sc_calls(), routine.expected_sc_calls("huifu.bat"),
                        f"{when}: sc saw exactly the 80 calls of huifu.bat")
    names, values = records(s)
    assert len(names) == 2, f"{when}: two records now"
    assert values == names, f"{when}: both registered, no other"


def test_one_change(session):
    shutil.copy(harness.TESTWIN, os.path.join(session.tools, "testwin.exe"))
    session.start()
    window_first(session)
    command_line_first(session)

