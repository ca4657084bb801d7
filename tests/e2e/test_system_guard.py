#!/usr/bin/env python3
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
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import test_routine_optimisation as routine  # noqa: E402

QUESTION = ("本程序的服务设置是为 Windows XP 设计的，当前系统是 Windows 10。"
            "继续可能停用该系统需要的服务。是否继续？")
IDOK, IDYES, IDNO = 1, 6, 7
SERVICE_DIALOG = "详细服务优化"


def snapshots(s):
    return os.path.exists(s.path_of("C:\\ProgramData\\Velkor\\undo"))


def answer_question(s, checks, button, when):
    box = s.message_box(timeout=15)
    checks.check(box is not None, f"{when}: a question is asked")
    if box is None:
        return
    checks.equal(box["message"], QUESTION, f"{when}: the question names Windows 10")
    checks.equal(sorted(b["id"] for b in box["buttons"] if b["visible"]), [IDYES, IDNO],
                 f"{when}: with the buttons 是 and 否")
    s.close_message_box(button_id=button)


def check_nothing_written(s, checks, when):
    checks.equal(s.message_box(timeout=3), None, f"{when}: no message follows 否")
    checks.equal(routine.leftovers(s), [], f"{when}: no script written")
    checks.equal(s.sc_calls(), [], f"{when}: sc was not called")
    checks.check(not snapshots(s), f"{when}: no snapshot written")
    routine.check_untweaked(s, checks, when)


def test(s, checks):
    s.set_windows_version("win10")
    routine.untweak(s)
    code, out = s.run_program("/optimize", "/quiet", timeout=60)
    checks.equal(code, 4, "/optimize on Windows 10: exit code 4")
    checks.check("当前系统是 Windows 10" in out and "/force" in out,
                 "/optimize on Windows 10: says why and how to go on", repr(out))
    check_nothing_written(s, checks, "/optimize on Windows 10")
    s.start()

    s.click("Command1")
    answer_question(s, checks, IDNO, "下一步")
    check_nothing_written(s, checks, "下一步")

    tree = s.system_menu_item(s.SERVICE_ITEM, SERVICE_DIALOG)
    ok = next(c for c in tree.controls if c["id"] == IDOK)
    s.click_at(*s.centre(ok))
    answer_question(s, checks, IDNO, "per-service dialog")
    check_nothing_written(s, checks, "per-service dialog")

    s.click("Command1")
    answer_question(s, checks, IDYES, "下一步 again")
    checks.equal(s.close_message_box(timeout=30), routine.OPTIMISED, "是: the optimisation runs")
    routine.wait_for_scripts(s, checks, 79, "是")
    checks.check(not routine.key_exists(s, routine.SHARED_DOCS), "是: the tweaks are applied")
    checks.check(snapshots(s), "是: a snapshot was saved first")


if __name__ == "__main__":
    harness.main(test, "system_guard")
