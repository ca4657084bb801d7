"""The command line end to end: Velkor.exe started with switches from
C:\\velkor, as a start-up script or a remote-execution tool would start it,
its exit code and standard output read back, the scripts run by Wine's own
cmd.exe, regedit and reg, and the recording sc.exe.

In one session, with no window of the program ever opened:
  1. bad switches (unknown, conflicting, a short /services:, a missing value,
     text that GBK cannot hold, a logo that is no file, /export with OEM
     values, /undo with another action): exit code 1 and the reason on standard output each time;
     afterwards no script was written, sc was never called, no tweak applied
     and no export folder made; the log records them, though its name was
     planted as a hard link to another file (as a user could before the
     program first ran): that file is unchanged;
  2. /export:C:\\out /optimize /clean /services:...: exit code 0, C:\\out holds
     exactly the six scripts with the bytes of the hand-written fixtures (the
     cleanup without its wait for a key), and nothing ran: no sc call, no
     script in C:\\velkor, no tweak applied;
  3. /optimize /quiet: exit code 0 with the outcome line and the line that
     names the services Wine does not have (the start modes of the others
     read back in place); by the time the
     program has ended sc saw the 79 calls of fwyh.bat in order, every tweak
     is in the registry and every script has ended and deleted itself; the
     four scripts, caught while they ran, hold the fixtures' bytes (the same
     fixtures the window's "下一步" test reads); no window appeared; the log
     under the shared data folder holds the run;
  4. with a regedit.exe in C:\\velkor that exits 0 and imports nothing (as when
     a policy or a security product stops the import), /optimize /quiet gives
     exit code 3 and names the values and keys that are not in place, not
     "系统已经优化成功";
  5. while a run is held in the middle of huifu.bat (the recorder waits), a
     second run gives exit code 5 and writes nothing; the first run then ends
     with exit code 0 and sc saw the 80 calls of huifu.bat.
"""
import os
import shutil
import threading

import harness
import test_per_service as per_service
import test_routine_optimisation as routine

FIXTURES = os.path.join(harness.REPO, "tests", "unit", "fixtures")
LOG = "C:\\ProgramData\\Velkor\\velkor-log.txt"  # the shared data folder under Wine
LINKED = "C:\\linked.ini"  # what the planted log's name also names
LINKED_BYTES = b"[boot loader]\r\ntimeout=30\r\n"
OPTIMISED_LINE = "系统常规优化：系统已经优化成功"
NOT_INSTALLED = "系统常规优化：本机未安装，未检查："
ROUTINE_SCRIPTS = ("kuaijie.bat", "jsb.bat", "gx.bat", "fwyh.bat")
SERVICES = "10110011101001101"  # the 17 choices of the export, mixed on purpose


def fixture_bytes(name):
    """A script as the hand-written fixture gives it: GBK, CR LF after each line."""
    with open(os.path.join(FIXTURES, name + ".txt"), encoding="utf-8") as f:
        lines = f.read().splitlines()
    assert all(line.endswith("$") for line in lines), f"{name}: a line without its end marker"
    return b"".join(line[:-1].encode("gbk") + b"\r\n" for line in lines)


def log_lines(s):
    path = s.path_of(LOG)
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        return f.read().decode("gbk").split("\r\n")


def outcome_lines(out):
    return [line for line in out.replace("\r\n", "\n").split("\n") if line]


class WindowWatch:
    """Every top-level window that showed while a program ran: the X server
    reports each map (`mapped`, read by `finish`), and looks through the
    inspector now and then name what was seen (`seen`)."""

    def __init__(self, s):
        self.s = s
        self.seen = {}
        self.screen = harness.XScreen(s.display)

    def __call__(self):
        for w in self.s.windows():
            self.seen[w["hwnd"]] = f"{w['class']} {w['title']!r}"

    def finish(self):
        """The X windows mapped since the watch began."""
        try:
            return self.screen.mapped()
        finally:
            self.screen.close()


def plant_log_link(s):
    with open(s.path_of(LINKED), "wb") as f:
        f.write(LINKED_BYTES)
    os.makedirs(os.path.dirname(s.path_of(LOG)), exist_ok=True)
    os.link(s.path_of(LINKED), s.path_of(LOG))


