"""Routine optimisation end to end: the real "下一步" click, the scripts run by
Wine's own cmd.exe, regedit and reg, and the recording sc.exe.

Three clicks in one session, each after the scripts of the one before have
ended:
  1. as the window opens (optimise, three tweaks ticked): the registry shows
     every tweak (the Link value for the default profile and for the
     current user), the DelegateFolders key is gone, sc saw the 79 calls of
     fwyh.bat in order, each from the native (64-bit) command interpreter
     (also when the program is the 32-bit exe), "系统已经优化成功";
  2. "恢复系统默认服务" with the boxes still ticked: sc saw the 80 calls of
     huifu.bat (RSVP and wuauserv among them), no tweak was applied again,
     "系统服务已经恢复为默认";
  3. optimise again with no box ticked, over a longer stale fwyh.bat left in
     the working directory: only fwyh.bat ran, and none of the stale lines.

The expected sc calls come from the hand-written script fixtures of the unit
tests, not from the program.
"""
import os
import time

import harness

FIXTURES = os.path.join(harness.REPO, "tests", "unit", "fixtures")

NOTEPAD_VERB = 'HKLM\\SOFTWARE\\Classes\\*\\shell\\用"记事本"打开'
NOTEPAD_COMMAND = NOTEPAD_VERB + "\\command"
LNKFILE = "HKCR\\lnkfile"
PIFFILE = "HKCR\\piffile"
DEFAULT_EXPLORER = "HKU\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"
# The user who ticked the box, the same user as Wine's own reg.exe here.
USER_EXPLORER = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"
SHARED_DOCS = ("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer"
               "\\NameSpace\\DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}")

OPTIMISED = "系统已经优化成功"
RESTORED = "系统服务已经恢复为默认"

# 79 (or 80) sc.exe starts under Wine take a while.
SCRIPTS_TIMEOUT = 180


def expected_sc_calls(script):
    """The arguments that each "sc" line of the script hands to sc.exe, as the
    recorder logs them: the text after "sc ", blanks inside and at the end kept."""
    calls = []
    with open(os.path.join(FIXTURES, script + ".txt"), encoding="utf-8") as f:
        for line in f.read().splitlines():
            assert line.endswith("$"), f"{script} fixture line without its end marker"
            line = line[:-1]
            if line.startswith("sc "):
                calls.append(line[3:].lstrip(" "))
    return calls


def check_calls(actual, expected, what):
    """The calls equal, or the first difference named (the lists are long)."""
    detail = ""
    if actual != expected:
        i = next((i for i, (a, e) in enumerate(zip(actual, expected)) if a != e),
                 min(len(actual), len(expected)))
        got = repr(actual[i]) if i < len(actual) else "nothing"
        want = repr(expected[i]) if i < len(expected) else "nothing"
        detail = f"{len(actual)} calls for {len(expected)}; call {i + 1} is {got}, expected {want}"
    assert actual == expected, f"{what}: {detail}"


def leftovers(s):
    return sorted(n for n in os.listdir(s.workdir)
                  if n.lower().endswith((".bat", ".reg")))


def default_value(s, key):
    values = s.reg_query(key) or {}
    return values.get("(默认)") or values.get("(Default)")


