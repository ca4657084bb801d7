"""/config: end to end: a room's file, saved as Notepad saves "Unicode"
(UTF-16 with its byte-order mark), does what the same switches do.

  1. /export: from the file (without its OEM values, which have no script,
     and which /export refuses from the file as from the switches) and
     /export: from the switches the file stands for: the same scripts, byte
     for byte.
  2. /config:room.ini /quiet: exit code 0; the same outcome lines as the
     switches give; sc saw the calls of fwyh.bat, then those of xiangxi.bat
     for the file's choices, the owner and organisation are the file's, and
     the logo is the file's picture byte for byte.
  3. /check with the file: exit code 0.
  4. A file with an error, and the file with an action switch: exit code 1,
     the file and line named, nothing run.
"""
import os

import test_command_line as cli
import test_oem as oem
import test_per_service as per_service
import test_routine_optimisation as routine

ROOM = "C:\\room\\room.ini"
NO_OWNER = "C:\\room\\no-oem.ini"  # the same without OEM values, which have no script
LOGO = "C:\\room\\school logo.bmp"
# The per-service dialog's choices, the two that share a name once.
CHOICES = ["桌面主题", "打印后台处理程序", "Windows 防火墙与应用层网关", "网络 DDE",
           "DHCP 与 DNS 客户端", "无线零配置", "文件和打印机共享", "自动更新", "系统还原",
           "IPSEC 策略代理", "SSDP 发现服务", "剪贴簿", "WebClient", "Windows 时间同步",
           "快速用户切换兼容性", "计算机浏览器"]
SERVICES = "01101011000001110"  # what the file's choices stand for, in the dialog's order
ON = {"打印后台处理程序", "Windows 防火墙与应用层网关", "DHCP 与 DNS 客户端", "文件和打印机共享",
      "自动更新", "Windows 时间同步", "快速用户切换兼容性"}
OWNER, ORGANISATION = "信息中心", "示例学校"
SWITCHES = ["/optimize", "/tweaks:notepad,shareddocs", f"/services:{SERVICES}",
            f"/owner:{OWNER}", f"/organization:{ORGANISATION}", f"/logo:{LOGO}"]


def room_file():
    lines = ["; 示例学校 计算机教室：每台机器相同", "[Actions]", "optimize = yes",
             "tweaks = notepad,shareddocs", "", "[Services]"]
    lines += [f"{name} = {'自动' if name in ON else '关闭'}" for name in CHOICES]
    lines += ["", "[OEM]", f"owner = {OWNER}", f"organization = \"{ORGANISATION}\"",
              f"logo = {LOGO}", ""]
    return "\r\n".join(lines).encode("utf-16")  # with its byte-order mark, as Notepad saves


def exported(s, folder, *args):
    code, out = s.run_program(f"/export:{folder}", *args, timeout=60)
    path = s.path_of(folder)
    files = {}
    if os.path.isdir(path):
        for name in os.listdir(path):
            files[name] = oem.read(os.path.join(path, name))
    return code, out, files


def export_both(s):
    code, out, _ = exported(s, "C:\\out-owner", f"/config:{ROOM}")
    assert code == 1, "export from the file with OEM values: exit code 1, as with the switches"
    assert "/export 不能与 /owner" in out, f"export from the file: says why: {repr(out)}"
    code, _, from_file = exported(s, "C:\\out-file", f"/config:{NO_OWNER}")
    assert code == 0, "export from a file without OEM values: exit code 0"
    code, _, from_switches = exported(s, "C:\\out-switches", *SWITCHES[:3], SWITCHES[5])
    assert code == 0, "export from the switches: exit code 0"
    assert sorted(from_file) == ["fuzhi.bat", "fwyh.bat", "gx.bat", "jsb.bat", "xiangxi.bat"], (
        "export from the file: the five scripts")
    assert from_file == from_switches, "export: the file's scripts are the switches', byte for byte"


def xiangxi_calls():
    text = per_service.expected_script([int(c) for c in SERVICES]).decode("gbk")
    return [line[3:].lstrip(" ") for line in text.split("\r\n") if line.startswith("sc ")]


def run_from_file(s):
    code, out = s.run_program(f"/config:{ROOM}", "/quiet", timeout=routine.SCRIPTS_TIMEOUT)
    lines = cli.outcome_lines(out)
    assert code == 0, "/config: /quiet: exit code 0"
    assert [line for line in lines if "本机未安装" not in line] == ["系统常规优化：系统已经优化成功", "详细服务优化：系统已经优化完毕",
                  "OEM信息：OEM信息已经更新", "OEM LOGO：已完成"], "/config: the outcome lines"
    routine.check_calls(s.sc_calls(), routine.expected_sc_calls("fwyh.bat") + xiangxi_calls(),
                        "sc saw fwyh.bat, then xiangxi.bat for the file's choices")
    assert s.reg_query(oem.CURRENT_VERSION, "RegisteredOwner") == OWNER, "the file's owner"
    assert s.reg_query(oem.CURRENT_VERSION, "RegisteredOrganization") == ORGANISATION, (
        "the file's organisation, its quotes gone")
    assert oem.read(s.path_of(oem.SYSTEM32 + "\\oemlogo.bmp")) == oem.read(s.path_of(LOGO)), (
        "the file's logo, byte for byte")
    code, out = s.run_program(f"/config:{ROOM}", "/check", "/quiet", timeout=120)
    assert code == 0, "/config: /check afterwards: exit code 0"


def errors(s):
    bad = "C:\\room\\bad.ini"
    oem.write(s.path_of(bad), "[Actions]\r\noptimize = yes\r\n[Services]\r\n主题 = 自动\r\n"
              .encode("gbk"))
    for args, says in (([f"/config:{bad}"], f"配置文件 {bad} 第 4 行：“主题”不是“详细服务优化”中的一项"),
                       ([f"/config:{ROOM}", "/clean"], "/config: 不能与 /clean 一起使用")):
        code, out = s.run_program(*args, "/quiet", timeout=60)
        assert code == 1, f"{' '.join(args)}: exit code 1"
        assert says in out, f"{' '.join(args)}: says {says}: {repr(out)}"
    assert routine.leftovers(s) == [], "nothing was written for them"


def test_config_file(session):
    routine.untweak(session)
    oem.write(session.path_of(ROOM), room_file())
    noowner = room_file().decode("utf-16").split("[OEM]")[0] + f"[OEM]\r\nlogo = {LOGO}\r\n"
    oem.write(session.path_of(NO_OWNER), noowner.encode("utf-16"))
    oem.write(session.path_of(LOGO), oem.bitmap(10, 6, oem.BLUE))
    export_both(session)
    errors(session)
    run_from_file(session)

