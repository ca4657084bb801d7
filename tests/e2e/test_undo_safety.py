#!/usr/bin/env python3
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
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import test_routine_optimisation as routine  # noqa: E402
import test_undo as undo  # noqa: E402

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


def test(s, checks):
    s.install_system_sc()
    add_broken_value(s)
    values = shared_docs(s)
    if not checks.check(f"    {BROKEN_NAME}    REG_SZ    kept" in (values or ""),
                        "the value with a line break is planted", repr(values)):
        return
    undo_calls = undo.expected_undo_calls(s)

    # 1. Refused before any change.
    code, out = s.run_program("/optimize", "/quiet", timeout=120)
    checks.equal(code, 3, "a name undo.reg cannot carry: exit code 3")
    checks.check(REFUSED in out, "the refusal names the key", repr(out))
    checks.equal(s.sc_calls(), [], "refused: sc was not called")
    checks.equal(routine.leftovers(s), [], "refused: no script written")
    checks.equal(shared_docs(s), values,
                 "refused: the Shared Documents key keeps both its values")
    checks.check(not routine.key_exists(s, routine.NOTEPAD_VERB), "refused: no Notepad verb")
    checks.equal(undo.snapshot_folders(s)[1], [], "refused: no record")
    s.run_wine("reg", "delete", routine.SHARED_DOCS, "/v", BROKEN_NAME, "/f")
    checks.check(BROKEN_NAME not in (shared_docs(s) or ""), "the value is removed")

    # 2. The Notepad verb creates *\shell (gone again, should step 1 have run).
    s.run_wine("reg", "delete", SHELL, "/f")
    code, out = s.run_program("/optimize", "/tweaks:notepad", "/quiet",
                              timeout=routine.SCRIPTS_TIMEOUT)
    checks.equal(code, 0, "/optimize /tweaks:notepad: exit code 0")
    checks.equal(routine.default_value(s, routine.NOTEPAD_COMMAND), ("REG_SZ", "notepad.exe %1"),
                 "the Notepad verb is there")

    # 3. Another program fills *\shell; scripts are planted beside the program.
    s.run_wine("reg", "add", SCANNER, "/ve", "/d", SCANNER_COMMAND, "/f")
    plant_scripts(s)
    s.clear_sc_calls()

    # 4. Undo.
    code, out = s.run_program("/undo", "/quiet", timeout=routine.SCRIPTS_TIMEOUT)
    checks.equal(code, 0, "/undo: exit code 0")
    checks.check("撤销：已撤销" in out, "/undo: says it is undone", repr(out))
    routine.check_calls(checks, s.sc_calls(), undo_calls,
                        "the system folder's sc saw each known service set back")
    for name in PLANTED:
        checks.check(not os.path.exists(s.path_of(f"{MARKS}\\{name}.txt")),
                     f"the planted {name}.bat never ran")
        # Else the test's own reg calls from C:\velkor would run it.
        os.remove(os.path.join(s.workdir, name + ".bat"))
    checks.check(not routine.key_exists(s, routine.NOTEPAD_VERB), "the Notepad verb is gone")
    checks.equal(routine.default_value(s, SCANNER), ("REG_SZ", SCANNER_COMMAND),
                 "the other program's verb under *\\shell stays")

    # 5. By hand, from a 32-bit command interpreter.
    root, folders = undo.snapshot_folders(s)
    s.clear_sc_calls()
    bat = os.path.join(root, folders[-1], "undo.bat")
    code, _ = s.run_wine("C:\\windows\\syswow64\\cmd.exe", "/d", "/c",
                         windows_path(s, bat), cwd=s.path_of(MARKS))
    checks.equal(code, 0, "undo.bat by hand from the 32-bit cmd: exit code 0")
    routine.check_calls(checks, s.sc_calls(), undo_calls,
                        "by hand from the 32-bit cmd, the native system folder's sc saw the calls")


if __name__ == "__main__":
    harness.main(test, "undo_safety")