def bad_switches(s):
    routine.untweak(s)
    plant_log_link(s)
    cases = [
        (["/optimize", "/bogus"], "未知的开关 /bogus"),
        (["/OPTIMIZE", "/Restore", "/quiet"], "/optimize 与 /restore 不能同时使用"),
        (["-services:0101", "/quiet"], "/services 需要 17 位 0 或 1"),
        (["/owner"], "开关 /owner 缺少值"),
        (["/model:한국", "/quiet"], "/model 的文本含有无法用 GBK 编码表示的字符"),
        (["/logo:C:\\velkor\\nope.bmp", "/quiet"], "不是一个存在的文件"),
        (["/export:C:\\out-bad", "/optimize", "/owner:x"], "/export 不能与 /owner"),
        (["/undo", "/clean", "/quiet"], "/undo 不能与其他操作"),
    ]
    for args, reason in cases:
        code, out = s.run_program(*args, timeout=60)
        what = " ".join(args)
        assert code == 1, f"{what}: exit code 1"
        assert reason in out, f"{what}: standard output gives the reason: {repr(out)}"
    assert routine.leftovers(s) == [], "bad switches: no script written"
    assert s.sc_calls() == [], "bad switches: sc was not called"
    assert not os.path.exists(s.path_of("C:\\out-bad")), "bad switches: no export folder"
    routine.check_untweaked(s, "bad switches")
    logged = log_lines(s)
    assert any("[1] Velkor.exe /undo /clean /quiet" in line for line in logged), (
        f"the log records a refused command line: {repr(logged[-4:])}")
    with open(s.path_of(LINKED), "rb") as f:
        assert f.read() == LINKED_BYTES, "the file that the planted log also named is unchanged"
    assert os.stat(s.path_of(LOG)).st_nlink == 1, "the log is a file of its own"


def export(s):
    out = s.path_of("C:\\out")
    code, text = s.run_program("/export:C:\\out", "/optimize", "/clean", f"/services:{SERVICES}",
                               timeout=60)
    assert code == 0, "export: exit code 0"
    assert outcome_lines(text) == [
        "系统常规优化：已导出到 C:\\out：kuaijie.bat、jsb.bat、gx.bat、fwyh.bat",
        "详细服务优化：已导出到 C:\\out：xiangxi.bat",
        "系统垃圾清理：已导出到 C:\\out：xtql.bat",
    ], "export: one line per action"
    expected = {name: fixture_bytes(name) for name in ROUTINE_SCRIPTS}
    expected["xiangxi.bat"] = per_service.expected_script([int(c) for c in SERVICES])
    expected["xtql.bat"] = fixture_bytes("xtql.bat-unattended")
    assert (sorted(os.listdir(out)) if os.path.isdir(out) else None) == sorted(expected), (
        "export: C:\\out holds the six scripts")
    for name, want in expected.items():
        path = os.path.join(out, name)
        got = open(path, "rb").read() if os.path.exists(path) else None
        assert got == want, f"export: {name} holds the fixture's bytes"
    assert s.sc_calls() == [], "export: sc was not called"
    assert routine.leftovers(s) == [], "export: no script in the working directory"
    assert routine.script_interpreters(s) == [], "export: no script interpreter runs"
    routine.check_untweaked(s, "export")


def quiet_optimisation(s):
    routine.untweak(s)
    watch = WindowWatch(s)
    with harness.ScriptCatcher(s.workdir, os.path.join(s.root, "caught")) as caught:
        code, out = s.run_program("/optimize", "/quiet", timeout=routine.SCRIPTS_TIMEOUT,
                                  while_running=watch)
        # Everything below is read right after the program ended: it waited.
        calls = s.sc_calls()
        left = routine.leftovers(s)
        interpreters = routine.script_interpreters(s)
    assert code == 0, "/optimize /quiet: exit code 0"
    lines = outcome_lines(out)
    assert lines[:1] == [OPTIMISED_LINE], "/optimize /quiet: the outcome line"
    # Read back from the service manager: the services Wine does not have are
    # named, and they are no failure.
    assert (len(lines) == 2 and lines[1].startswith(NOT_INSTALLED) and
                 "Spooler" not in lines[1]), (
        f"/optimize /quiet: then the services this machine does not have: {repr(lines)}")
    routine.check_calls(calls, routine.expected_sc_calls("fwyh.bat"),
                        "when the program ended sc had seen the 79 calls of fwyh.bat in order")
    assert interpreters == [], "when the program ended no script interpreter ran"
    assert left == [], "when the program ended every script had deleted itself"
    assert caught.missed == [], "every script was caught"
    for name in ROUTINE_SCRIPTS:
        assert caught.content(name) == fixture_bytes(name), (
            f"{name} was written with the fixture's bytes")
    assert watch.finish() == [], "no window was mapped during the run"
    assert watch.seen == {}, "no window appeared during the run"

    assert routine.default_value(s, routine.NOTEPAD_COMMAND) == ("REG_SZ", "notepad.exe %1"), (
        "the Notepad verb is there")
    lnk = s.reg_query(routine.LNKFILE) or {}
    assert "IsShortcut" not in lnk, f"lnkfile has no IsShortcut: {repr(lnk)}"
    assert s.reg_query(routine.DEFAULT_EXPLORER, "Link") == "00000000", (
        "the default user's Link is 00 00 00 00")
    assert not routine.key_exists(s, routine.SHARED_DOCS), "the Shared Documents key is gone"
    logged = log_lines(s)
    assert any(line.endswith("[0] " + OPTIMISED_LINE) for line in logged), (
        f"the log holds the outcome line: {repr(logged[-3:])}")


