"""Undo that can be trusted with a machine, end to end from the command line,
with Wine's own cmd.exe, regedit and reg, and the recording sc.exe in the
system folder (where the undo script calls sc by its full path).

  1. A value whose name holds a line break under the Shared Documents key,
     which the optimisation deletes: undo.reg could not carry it, so
     /optimize /quiet refuses (exit code 3), names the key and changes
     nothing: no sc call, the key with both its values, no record.
  2. Without that value, /optimize /tweaks:notepad /quiet adds the Notepad
     verb, creating *\\shell, which Wine does not have.
  3. Another program then puts a verb of its own under *\\shell, and scripts
     named sc.bat, regedit.bat, attrib.bat and reg.bat are planted in the
     program's folder (its own sc.exe gone), as anyone could leave them in a
     folder the program is started from.
  4. /undo /quiet (exit code 0): the recording sc.exe in the system folder
     saw every service set back, none of the planted scripts ran, the Notepad
     verb is gone and the other program's verb and *\\shell stay.
  5. The record's undo.bat run by hand from Wine's 32-bit cmd.exe, in
     another folder: it runs itself again in the 64-bit one, whose system
     folder holds the recording sc.exe, which saw the same calls again.
"""
import os

import test_routine_optimisation as routine
import test_undo as undo

SHELL = "HKLM\\SOFTWARE\\Classes\\*\\shell"
SCANNER = SHELL + "\\扫描\\command"
SCANNER_COMMAND = "C:\\scanner\\scan.exe \"%1\""
# As Wine's registry file writes a key of the 64-bit view and a value.
SYSTEM_REG_KEY = ("[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\MyComputer"
                  "\\\\NameSpace\\\\DelegateFolders\\\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}]")
BROKEN_NAME = "line\r\nbreak"
REFUSED = ("无法保存撤销所需的快照（注册表项 HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows"
           "\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\DelegateFolders"
           "\\{59031a47-3f72-44a7-89c5-5595fe6b30ee} 中有含换行符或无效字符的名称，"
           "撤销文件无法记录它）。")
PLANTED = ("sc", "regedit", "attrib", "reg")
MARKS = "C:\\planted"


def add_broken_value(s):
    """A value named "line<CR><LF>break" under the Shared Documents key. No
    Windows tool writes such a name, so it goes into Wine's registry file
    while the prefix's wineserver is down."""
    s.run_wine("reg", "add", routine.SHARED_DOCS, "/ve", "/d", "SharedDocs", "/f")

    def append():
        with open(os.path.join(s.prefix, "system.reg"), "a", encoding="utf-8") as f:
            f.write(f'\n{SYSTEM_REG_KEY} 0\n"line\\r\\nbreak"="kept"\n')

    s.restart_wine(while_down=append)


def windows_path(s, linux_path):
    """C:\\... for a path under the prefix's drive C:."""
    relative = os.path.relpath(linux_path, os.path.join(s.prefix, "drive_c"))
    return "C:\\" + relative.replace("/", "\\")


def shared_docs(s):
    """`reg query` of the Shared Documents key as it prints it (it prints
    the name's line break as it is, which parse_reg_query cannot read)."""
    code, text = s.run_wine("reg", "query", routine.SHARED_DOCS)
    return text if code == 0 else None


def plant_scripts(s):
    os.makedirs(s.path_of(MARKS), exist_ok=True)
    os.remove(os.path.join(s.workdir, "sc.exe"))
    for name in PLANTED:
        with open(os.path.join(s.workdir, name + ".bat"), "wb") as f:
            f.write(f'@echo planted> "{MARKS}\\{name}.txt"\r\n'.encode())


def test_undo_safety(session):
    session.install_system_sc()
    add_broken_value(session)
    values = shared_docs(session)
    assert f"    {BROKEN_NAME}    REG_SZ    kept" in (values or ""), (
        f"the value with a line break is planted: {values!r}")
    undo_calls = undo.expected_undo_calls(session)

    # 1. Refused before any change.
    code, out = session.run_program("/optimize", "/quiet", timeout=120)
    assert code == 3, "a name undo.reg cannot carry: exit code 3"
    assert REFUSED in out, f"the refusal names the key: {repr(out)}"
    assert session.sc_calls() == [], "refused: sc was not called"
    assert routine.leftovers(session) == [], "refused: no script written"
    assert shared_docs(session) == values, "refused: the Shared Documents key keeps both its values"
    assert not routine.key_exists(session, routine.NOTEPAD_VERB), "refused: no Notepad verb"
    assert undo.snapshot_folders(session)[1] == [], "refused: no record"
    session.run_wine("reg", "delete", routine.SHARED_DOCS, "/v", BROKEN_NAME, "/f")
    assert BROKEN_NAME not in (shared_docs(session) or ""), "the value is removed"

    # 2. The Notepad verb creates *\shell (gone again, should step 1 have run).
    session.run_wine("reg", "delete", SHELL, "/f")
    code, out = session.run_program("/optimize", "/tweaks:notepad", "/quiet",
                                    timeout=routine.SCRIPTS_TIMEOUT)
    assert code == 0, "/optimize /tweaks:notepad: exit code 0"
    assert routine.default_value(session, routine.NOTEPAD_COMMAND) == ("REG_SZ", "notepad.exe %1"), (
        "the Notepad verb is there")

    # 3. Another program fills *\shell; scripts are planted beside the program.
    session.run_wine("reg", "add", SCANNER, "/ve", "/d", SCANNER_COMMAND, "/f")
    plant_scripts(session)
    session.clear_sc_calls()

    # 4. Undo.
    code, out = session.run_program("/undo", "/quiet", timeout=routine.SCRIPTS_TIMEOUT)
    assert code == 0, "/undo: exit code 0"
    assert "撤销：已撤销" in out, f"/undo: says it is undone: {repr(out)}"
    routine.check_calls(session.sc_calls(), undo_calls,
                        "the system folder's sc saw each known service set back")
    for name in PLANTED:
        assert not os.path.exists(session.path_of(f"{MARKS}\\{name}.txt")), (
            f"the planted {name}.bat never ran")
        # Else the test's own reg calls from C:\velkor would run it.
        os.remove(os.path.join(session.workdir, name + ".bat"))
    assert not routine.key_exists(session, routine.NOTEPAD_VERB), "the Notepad verb is gone"
    assert routine.default_value(session, SCANNER) == ("REG_SZ", SCANNER_COMMAND), (
        "the other program's verb under *\\shell stays")

    # 5. By hand, from a 32-bit command interpreter.
    root, folders = undo.snapshot_folders(session)
    session.clear_sc_calls()
    bat = os.path.join(root, folders[-1], "undo.bat")
    code, _ = session.run_wine("C:\\windows\\syswow64\\cmd.exe", "/d", "/c",
                               windows_path(session, bat), cwd=session.path_of(MARKS))
    assert code == 0, "undo.bat by hand from the 32-bit cmd: exit code 0"
    routine.check_calls(session.sc_calls(), undo_calls,
                        "by hand from the 32-bit cmd, the native system folder's sc saw the calls")