def script_interpreters(s):
    """Command lines of the command interpreters still running a batch script
    in this session's prefix (the program refuses a new click while one runs)."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                cmdline = f.read().replace(b"\0", b" ").decode("utf-8", "replace")
            with open(f"/proc/{pid}/environ", "rb") as f:
                environ = f.read().split(b"\0")
        except OSError:
            continue
        low = cmdline.lower()
        if ("WINEPREFIX=" + s.prefix).encode() in environ and "cmd" in low and ".bat" in low:
            found.append(cmdline.strip())
    return found


def key_exists(s, key):
    code, _ = s.run_wine("reg", "query", key)
    return code == 0


def untweak(s):
    """Puts the machine where no tweak has been applied yet, so that each
    tweak's change can be seen: IsShortcut on both shortcut types, no Link
    value, no Notepad verb, the Shared Documents key present."""
    s.reg_add(LNKFILE, "IsShortcut", "")
    s.reg_add(PIFFILE, "IsShortcut", "")
    s.run_wine("reg", "add", SHARED_DOCS, "/ve", "/d", "SharedDocs", "/f")
    s.run_wine("reg", "delete", DEFAULT_EXPLORER, "/v", "Link", "/f")
    s.run_wine("reg", "delete", USER_EXPLORER, "/v", "Link", "/f")
    s.run_wine("reg", "delete", NOTEPAD_VERB, "/f")
    for name in ("sc_calls.log", "sc_callers.log"):
        log = os.path.join(s.workdir, name)
        if os.path.exists(log):
            os.remove(log)


def check_untweaked(s, when):
    assert "IsShortcut" in (s.reg_query(LNKFILE) or {}), f"{when}: lnkfile keeps IsShortcut"
    assert "IsShortcut" in (s.reg_query(PIFFILE) or {}), f"{when}: piffile keeps IsShortcut"
    assert s.reg_query(DEFAULT_EXPLORER, "Link") is None, f"{when}: no Link value written"
    assert s.reg_query(USER_EXPLORER, "Link") is None, f"{when}: no Link value written for the user"
    assert not key_exists(s, NOTEPAD_VERB), f"{when}: no Notepad verb written"
    assert key_exists(s, SHARED_DOCS), f"{when}: the Shared Documents key stays"


def check_native_interpreter(s, when):
    """Every sc call came from a native command interpreter: a 32-bit one on
    64-bit Windows would see SysWOW64 as system32 and the 32-bit registry."""
    callers = s.sc_callers()
    assert callers and set(callers) == {"native"}, (
        f"{when}: the scripts ran in the native (64-bit) command interpreter: sc was started by: {sorted(set(callers))}")


def click_next_and_read_message(s, expected, when):
    s.click("Command1")
    message = s.close_message_box(timeout=30)
    assert message == expected, f"{when}: the message"
    assert s.running(), f"{when}: the program still runs after the message"


def wait_for_scripts(s, calls, when):
    """Polls until every script has deleted itself, its command interpreter
    has ended and sc saw `calls` calls."""
    started = time.monotonic()
    done = harness.wait_until(
        lambda: not leftovers(s) and len(s.sc_calls()) >= calls and not script_interpreters(s),
        SCRIPTS_TIMEOUT, interval=1.0, what=f"the scripts of {when}")
    harness.log(f"{when}: scripts ended after {time.monotonic() - started:.1f} s")
    assert script_interpreters(s) == [], f"{when}: every script's interpreter has ended"
    assert leftovers(s) == [], f"{when}: no .bat or .reg left in the working directory"
    return done


def set_check(s, name, want):
    tree = s.tree()
    if tree[name]["check"] != want:
        s.click(name, tree)
    assert s.tree()[name]["check"] == want, f"{name} is {'ticked' if want else 'clear'}"


def optimise_as_opened(s):
    when = "optimise as opened"
    untweak(s)
    tree = s.tree()
    assert tree["moren"]["check"] == 1, "moren is selected when the window opens"
    for box in ("kjfs", "jsb", "gxiang"):
        assert tree[box]["check"] == 1, f"{box} is ticked when the window opens"

    click_next_and_read_message(s, OPTIMISED, when)
    wait_for_scripts(s, 79, when)

    assert default_value(s, NOTEPAD_COMMAND) == ("REG_SZ", "notepad.exe %1"), (
        "the Notepad verb's command is notepad.exe %1")
    lnk = s.reg_query(LNKFILE) or {}
    assert default_value(s, LNKFILE) == ("REG_SZ", "快捷方式"), "lnkfile's default value is 快捷方式"
    assert lnk.get("EditFlags") == ("REG_DWORD", "0x1"), "lnkfile's EditFlags is 1"
    assert "IsShortcut" not in lnk, f"lnkfile has no IsShortcut: {repr(lnk)}"
    pif = s.reg_query(PIFFILE)
    assert pif is not None and "IsShortcut" not in pif, f"piffile has no IsShortcut: {repr(pif)}"
    assert s.reg_query(DEFAULT_EXPLORER, "Link") == "00000000", (
        "the default user's Link is 00 00 00 00")
    assert s.reg_query(USER_EXPLORER, "Link") == "00000000", (
        "the current user's Link is 00 00 00 00")
    assert not key_exists(s, SHARED_DOCS), "the Shared Documents key is gone"
    check_calls(s.sc_calls(), expected_sc_calls("fwyh.bat"),
                "sc saw the 79 calls of fwyh.bat in order")
    check_native_interpreter(s, when)


def restore(s):
    when = "restore"
    untweak(s)
    s.click("huifu")
    tree = s.tree()
    assert tree["huifu"]["check"] == 1, "huifu is selected"
    assert tree["moren"]["check"] == 0, "moren is cleared by huifu"

    click_next_and_read_message(s, RESTORED, when)
    wait_for_scripts(s, 80, when)

    calls = s.sc_calls()
    check_calls(calls, expected_sc_calls("huifu.bat"),
                "sc saw the 80 calls of huifu.bat in order")
    check_native_interpreter(s, when)
    assert any(c.split() == ["config", "RSVP", "start=", "DEMAND"] for c in calls), (
        "restoring sets RSVP to DEMAND")
    assert any(c.split() == ["config", "wuauserv", "start=", "AUTO"] for c in calls), (
        "restoring sets wuauserv to AUTO")
    check_untweaked(s, when)


def optimise_without_tweaks(s):
    when = "optimise with no box ticked"
    untweak(s)
    # A longer script of the same name from before: the new one replaces it
    # whole, so none of its lines may run.
    with open(os.path.join(s.workdir, "fwyh.bat"), "wb") as f:
        f.write(b"sc config   Stale start= DISABLED\r\n" * 200)
    s.click("moren")
    for box in ("kjfs", "jsb", "gxiang"):
        set_check(s, box, 0)

    click_next_and_read_message(s, OPTIMISED, when)
    wait_for_scripts(s, 79, when)

    check_calls(s.sc_calls(), expected_sc_calls("fwyh.bat"),
                f"{when}: sc saw the 79 calls of fwyh.bat")
    check_untweaked(s, when)


def test_routine_optimisation(session):
    session.start()
    assert os.path.exists(os.path.join(session.workdir, "sc.exe")), (
        "the recording sc.exe lies in the working directory")
    optimise_as_opened(session)
    restore(session)
    optimise_without_tweaks(session)

