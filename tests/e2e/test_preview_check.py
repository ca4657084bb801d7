"""/whatif and /check end to end, and the start modes read back after a run:
Velkor.exe started with switches from C:\\velkor, its exit code and standard
output read back, the scripts run by Wine's own cmd.exe and regedit and the
recording sc.exe (which sets the start modes through Wine's service manager,
as the real sc does).

Before the program first runs, the prefix gets start modes for five services
of the optimisation table that Wine's service manager knows (then its
wineserver restarts, so that the service manager reads them), the tweaks
undone, and three files in the Windows prefetch folder.

  1. /whatif /optimize /clean: exit code 0; one line per planted start mode
     ("current → target", target from the hand-written fwyh.bat fixture),
     the tweak values ("current → new" or "删除") for both profiles' Link,
     the prefetch line of the cleanup with its three files and their bytes;
     afterwards nothing changed: no sc call, no script, the tweaks still
     undone, the start modes as planted, the prefetch files still there.
  2. /check /optimize: exit code 6, a line for each planted mode and tweak.
  3. /optimize: exit code 0, every mode read back in place.
  4. /check /optimize: exit code 0.
  5. /check /optimize /log:C:\\logs\\PC01.txt: the file holds the run's
     lines; /log: naming a link is refused and what it leads to unchanged.
  6. /restore while sc refuses one service whose default mode differs from
     the optimised one: exit code 3, the line names the service.
The /whatif and /check output of steps 1 and 2 is logged for the reader.
"""
import os

import pytest

import harness
import test_command_line as command_line
import test_routine_optimisation as routine

SERVICES_KEY = "HKLM\\System\\CurrentControlSet\\Services"
# Start values: 2 automatic, 3 on demand, 4 disabled; each unlike the table's.
PLANTED_MODES = {"Spooler": 4, "Schedule": 3, "stisvc": 2, "MSIServer": 4, "BITS": 2}
WORDS = {"AUTO": "自动", "DEMAND": "手动", "DISABLED": "已禁用", 2: "自动", 3: "手动", 4: "已禁用"}
PREFETCH = "C:\\windows\\prefetch"
PREFETCH_FILES = {"A.pf": 1000, "B.pf": 234, "C.pf": 0}
EXPLORER = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"


def table_modes(script):
    """{service: mode word} of a service script's fixture, the last line of a service winning."""
    modes = {}
    for call in routine.expected_sc_calls(script):
        _, service, _, mode = call.split()
        modes[service] = mode
    return modes


def start_value(s, service):
    value = s.reg_query(f"{SERVICES_KEY}\\{service}", "Start")
    return None if value is None else int(value, 0)


def planted_modes(s):
    """{service: start value} of the planted services, as the registry holds them now."""
    return {name: start_value(s, name) for name in PLANTED_MODES}


def plant(s):
    for service, mode in PLANTED_MODES.items():
        s.reg_add(f"{SERVICES_KEY}\\{service}", "Start", str(mode), "REG_DWORD")
    os.makedirs(s.path_of(PREFETCH), exist_ok=True)
    for name, size in PREFETCH_FILES.items():
        with open(os.path.join(s.path_of(PREFETCH), name), "wb") as f:
            f.write(b"p" * size)


def show(what, out):
    harness.log(f"{what}:\n{out}")


@pytest.fixture(scope="module")
def optimised(session):
    """Plants the start modes, the undone tweaks and the prefetch files before
    the program first runs; the start modes of the optimisation table."""
    routine.untweak(session)
    session.run_wine("reg", "delete", routine.USER_EXPLORER, "/v", "Link", "/f")
    plant(session)
    session.restart_wine()
    assert planted_modes(session) == PLANTED_MODES, "the start modes are planted"
    return table_modes("fwyh.bat")


def test_whatif(session, optimised):
    code, out = session.run_program("/whatif", "/optimize", "/clean", "/quiet", timeout=120)
    show("/whatif /optimize /clean /quiet", out)
    lines = command_line.outcome_lines(out)
    assert code == 0, "/whatif: exit code 0"
    for service, mode in PLANTED_MODES.items():
        want = f"  服务 {service}：{WORDS[mode]} → {WORDS[optimised[service]]}"
        assert want in lines, f"/whatif: {want.strip()}"
    for root in ("HKEY_USERS\\.DEFAULT", "HKEY_CURRENT_USER"):
        want = f"  注册表值 {root}\\{EXPLORER}\\Link：不存在 → hex:00,00,00,00"
        assert want in lines, f"/whatif: {want.strip()}"
    want = '  注册表值 HKEY_CLASSES_ROOT\\lnkfile\\IsShortcut："" → 删除'
    assert want in lines, f"/whatif: {want.strip()}"
    want = (f"  del /f /s /q %windir%\\prefetch\\*.*：{len(PREFETCH_FILES)} 个文件，"
            f"{sum(PREFETCH_FILES.values())} 字节")
    assert want in lines, f"/whatif: {want.strip()}"
    assert lines[-1] == "预览完毕，未作任何更改。 / Preview only: nothing was changed.", (
        "/whatif: the closing line")

    assert session.sc_calls() == [], "/whatif: sc was not called"
    assert routine.leftovers(session) == [], "/whatif: no script written"
    routine.check_untweaked(session, "/whatif")
    assert planted_modes(session) == PLANTED_MODES, "/whatif: the start modes are as planted"
    assert sorted(os.listdir(session.path_of(PREFETCH))) == sorted(PREFETCH_FILES), (
        "/whatif: the prefetch files are still there")


