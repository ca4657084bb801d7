"""OEM information where failures used to hide: a hidden and system
oeminfo.ini, and the logo picker's copy, under Wine with its cmd.exe.

Before the program starts, system32 holds a hidden, system oeminfo.ini in GBK
and a red oemlogo.bmp; C:\\velkor\\logos holds a blue and a green bitmap.

  1. "定制OEM信息" shows the hidden file's manufacturer and model.
  2. A new model is typed and "应用新的OEM信息" pressed: "OEM信息已经更新"; a
     new file has taken the old one's place, holds exactly the expected bytes,
     is still hidden and system, and no temporary file is left beside it.
  3. The blue bitmap is chosen in the picker and "确定" pressed: once
     fuzhi.bat has ended (and is gone), Image2 shows the blue logo without the
     panel being opened again, and nothing is said.
  4. While another process keeps oemlogo.bmp open without sharing writes, the
     green bitmap is chosen: after fuzhi.bat has ended the user is told that
     the logo was not replaced, and Image2 still shows the blue one.
"""
import glob
import os

import harness
import test_oem as oem

SYSTEM32 = oem.SYSTEM32
INI = SYSTEM32 + "\\oeminfo.ini"
LOGO = SYSTEM32 + "\\oemlogo.bmp"
INI_BEFORE = "[General]\r\nManufacturer=联想集团\r\nModel=天逸 F41\r\n"
INI_AFTER = "[General]\r\nManufacturer=联想集团\r\nModel=K29 Pro\r\n"
NOT_REPLACED = "OEM LOGO 未能更换："


def choose_and_confirm(s, name, what):
    """Opens the picker, chooses logos\\<name> with real clicks and presses 确定."""
    oem.open_picker(s, f"{what}: the picker opens")
    picker = oem.open_folder(s, oem.picker_tree(s), "logos")
    x, y = oem.item_point(s, picker["File1"], name)
    s.click_at(x, y)
    s.click("Command2", oem.picker_tree(s))
    closed = harness.wait_until(lambda: not oem.pickers(s), 10, what="the picker to close")
    assert closed, f"{what}: 确定 closes the picker"


def wait_for_copy(s, what):
    gone = harness.wait_until(lambda: not os.path.exists(os.path.join(s.workdir, "fuzhi.bat")),
                              30, what="fuzhi.bat to end")
    assert gone, f"{what}: fuzhi.bat has ended and is gone"


def image2_colour(s, name):
    return oem.colour_at(s, s.tree()["Image2"], name)


def test_oem_safety(session):
    ini, logo = session.path_of(INI), session.path_of(LOGO)
    red, blue, green = oem.bitmap(8, 8, oem.RED), oem.bitmap(16, 12, oem.BLUE), oem.bitmap(
        10, 10, oem.GREEN)
    oem.write(ini, INI_BEFORE.encode("gbk"))
    oem.write(logo, red)
    oem.write(os.path.join(session.workdir, "logos", "blue.bmp"), blue)
    oem.write(os.path.join(session.workdir, "logos", "green.bmp"), green)
    session.hide_as_system(INI)
    assert session.attributes(INI) == "--ahs----", "oeminfo.ini starts hidden and system"

    # 1. The panel reads the hidden file.
    main = session.start()
    session.click("oem", main)
    assert oem.boxes(session)[2:] == ["天逸 F41", "联想集团"], "the hidden file's model and maker"
    assert oem.read(ini) == INI_BEFORE.encode("gbk"), "opening the panel left the file alone"

    # 2. Applying replaces it in place, keeping its attributes. A new file
    #    takes the old one's place: its Linux inode changes, where a rewrite
    #    in place (truncated first) would keep it.
    before = os.stat(ini).st_ino
    oem.retype(session, "Text3", "K29 Pro", main)
    session.click("Command6", main)
    assert session.close_message_box() == oem.UPDATED, "applying confirms the update"
    assert oem.read(ini) == INI_AFTER.encode("gbk"), "oeminfo.ini holds the new model"
    assert os.stat(ini).st_ino != before, "a new file replaced oeminfo.ini in one step"
    assert session.attributes(INI) == "--ahs----", "oeminfo.ini is still hidden and system"
    assert glob.glob(ini + ".*") == [], "no temporary file is left beside oeminfo.ini"

    # 3. The logo shows once its copy has ended.
    choose_and_confirm(session, "blue.bmp", "blue")
    wait_for_copy(session, "blue")
    assert (harness.wait_until(lambda: oem.close_enough(image2_colour(session, "copied"), oem.BLUE),
                                    5, what="Image2 to show the blue logo")), (
        "Image2 shows the copied (blue) logo without opening the panel again")
    assert oem.read(logo) == blue, "oemlogo.bmp is the blue bitmap"
    assert session.message_box(timeout=2) is None, "a copy that took says nothing"

    # 4. A copy that does not take is reported after its end.
    holder = session.hold_file(LOGO, 60)
    try:
        choose_and_confirm(session, "green.bmp", "green")
        wait_for_copy(session, "green")
        box = session.message_box(timeout=10)
        assert box and box["message"].startswith(NOT_REPLACED) and "green.bmp" in box[
            "message"], f"the user is told that the logo was not replaced: {repr(box)}"
        if box:
            session.close_message_box()
        assert oem.read(logo) == blue, "oemlogo.bmp is still the blue bitmap"
        assert oem.close_enough(image2_colour(session, "not-copied"), oem.BLUE), (
            "Image2 shows the installed (blue) logo")
    finally:
        holder.kill()
        holder.wait()

