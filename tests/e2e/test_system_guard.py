"""The guard outside Windows XP end to end: the prefix reports Windows 10.

  0. From the command line, /optimize /quiet gives exit code 4, names
     Windows 10 and /force, and writes nothing.
  1. "下一步" first asks the question with Yes and No, naming Windows 10;
     "否" writes nothing: no script, no sc call, no snapshot, no tweak.
  2. The per-service dialog's "确定" asks the same; "否" writes nothing.
  3. "下一步" again, "是": the optimisation runs as on XP (its message, its
     scripts, its snapshot).
"""
import os

import test_routine_optimisation as routine

QUESTION = ("本程序的服务设置是为 Windows XP 设计的，当前系统是 Windows 10。"
            "继续可能停用该系统需要的服务。是否继续？")
IDOK, IDYES, IDNO = 1, 6, 7
SERVICE_DIALOG = "详细服务优化"


def snapshots(s):
    return os.path.exists(s.path_of("C:\\ProgramData\\Velkor\\undo"))


def answer_question(s, button, when):
    box = s.message_box(timeout=15)
    assert box is not None, f"{when}: a question is asked"
    assert box["message"] == QUESTION, f"{when}: the question names Windows 10"
    assert sorted(b["id"] for b in box["buttons"] if b["visible"]) == [IDYES, IDNO], (
        f"{when}: with the buttons 是 and 否")
    s.close_message_box(button_id=button)


def check_nothing_written(s, when):
    assert s.message_box(timeout=3) is None, f"{when}: no message follows 否"
    assert routine.leftovers(s) == [], f"{when}: no script written"
    assert s.sc_calls() == [], f"{when}: sc was not called"
    assert not snapshots(s), f"{when}: no snapshot written"
    routine.check_untweaked(s, when)


def test_system_guard(session):
    session.set_windows_version("win10")
    routine.untweak(session)
    code, out = session.run_program("/optimize", "/quiet", timeout=60)
    assert code == 4, "/optimize on Windows 10: exit code 4"
    assert "当前系统是 Windows 10" in out and "/force" in out, (
        f"/optimize on Windows 10: says why and how to go on: {repr(out)}")
    check_nothing_written(session, "/optimize on Windows 10")
    session.start()

    session.click("Command1")
    answer_question(session, IDNO, "下一步")
    check_nothing_written(session, "下一步")

    tree = session.system_menu_item(session.SERVICE_ITEM, SERVICE_DIALOG)
    ok = next(c for c in tree.controls if c["id"] == IDOK)
    session.click_at(*session.centre(ok))
    answer_question(session, IDNO, "per-service dialog")
    check_nothing_written(session, "per-service dialog")

    session.click("Command1")
    answer_question(session, IDYES, "下一步 again")
    assert session.close_message_box(timeout=30) == routine.OPTIMISED, "是: the optimisation runs"
    routine.wait_for_scripts(session, 79, "是")
    assert not routine.key_exists(session, routine.SHARED_DOCS), "是: the tweaks are applied"
    assert snapshots(session), "是: a snapshot was saved first"