def test_check_before(session, optimised):
    code, out = session.run_program("/check", "/optimize", "/quiet", timeout=120)
    show("/check /optimize /quiet, before", out)
    lines = command_line.outcome_lines(out)
    assert code == 6, "/check before /optimize: exit code 6"
    for service, mode in PLANTED_MODES.items():
        want = f"  服务 {service}：{WORDS[mode]}，应为 {WORDS[optimised[service]]}"
        assert want in lines, f"/check: {want.strip()}"
    want = f"  注册表值 HKEY_CURRENT_USER\\{EXPLORER}\\Link：不存在，应为 hex:00,00,00,00"
    assert want in lines, f"/check: {want.strip()}"
    assert lines[-1].startswith("检查完毕：有 "), f"/check: the closing line: {lines[-1]}"
    assert session.sc_calls() == [], "/check: sc was not called"


def test_optimise_then_check(session, optimised):
    code, out = session.run_program("/optimize", "/quiet", timeout=routine.SCRIPTS_TIMEOUT)
    lines = command_line.outcome_lines(out)
    assert code == 0, "/optimize: exit code 0, every start mode read back in place"
    assert lines[:1] == [command_line.OPTIMISED_LINE], "/optimize: the outcome line"
    assert planted_modes(session) == {name: {"AUTO": 2, "DEMAND": 3, "DISABLED": 4}[optimised[name]]
                                for name in PLANTED_MODES}, (
        "/optimize: the planted services were set")
    code, out = session.run_program("/check", "/optimize", "/quiet", timeout=120)
    show("/check /optimize /quiet, after", out)
    assert code == 0, "/check after /optimize: exit code 0"
    assert command_line.outcome_lines(out)[-1] == (
        "检查完毕：全部符合，未作任何更改。 / Check: everything is in place; nothing was changed."
    ), "/check after /optimize: everything in place"


@pytest.mark.usefixtures("optimised")
def test_log_file(session):
    """/log: appends the run's lines to the named file; a name that is also
    another file's is not written through."""
    os.makedirs(session.path_of("C:\\logs"), exist_ok=True)
    with open(session.path_of("C:\\logs\\elsewhere.txt"), "wb") as f:
        f.write(b"kept\r\n")
    # A hard link: Wine shows no symbolic link to a file as a link at all.
    os.link(session.path_of("C:\\logs\\elsewhere.txt"), session.path_of("C:\\logs\\linked.txt"))
    code, _ = session.run_program("/check", "/optimize", "/log:C:\\logs\\PC01.txt", "/quiet",
                            timeout=120)
    assert code == 0, "/check /log: exit code 0"
    with open(session.path_of("C:\\logs\\PC01.txt"), "rb") as f:
        logged = f.read().decode("gbk").split("\r\n")
    assert (logged[0].endswith("[0] Velkor.exe /check /optimize /log:C:\\logs\\PC01.txt "
                               "/quiet") and "检查完毕：全部符合" in logged[-2]), (
        f"/log: the named file holds the run's lines: {repr(logged[:2] + logged[-2:])}")
    code, out = session.run_program("/check", "/optimize", "/log:C:\\logs\\linked.txt", "/quiet",
                              timeout=120)
    assert "无法写入日志 C:\\logs\\linked.txt" in out, f"/log: a link is refused: {repr(out)}"
    with open(session.path_of("C:\\logs\\elsewhere.txt"), "rb") as f:
        assert f.read() == b"kept\r\n", "/log: the file the link leads to is unchanged"


def test_refused_mode(session, optimised):
    defaults = table_modes("huifu.bat")
    service = next(name for name in defaults
                   if name in optimised and defaults[name] != optimised[name] and
                   start_value(session, name) is not None)
    with open(os.path.join(session.workdir, "sc_refuse"), "w") as f:
        f.write(service + "\r\n")
    code, out = session.run_program("/restore", "/quiet", timeout=routine.SCRIPTS_TIMEOUT)
    os.remove(os.path.join(session.workdir, "sc_refuse"))
    assert code == 3, f"/restore with sc refusing {service}: exit code 3"
    want = f"服务 {service}：{WORDS[optimised[service]]}，应为 {WORDS[defaults[service]]}"
    assert want in out, f"/restore: the line names {service}: {repr(out)}"
