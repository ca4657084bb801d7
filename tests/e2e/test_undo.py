"""Undo end to end: snapshots taken before "下一步" and "应用新的OEM信息", and
"撤销上一次更改..." from the system menu with real input, the undo scripts run
by Wine's own cmd.exe and regedit (and the recording sc.exe).

Before the program starts, the prefix gets start modes for five services of
the optimisation table that Wine's service manager knows (then its wineserver
restarts, so that the service manager reads them), tweak values of its own
(types and data that the tweaks would change), a Shared Documents key with a
value and a subkey, no Notepad verb, an owner, no organisation and an
oeminfo.ini with a support section, hidden and system as OEM files often are;
and, in the snapshots folder, a snapshot that the program did not take (as a
user without administrator rights could put it there before the program
first ran), whose undo.bat must never run.

  0. While the program's folder in the all-users application data is a link
     to another folder (as a user could plant it there before the program
     first ran), "下一步" says that its snapshot cannot be saved and changes
     nothing: no script runs, nothing is written where the link leads.
  1. "下一步" optimises (its scripts run to their end), new OEM values are
     applied and a new logo is chosen in the picker: three snapshots.
  2. The undo dialog lists them, newest first, with time and action. Undoing
     an older one asks first; "否" changes nothing.
  3. Undoing the logo: oemlogo.bmp byte for byte as before. Undoing the OEM
     values: "已撤销 ...", oeminfo.ini byte for byte as before and still
     hidden and system, the owner
     back, no organisation value again.
  4. The dialog now offers only the optimisation and shows what it changed
     (a planted start mode, the current user's Link, a deleted value) in the
     words of /whatif; undoing it asks nothing:
     the recorded sc calls set each service of the table that the service
     manager knows back to its mode before (the planted five among them),
     `reg query` shows every tweak value back with its type and data, the
     Notepad verb is gone and the Shared Documents key is back whole.
  5. The dialog offers nothing more ("撤销" disabled); the snapshot folders
     are marked undone and hold a readable undo.bat (GBK) and undo.reg.
  6. From the command line: /owner:... /quiet takes a snapshot of its own and
     changes the owner; /undo /quiet (exit code 0) brings the owner back and
     says so; a second /undo finds nothing to undo (exit code 1).
The planted snapshot is offered at no point and its undo.bat never ran.

What a 32-bit program on 64-bit Windows sees unless it asks for the native
system gets decoys: another owner and another Shared Documents key in the
32-bit registry view, another oeminfo.ini and oemlogo.bmp in SysWOW64. After
the changes and after each undo the decoys are as planted; the undo records
are registered in the 64-bit view and nothing of the program's lies under
Wow6432Node; the snapshots saved the files of the native system32; and
oeminfo.ini is hidden and system after the change as after its undo.
"""
import os

import harness
import test_oem as oem
import test_routine_optimisation as routine

DIALOG = "撤销更改"
LIST_ID = 101
CHANGES_ID = 102  # what the chosen change changed, in the words of /whatif
EXPLORER = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"
IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7
SERVICES_KEY = "HKLM\\System\\CurrentControlSet\\Services"
CURRENT_VERSION = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
SYSTEM32 = "C:\\windows\\system32"

# Start values: 2 automatic, 3 on demand, 4 disabled; each unlike the table's.
PLANTED_MODES = {"Spooler": 4, "Schedule": 3, "stisvc": 2, "MSIServer": 4, "BITS": 2}
MODE_WORDS = {0: "BOOT", 1: "SYSTEM", 2: "AUTO", 3: "DEMAND", 4: "DISABLED"}

EXTRA = routine.SHARED_DOCS + "\\Extra"
NOTEPAD_SHELL = "HKLM\\SOFTWARE\\Classes\\*\\shell"  # Wine has none: the verb creates it
# (key, value, type, data as `reg add` takes it, data as `reg query` shows it)
TWEAK_VALUES = [
    (routine.LNKFILE, "", "REG_SZ", "我的快捷方式", "我的快捷方式"),
    (routine.LNKFILE, "IsShortcut", "REG_SZ", "yes", "yes"),
    (routine.LNKFILE, "EditFlags", "REG_DWORD", "0x22", "0x22"),
    (routine.PIFFILE, "IsShortcut", "REG_SZ", "", ""),
    (routine.DEFAULT_EXPLORER, "Link", "REG_BINARY", "1e000000", "1E000000"),
    (routine.USER_EXPLORER, "Link", "REG_BINARY", "2a000000", "2A000000"),
    (routine.SHARED_DOCS, "", "REG_SZ", "SharedDocs", "SharedDocs"),
    (EXTRA, "Path", "REG_EXPAND_SZ", "%SystemRoot%\\共享", "%SystemRoot%\\共享"),
    (EXTRA, "Flag", "REG_DWORD", "7", "0x7"),
]
# Values the tweaks write that must be absent again afterwards.
ABSENT_VALUES = [(routine.LNKFILE, "NeverShowExt")]