def tweaks_not_taken(s):
    routine.untweak(s)
    stand_in = os.path.join(s.workdir, "regedit.exe")
    shutil.copy(harness.SC, stand_in)  # logs its command line, exits 0, imports nothing
    try:
        code, out = s.run_program("/optimize", "/quiet", timeout=routine.SCRIPTS_TIMEOUT)
        calls = s.sc_calls()
    finally:
        os.remove(stand_in)
    assert "/s kuaijie.reg" in calls and "/s jsb.reg" in calls, (
        f"no import: the scripts ran the regedit that imports nothing: {repr(calls[:3])}")
    assert code == 3, "no import: /optimize /quiet gives exit code 3"
    lines = outcome_lines(out)
    # Then the line that names the services Wine does not have.
    line = lines[0] if len(lines) == 2 and lines[1].startswith(NOT_INSTALLED) else repr(lines)
    assert line.startswith("系统常规优化：") and OPTIMISED_LINE not in line, (
        f"no import: one outcome line, which does not say done: {line}")
    for missing in ("HKEY_CLASSES_ROOT\\lnkfile\\IsShortcut 仍然存在",
                    "HKEY_CLASSES_ROOT\\piffile\\IsShortcut 仍然存在",
                    "HKEY_USERS" + routine.DEFAULT_EXPLORER[3:] + "\\Link 未设为应有的值",
                    "注册表项 HKEY_LOCAL_MACHINE" + routine.NOTEPAD_VERB[4:] + " 不存在"):
        assert missing in line, f"no import: names {missing}: {line}"
    assert "{59031a47" not in line, (
        f"no import: the Shared Documents key, deleted by reg, is not named: {line}")
    assert "IsShortcut" in (s.reg_query(routine.LNKFILE) or {}), (
        "no import: lnkfile keeps IsShortcut")
    assert s.reg_query(routine.DEFAULT_EXPLORER, "Link") is None, "no import: no Link value"


def still_running(s):
    routine.untweak(s)
    hold = os.path.join(s.workdir, "sc_hold")
    open(hold, "w").close()
    first = {}
    runner = threading.Thread(target=lambda: first.update(
        result=s.run_program("/restore", "/quiet", timeout=routine.SCRIPTS_TIMEOUT)))
    try:
        runner.start()
        held = harness.wait_until(lambda: s.sc_calls(), 60, what="the first run to call sc")
        assert held, "the first run is held in huifu.bat"
        with harness.ScriptCatcher(s.workdir, os.path.join(s.root, "caught-second")) as caught:
            code, out = s.run_program("/optimize", "/quiet", timeout=60)
        assert code == 5, "a second run meanwhile: exit code 5"
        assert "仍在进行中" in out, f"a second run meanwhile: says why: {repr(out)}"
        assert sorted(caught.kept) == [], "a second run meanwhile: writes no script"
    finally:
        os.remove(hold)
        runner.join(routine.SCRIPTS_TIMEOUT + 30)
    code, out = first.get("result", (None, ""))
    assert code == 0, "the first run then ends with exit code 0"
    assert outcome_lines(out)[:1] == ["恢复默认服务：系统服务已经恢复为默认"], "the first run's outcome line"
    routine.check_calls(s.sc_calls(), routine.expected_sc_calls("huifu.bat"),
                        "sc saw the 80 calls of huifu.bat in order")


def test_command_line(session):
    bad_switches(session)
    export(session)
    quiet_optimisation(session)
    tweaks_not_taken(session)
    still_running(session)

