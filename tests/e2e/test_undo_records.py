"""The undo records can be staked on, from the command line under Wine:

  1. A "Velkor" folder that the program did not make (a user could make it
     before the program first ran, and keep a handle that lets him change it
     later) holds a "record" with an undo.bat. The first run that changes
     something moves that folder aside, untouched, makes its own and saves
     its record there; the planted undo.bat never runs.
  2. Two changes of the owner, A then B, each with its record. /undo:list
     prints both, B first, with name, time and action.
  3. B's undo.bat is changed after it was recorded (one line more, that would
     leave a mark): /undo refuses with exit code 3, names the file, and
     nothing ran (no mark, the owner still B's).
  4. /undo:<A's name> undoes A past B: exit code 0, the owner as before A;
     /undo:list then shows B alone.
  5. In the window's undo dialog, "撤销" on B is refused the same way, naming
     the file; "搁置" sets B aside after asking: the dialog comes back with
     nothing to undo, B's folder stays as it was, /undo:list lists nothing.
"""
import os

import test_undo as undo

SET_ASIDE_ID = 103

CURRENT_VERSION = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
VELKOR = "C:\\ProgramData\\Velkor"
PLANTED = VELKOR + "\\undo\\20200101-000000"
MARK = "C:\\planted-ran.txt"
ORIGINAL, OWNER_A, OWNER_B = "张三", "李四", "王五"


def owner(s):
    return s.reg_query(CURRENT_VERSION, "RegisteredOwner")


def record_names(s):
    folder = s.path_of(VELKOR + "\\undo")
    return sorted(n for n in os.listdir(folder) if n[:1].isdigit())


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def foreign_folder(s):
    write(os.path.join(s.path_of(PLANTED), "undo.bat"),
          f"echo planted> {MARK}\r\n".encode("gbk"))
    write(os.path.join(s.path_of(PLANTED), "action.txt"), "OEM信息\r\n".encode("gbk"))
    code, out = s.run_program(f"/owner:{OWNER_A}", "/quiet", timeout=120)
    assert code == 0, "/owner: A: exit code 0"
    aside = [n for n in os.listdir(s.path_of("C:\\ProgramData")) if n.startswith("Velkor.moved-")]
    assert len(aside) == 1, "the folder the program did not make is moved aside"
    moved = os.path.join(s.path_of("C:\\ProgramData"), aside[0], "undo", "20200101-000000")
    assert os.path.exists(os.path.join(moved, "undo.bat")), (
        "what it held stays as it was, under the other name")
    assert len(record_names(s)) == 1, "the program's own folder holds its one record"
    assert owner(s) == OWNER_A, "the owner is A's"


def listing(s):
    s.run_program(f"/owner:{OWNER_B}", "/quiet", timeout=120)
    names = record_names(s)
    assert len(names) == 2, "two records"
    code, out = s.run_program("/undo:list", "/quiet", timeout=60)
    assert code == 0, "/undo:list: exit code 0"
    lines = [line for line in out.splitlines() if line]
    assert len(lines) == 2, "/undo:list prints two records"
    assert (len(lines) == 2 and lines[1].startswith(names[0] + "  ") and
                 lines[0].startswith(names[-1] + "  ") and
                 all(line.endswith("  OEM信息") for line in lines)), (
        f"/undo:list: name, time and action, the last one first: {repr(lines)}")
    return names


def changed_record(s, newest):
    bat = s.path_of(f"{VELKOR}\\undo\\{newest}\\undo.bat")
    with open(bat, "ab") as f:
        f.write(f"echo planted> {MARK}\r\n".encode("gbk"))
    code, out = s.run_program("/undo", "/quiet", timeout=120)
    assert code == 3, "/undo of a changed record: exit code 3"
    assert f"{VELKOR}\\undo\\{newest}\\undo.bat 与保存记录时不同" in out, (
        f"/undo of a changed record names the file: {repr(out)}")
    assert not os.path.exists(s.path_of(MARK)), "the changed undo.bat did not run"
    assert owner(s) == OWNER_B, "the owner is still B's"


def named_undo(s, oldest, newest):
    code, out = s.run_program(f"/undo:{oldest}", "/quiet", timeout=120)
    assert code == 0, "/undo:<A> past B: exit code 0"
    assert "撤销：已撤销" in out, f"/undo:<A> says so: {repr(out)}"
    assert owner(s) == ORIGINAL, "the owner is as before A"
    code, out = s.run_program("/undo:list", "/quiet", timeout=60)
    lines = [line for line in out.splitlines() if line]
    assert len(lines) == 1 and lines[0].startswith(newest + "  "), (
        f"/undo:list then shows B alone: {repr(lines)}")
    assert not os.path.exists(s.path_of(MARK)), "no planted undo.bat ever ran"


def set_aside_in_window(s, newest):
    s.start()
    message = undo.undo_entry(s, 0, "撤销 on the changed record")
    assert (message is not None and
                 f"{VELKOR}\\undo\\{newest}\\undo.bat 与保存记录时不同" in message), (
        f"撤销 on the changed record is refused, naming the file: {repr(message)}")
    assert not os.path.exists(s.path_of(MARK)), "the changed undo.bat did not run"

    tree = undo.open_undo_dialog(s, "搁置")
    undo.click_item(s, undo.control(tree, undo.LIST_ID), 0)
    s.click_at(*s.centre(undo.control(tree, SET_ASIDE_ID)))
    question = s.close_message_box(button_id=undo.IDYES, timeout=15)
    assert question.endswith("保持原样。是否搁置？"), f"搁置 asks first: {repr(question)}"
    tree = s.tree(undo.DIALOG, wait=15)
    assert undo.control(tree, undo.LIST_ID)["items"] == [], (
        "the dialog comes back with nothing to undo")
    assert not undo.control(tree, undo.IDOK)["enabled"], "撤销 is disabled"
    s.click_at(*s.centre(undo.control(tree, undo.IDCANCEL)))
    assert os.path.exists(s.path_of(f"{VELKOR}\\undo\\{newest}\\undo.bat")), (
        "the record set aside stays in its folder")
    code, out = s.run_program("/undo:list", "/quiet", timeout=60)
    assert code == 0 and "没有可以撤销的更改" in out, f"/undo:list lists nothing: {repr(out)}"


def test_undo_records(session):
    session.reg_add(CURRENT_VERSION, "RegisteredOwner", ORIGINAL)
    foreign_folder(session)
    names = listing(session)
    changed_record(session, names[-1])
    named_undo(session, names[0], names[-1])
    set_aside_in_window(session, names[-1])