# The program's folder, and where a link planted in its place leads.
VELKOR_DATA = "C:\\ProgramData\\Velkor"
LINK_TARGET = "C:\\elsewhere"
NO_SNAPSHOT = ("无法保存撤销所需的快照（无法创建文件夹 " + VELKOR_DATA +
               "：该名称已被一个文件或指向别处的链接占用）。为了能够撤销，本次没有作任何更改。")
# Named as the program names its snapshots, older than all of them.
PLANTED = "C:\\ProgramData\\Velkor\\undo\\20200101-000000"
PLANTED_RAN = PLANTED + "\\ran.txt"

OWNER = "王小明"
LOGO, NEW_LOGO = oem.bitmap(8, 8, oem.RED), oem.bitmap(12, 6, oem.BLUE)
INI = ("[General]\r\n"
       "Manufacturer=联想集团\r\n"
       "Model=天逸 F41\r\n"
       "\r\n"
       "[Support Information]\r\n"
       "Line1=技术支持电话: 800-810-8888").encode("gbk")  # no line break at the end


# Decoys where a 32-bit program would look without the native view.
DECOY_OWNER = "诱饵 32位视图"
DECOY_SHARED_DOCS = ("REG_SZ", "Decoy32")
DECOY_INI = "[General]\r\nManufacturer=诱饵\r\nModel=SysWOW64\r\n".encode("gbk")
DECOY_LOGO = oem.bitmap(4, 4, oem.GREEN)
VELKOR_KEY = "HKLM\\SOFTWARE\\Velkor"


def plant_decoys(s):
    s.reg_add(CURRENT_VERSION, "RegisteredOwner", DECOY_OWNER, view=32)
    code, text = s.run_wine("reg", "add", routine.SHARED_DOCS, "/ve", "/d", DECOY_SHARED_DOCS[1],
                            "/f", "/reg:32")
    if code != 0:
        raise RuntimeError(f"reg add {routine.SHARED_DOCS} /reg:32: {text}")
    oem.write(s.path_of(harness.SYSWOW64_WIN + "\\oeminfo.ini"), DECOY_INI)
    oem.write(s.path_of(harness.SYSWOW64_WIN + "\\oemlogo.bmp"), DECOY_LOGO)


def check_decoys(s, when):
    assert s.reg_query(CURRENT_VERSION, "RegisteredOwner", view=32) == DECOY_OWNER, (
        f"{when}: the owner in the 32-bit registry view is untouched")
    assert value_of(s, routine.SHARED_DOCS, "", view=32) == DECOY_SHARED_DOCS, (
        f"{when}: the Shared Documents key in the 32-bit view is untouched")
    assert oem.read(s.path_of(harness.SYSWOW64_WIN + "\\oeminfo.ini")) == DECOY_INI, (
        f"{when}: SysWOW64\\oeminfo.ini is untouched")
    assert oem.read(s.path_of(harness.SYSWOW64_WIN + "\\oemlogo.bmp")) == DECOY_LOGO, (
        f"{when}: SysWOW64\\oemlogo.bmp is untouched")
    assert s.reg_query(VELKOR_KEY, view=32) is None, (
        f"{when}: no key of the program's in the 32-bit view (Wow6432Node)")


def check_registered(s, folders):
    """The undo records are registered in the native (64-bit) registry view."""
    code, text = s.run_wine("reg", "query", VELKOR_KEY + "\\Undo", "/s", "/reg:64")
    missing = [name for name in folders if name not in text]
    assert code == 0 and folders and not missing, (
        f"the snapshots are registered in the 64-bit registry view: exit code {code}, not named: {missing}")


def check_saved_files(s, root, folders):
    """The snapshots saved oeminfo.ini and oemlogo.bmp as the native system32
    held them (not the SysWOW64 decoys)."""
    saved = {"oeminfo.ini": [], "oemlogo.bmp": []}
    for name in folders:
        for entry in os.listdir(os.path.join(root, name)):
            for kind in saved:
                if entry.lower().startswith("saved-") and entry.lower().endswith("-" + kind):
                    saved[kind].append(oem.read(os.path.join(root, name, entry)))
    assert saved["oeminfo.ini"] == [INI], "the snapshot saved system32's oeminfo.ini"
    assert saved["oemlogo.bmp"] == [LOGO], "the snapshot saved system32's oemlogo.bmp"


