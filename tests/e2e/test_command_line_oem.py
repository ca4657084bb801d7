"""The command line end to end, for what the program checks after its scripts:
the OEM values, the logo, and the cleanup, each with /quiet and no window.

  1. /owner: /model: /logo: /quiet over an installed owner, organisation,
     GBK oeminfo.ini with a support section and a red logo: exit code 0 and
     one line per action; the owner and the model changed, the organisation
     and the manufacturer kept their values, the support section stayed,
     the logo is the chosen file byte for byte and fuzhi.bat is gone.
  2. The same logo switch where oemlogo.bmp is a folder: the undo snapshot
     cannot save what the copy would replace, so nothing is written or copied
     and the run gives exit code 3, naming the file. (That a copy which did
     not land is seen afterwards is a unit test: Wine's copy replaces even
     read-only and hidden files, so it cannot be made to fail here once the
     snapshot has read the file.)
  3. /clean /quiet over planted junk: exit code 0 once the script has ended;
     the junk is gone, the keepers stay, xtql.bat is gone, and no console or
     other window appeared. The log keeps the earlier runs: the cleanup
     deletes every *.log on the drive, and the log is no such file.
"""
import os
import shutil

import test_command_line as cli
import test_junk_cleanup as junk
import test_oem as oem

LOGO = "C:\\velkor\\logos\\blue 100%.bmp"


def values_and_logo(s):
    ini = s.path_of(oem.SYSTEM32 + "\\oeminfo.ini")
    logo = s.path_of(oem.SYSTEM32 + "\\oemlogo.bmp")
    blue = oem.bitmap(16, 12, oem.BLUE)
    s.reg_add(oem.CURRENT_VERSION, "RegisteredOwner", oem.OWNER)
    s.reg_add(oem.CURRENT_VERSION, "RegisteredOrganization", oem.ORGANISATION)
    oem.write(ini, oem.INI_BEFORE.encode("gbk"))
    oem.write(logo, oem.bitmap(8, 8, oem.RED))
    oem.write(s.path_of(LOGO), blue)

    watch = cli.WindowWatch(s)
    code, out = s.run_program(f"/owner:{oem.NEW_OWNER}", f"/model:{oem.NEW_MODEL}",
                              f"/logo:{LOGO}", "/quiet", timeout=120, while_running=watch)
    assert code == 0, "OEM values and logo: exit code 0"
    assert cli.outcome_lines(out) == ["OEM信息：OEM信息已经更新", "OEM LOGO：已完成"], (
        "OEM values and logo: one line per action")
    assert s.reg_query(oem.CURRENT_VERSION, "RegisteredOwner") == oem.NEW_OWNER, (
        "the owner is the one given")
    assert s.reg_query(oem.CURRENT_VERSION, "RegisteredOrganization") == oem.ORGANISATION, (
        "the organisation not given keeps its value")
    expected_ini = oem.INI_BEFORE.replace("Model=天逸 F41", "Model=" + oem.NEW_MODEL)
    assert oem.read(ini).decode("gbk") == expected_ini, (
        "oeminfo.ini: the model changed, the manufacturer and the support section stay")
    assert oem.read(logo) == blue, "oemlogo.bmp is the chosen file byte for byte"
    assert not os.path.exists(os.path.join(s.workdir, "fuzhi.bat")), "fuzhi.bat is gone"
    assert watch.finish() == [], "OEM values and logo: no window was mapped"
    assert watch.seen == {}, "OEM values and logo: no window appeared"


def logo_not_in_place(s):
    """A folder where oemlogo.bmp should be: the undo snapshot cannot save the
    file it would replace, so nothing is changed and the run says so."""
    logo = s.path_of(oem.SYSTEM32 + "\\oemlogo.bmp")
    os.remove(logo)
    os.makedirs(logo)
    code, out = s.run_program(f"/logo:{LOGO}", "/quiet", timeout=120)
    assert code == 3, "a logo that cannot be replaced: exit code 3"
    assert "oemlogo.bmp" in out and "本次没有作任何更改" in out, (
        f"the outcome names the logo and says nothing was changed: {repr(out)}")
    assert os.path.isdir(logo) and not os.listdir(logo), "nothing was copied"
    assert not os.path.exists(os.path.join(s.workdir, "fuzhi.bat")), "no fuzhi.bat written"
    shutil.rmtree(logo)


def cleanup(s):
    profile = junk.user_profile(s)
    junk.plant(s, profile)
    watch = cli.WindowWatch(s)
    code, out = s.run_program("/clean", "/quiet", timeout=300, while_running=watch)
    assert code == 0, "/clean /quiet: exit code 0"
    assert cli.outcome_lines(out) == ["系统垃圾清理：已完成"], "/clean /quiet: the outcome line"
    for path in junk.JUNK:
        assert not os.path.exists(junk.linux_path(s, profile, path)), f"deleted: {path}"
    for path in junk.KEEP:
        assert os.path.exists(junk.linux_path(s, profile, path)), f"kept: {path}"
    assert not os.path.exists(os.path.join(s.workdir, "xtql.bat")), (
        "xtql.bat ended without a key and deleted itself")
    assert watch.finish() == [], "/clean /quiet: no window was mapped during the cleanup"
    assert watch.seen == {}, "/clean /quiet: no console or other window appeared"
    logged = cli.log_lines(s)
    assert any("OEM信息：OEM信息已经更新" in line for line in logged), (
        f"the log still holds the earlier runs after the cleanup: {repr(logged[-3:])}")
    assert any(line.endswith("[0] 系统垃圾清理：已完成") for line in logged), (
        f"the log holds the cleanup's outcome: {repr(logged[-3:])}")


def test_command_line_oem(session):
    values_and_logo(session)
    logo_not_in_place(session)
    cleanup(session)