def plant(s):
    for service, mode in PLANTED_MODES.items():
        s.reg_add(f"{SERVICES_KEY}\\{service}", "Start", str(mode), "REG_DWORD")
    s.run_wine("reg", "delete", routine.SHARED_DOCS, "/f")
    for key, value, kind, data, _ in TWEAK_VALUES:
        args = ["/ve"] if value == "" else ["/v", value]
        code, text = s.run_wine("reg", "add", key, *args, "/t", kind, "/d", data, "/f")
        if code != 0:
            raise RuntimeError(f"reg add {key} {value}: {text}")
    for key, value in ABSENT_VALUES:
        s.run_wine("reg", "delete", key, "/v", value, "/f")
    s.run_wine("reg", "delete", routine.NOTEPAD_VERB, "/f")
    s.reg_add(CURRENT_VERSION, "RegisteredOwner", OWNER)
    s.run_wine("reg", "delete", CURRENT_VERSION, "/v", "RegisteredOrganization", "/f")
    with open(s.path_of(SYSTEM32 + "\\oeminfo.ini"), "wb") as f:
        f.write(INI)
    s.hide_as_system(SYSTEM32 + "\\oeminfo.ini")
    oem.write(s.path_of(SYSTEM32 + "\\oemlogo.bmp"), LOGO)
    oem.write(os.path.join(s.workdir, "logos", "new.bmp"), NEW_LOGO)
    os.makedirs(s.path_of(LINK_TARGET))
    os.symlink(s.path_of(LINK_TARGET), s.path_of(VELKOR_DATA))


def plant_snapshot(s):
    planted = s.path_of(PLANTED)
    os.makedirs(planted)
    oem.write(os.path.join(planted, "action.txt"), "系统常规优化\r\n".encode("gbk"))
    oem.write(os.path.join(planted, "undo.bat"), b'echo planted> "%~dp0ran.txt"\r\n')
    oem.write(os.path.join(planted, "scope.txt"), b"")  # changes nothing: nothing to check


def value_of(s, key, value, view=64):
    """(type, data) of a value as `reg query` shows it, or None."""
    values = s.reg_query(key, view=view) or {}
    if value == "":
        return values.get("(默认)") or values.get("(Default)")
    return values.get(value)


def table_services():
    """The services of fwyh.bat, first mention first, as undo.bat names them."""
    names = []
    for call in routine.expected_sc_calls("fwyh.bat"):
        name = call.split()[1]
        if name not in names:
            names.append(name)
    return names


def expected_undo_calls(s):
    """What undo.bat must hand sc.exe: each table service that the service
    manager knows, set back to the start mode it has now."""
    calls = []
    for name in table_services():
        start = s.reg_query(f"{SERVICES_KEY}\\{name}", "Start")
        if start is not None:
            calls.append(f"config   {name} start= {MODE_WORDS[int(start, 0)]}")
    return calls


def clear_sc_log(s):
    s.clear_sc_calls()


def open_undo_dialog(s, when):
    tree = s.system_menu_item(s.UNDO_ITEM, DIALOG)
    assert tree.window["visible"], f"{when}: the dialog {DIALOG!r} is open"
    return tree


def control(tree, control_id):
    return next(c for c in tree.controls if c["id"] == control_id)


def click_item(s, listbox, index):
    client, height = listbox["clientScreen"], listbox["itemHeight"]
    s.click_at(client["x"] + 30, client["y"] + (index - listbox["topIndex"]) * height + height // 2)


def undo_entry(s, index, when, answer=None):
    """Chooses the entry with a real click, presses 撤销; answers the
    question with `answer` (IDYES/IDNO) if one is expected. Returns the
    message that follows (None when none does)."""
    tree = open_undo_dialog(s, when)
    click_item(s, control(tree, LIST_ID), index)
    assert control(s.tree(DIALOG), LIST_ID)["selected"] == index, (
        f"{when}: entry {index + 1} is chosen")
    s.click_at(*s.centre(control(tree, IDOK)))
    if answer is not None:
        box = s.message_box(timeout=15)
        assert box is not None and "次更改没有撤销" in box["message"], (
            f"{when}: asks first, as newer changes exist: {repr(box)}")
        s.close_message_box(button_id=answer)
        if answer == IDNO:
            return s.message_box(timeout=3) and s.close_message_box()
    return s.close_message_box(timeout=120)


def snapshot_folders(s):
    root = None
    for base, dirs, _ in os.walk(os.path.join(s.prefix, "drive_c")):
        if base.endswith(os.path.join("Velkor", "undo")):
            root = base
            break
    if root is None:
        return root, []
    planted = PLANTED.rsplit("\\", 1)[1]
    return root, sorted(d for d in os.listdir(root) if not d.startswith("~") and d != planted)


def check_tweaks_back(s):
    for key, value, kind, _, shown in TWEAK_VALUES:
        assert value_of(s, key, value) == (kind, shown), (
            f"reg query: {key}\\{value or '(默认)'} is back with its type and data")
    for key, value in ABSENT_VALUES:
        assert value_of(s, key, value) is None, f"reg query: {key}\\{value} is absent again"
    assert not routine.key_exists(s, NOTEPAD_SHELL), "the Notepad verb (and *\\shell) is gone"


def test_undo(session):
    session.install_system_sc()
    plant(session)
    plant_decoys(session)
    session.restart_wine()
    before_calls = expected_undo_calls(session)
    for service, mode in PLANTED_MODES.items():
        assert f"config   {service} start= {MODE_WORDS[mode]}" in before_calls, (
            f"{service} is planted as {MODE_WORDS[mode]}")
    session.start()

    # 0. Through a link: no snapshot, so no change.
    routine.click_next_and_read_message(session, NO_SNAPSHOT, "through a link")
    assert os.listdir(session.path_of(LINK_TARGET)) == [], "nothing was written where the link leads"
    assert session.sc_calls() == [], "through a link: no sc call"
    assert routine.leftovers(session) == [], "through a link: no script written"
    os.unlink(session.path_of(VELKOR_DATA))
    plant_snapshot(session)

    # 1. Optimise, apply OEM values, replace the logo: three snapshots.
    routine.click_next_and_read_message(session, routine.OPTIMISED, "optimise")
    routine.wait_for_scripts(session, 79, "optimise")
    assert value_of(session, routine.LNKFILE, "IsShortcut") is None, "the tweaks were applied"
    assert session.reg_query(routine.USER_EXPLORER, "Link") == "00000000", (
        "the current user's Link is set")
    main = session.tree()
    session.click("oem", main)
    for name, text in (("Text1", "李四"), ("Text2", "新公司"), ("Text3", "X2"), ("Text4", "宏碁")):
        oem.retype(session, name, text, main)
    session.click("Command6", main)
    assert session.close_message_box() == "OEM信息已经更新", "the OEM values were applied"
    ini = session.path_of(SYSTEM32 + "\\oeminfo.ini")
    assert oem.read(ini) != INI, "oeminfo.ini changed"

    oem.open_picker(session, "the logo picker opens")
    picker = oem.open_folder(session, oem.picker_tree(session), "logos")
    session.click_at(*oem.item_point(session, picker["File1"], "new.bmp"))
    session.click("Command2", oem.picker_tree(session))
    logo = session.path_of(SYSTEM32 + "\\oemlogo.bmp")
    assert (harness.wait_until(lambda: oem.read(logo) == NEW_LOGO, 30,
                                    what="the new logo")), "the new logo was installed"

    # 2. All listed, newest first; an older one asks first.
    root, folders = snapshot_folders(session)
    assert (folders and len(folders)) == 3, f"three snapshot folders: {folders}"
    assert root == os.path.dirname(session.path_of(PLANTED)), (
        "the snapshots are taken beside the planted one")
    check_registered(session, folders)
    check_saved_files(session, root, folders)
    assert session.attributes(SYSTEM32 + "\\oeminfo.ini") == "--ahs----", (
        "oeminfo.ini is still hidden and system after the change")
    check_decoys(session, "after the changes")
    tree = open_undo_dialog(session, "first opening")
    items = control(tree, LIST_ID)["items"]
    assert [i.split("  ", 1)[-1] for i in items] == ["OEM LOGO", "OEM信息", "系统常规优化"], (
        "the dialog lists the snapshots newest first")
    times = [f"{n[0:4]}-{n[4:6]}-{n[6:8]} {n[9:11]}:{n[11:13]}:{n[13:15]}"
             for n in reversed(folders)]
    assert [i.split("  ", 1)[0] for i in items] == times, "each with its time"
    session.click_at(*session.centre(control(tree, IDCANCEL)))
    clear_sc_log(session)
    message = undo_entry(session, 2, "oldest first", answer=IDNO)
    assert message is None, "否: no message follows"
    assert session.sc_calls() == [], "否: no sc call"
    assert oem.read(ini) != INI, "否: oeminfo.ini unchanged"

    # 3. The logo, then the OEM values.
    message = undo_entry(session, 0, "logo undo")
    assert message is not None and message.startswith("已撤销") and "OEM LOGO" in message, (
        f"logo undo: says it is undone: {repr(message)}")
    assert oem.read(logo) == LOGO, "oemlogo.bmp is byte for byte as before"
    message = undo_entry(session, 0, "OEM undo")
    assert message is not None and message.startswith("已撤销") and "OEM信息" in message, (
        f"OEM undo: says it is undone: {repr(message)}")
    assert oem.read(ini) == INI, "oeminfo.ini is byte for byte as before"
    assert session.attributes(SYSTEM32 + "\\oeminfo.ini") == "--ahs----", (
        "oeminfo.ini is still hidden and system")
    assert session.reg_query(CURRENT_VERSION, "RegisteredOwner") == OWNER, "RegisteredOwner is back"
    assert value_of(session, CURRENT_VERSION, "RegisteredOrganization") is None, (
        "RegisteredOrganization is absent again")
    check_decoys(session, "after the OEM undos")

    # 4. The optimisation, now the newest: no question.
    tree = open_undo_dialog(session, "third opening")
    assert [i.split("  ", 1)[-1] for i in control(tree, LIST_ID)["items"]] == ["系统常规优化"], (
        "the undone snapshots are not offered again")
    changed = control(tree, CHANGES_ID)["text"].split("\r\n")
    for line in ("服务 Spooler：已禁用 → 自动",
                 f"注册表值 HKEY_CURRENT_USER\\{EXPLORER}\\Link：hex:2a,00,00,00 → hex:00,00,00,00",
                 '注册表值 HKEY_CLASSES_ROOT\\lnkfile\\IsShortcut："yes" → 删除'):
        assert line in changed, (
            f"the dialog shows what the optimisation changed: {line}: {repr(changed[:6])}")
    session.click_at(*session.centre(control(tree, IDCANCEL)))
    clear_sc_log(session)
    message = undo_entry(session, 0, "optimisation undo")
    assert message is not None and message.startswith("已撤销") and "系统常规优化" in message, (
        f"optimisation undo: says it is undone: {repr(message)}")
    routine.check_calls(session.sc_calls(), before_calls,
                        "sc saw each known service set back to its mode before")
    check_tweaks_back(session)
    assert routine.leftovers(session) == [], "no .bat or .reg left in the working directory"
    check_decoys(session, "after the optimisation's undo")

    # 5. Nothing left to undo; the folders tell what they did.
    tree = open_undo_dialog(session, "last opening")
    assert control(tree, LIST_ID)["items"] == [], "nothing more is offered"
    assert not control(tree, IDOK)["enabled"], "撤销 is disabled"
    session.key("Escape")
    for name in folders:
        folder = os.path.join(root, name)
        assert os.path.exists(os.path.join(folder, "undone.txt")), f"{name} is marked undone"
    optimisation = os.path.join(root, folders[0])
    bat = oem.read(os.path.join(optimisation, "undo.bat")).decode("gbk")
    assert (bat.startswith("rem 撤销“系统常规优化”") and
                 f'\r\n"{SYSTEM32}\\sc.exe" config   Spooler start= ' in bat and bat.endswith("\r\n")), (
        f"undo.bat reads as GBK with CR LF and calls sc by its full path: {bat[:400]}")
    reg = oem.read(os.path.join(optimisation, "undo.reg"))
    assert reg.startswith("\ufeffWindows Registry Editor Version 5.00\r\n".encode("utf-16-le")), (
        "undo.reg is a regedit 5 file in UTF-16")

    # 6. The same from the command line.
    code, out = session.run_program("/owner:王五", "/quiet", timeout=120)
    assert code == 0, "/owner: exit code 0"
    assert session.reg_query(CURRENT_VERSION, "RegisteredOwner") == "王五", "/owner: the new owner"
    assert len(snapshot_folders(session)[1]) == 4, "/owner: a snapshot of its own"
    code, out = session.run_program("/undo", "/quiet", timeout=120)
    assert code == 0, "/undo: exit code 0"
    assert "撤销：已撤销" in out and "OEM信息" in out, f"/undo: says what it undid: {repr(out)}"
    assert session.reg_query(CURRENT_VERSION, "RegisteredOwner") == OWNER, "/undo: the owner is back"
    code, out = session.run_program("/undo", "/quiet", timeout=60)
    assert code == 1, "a second /undo: exit code 1"
    assert "没有可以撤销的更改" in out, f"a second /undo: nothing to undo: {repr(out)}"
    assert not os.path.exists(session.path_of(PLANTED_RAN)), (
        "the planted snapshot was never offered: its undo.bat never ran")

