#!/usr/bin/env python3
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
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import test_oem as oem  # noqa: E402

SYSTEM32 = oem.SYSTEM32
INI = SYSTEM32 + "\\oeminfo.ini"
LOGO = SYSTEM32 + "\\oemlogo.bmp"
INI_BEFORE = "[General]\r\nManufacturer=联想集团\r\nModel=天逸 F41\r\n"
INI_AFTER = "[General]\r\nManufacturer=联想集团\r\nModel=K29 Pro\r\n"
NOT_REPLACED = "OEM LOGO 未能更换："


def choose_and_confirm(s, checks, name, what):
    """Opens the picker, chooses logos\\<name> with real clicks and presses 确定."""
    if not oem.open_picker(s, checks, f"{what}: the picker opens"):
        return False
    picker = oem.open_folder(s, oem.picker_tree(s), "logos")
    x, y = oem.item_point(s, picker["File1"], name)
    s.click_at(x, y)
    s.click("Command2", oem.picker_tree(s))
    closed = harness.wait_until(lambda: not oem.pickers(s), 10, what="the picker to close")
    return checks.check(closed, f"{what}: 确定 closes the picker")


def wait_for_copy(s, checks, what):
    gone = harness.wait_until(lambda: not os.path.exists(os.path.join(s.workdir, "fuzhi.bat")),
                              30, what="fuzhi.bat to end")
    checks.check(gone, f"{what}: fuzhi.bat has ended and is gone")


def image2_colour(s, name):
    return oem.colour_at(s, s.tree()["Image2"], name)


def test(s, checks):
    ini, logo = s.path_of(INI), s.path_of(LOGO)
    red, blue, green = oem.bitmap(8, 8, oem.RED), oem.bitmap(16, 12, oem.BLUE), oem.bitmap(
        10, 10, oem.GREEN)
    oem.write(ini, INI_BEFORE.encode("gbk"))
    oem.write(logo, red)
    oem.write(os.path.join(s.workdir, "logos", "blue.bmp"), blue)
    oem.write(os.path.join(s.workdir, "logos", "green.bmp"), green)
    s.hide_as_system(INI)
    checks.equal(s.attributes(INI), "--ahs----", "oeminfo.ini starts hidden and system")

    # 1. The panel reads the hidden file.
    main = s.start()
    s.click("oem", main)
    checks.equal(oem.boxes(s)[2:], ["天逸 F41", "联想集团"], "the hidden file's model and maker")
    checks.equal(oem.read(ini), INI_BEFORE.encode("gbk"), "opening the panel left the file alone")

    # 2. Applying replaces it in place, keeping its attributes. A new file
    #    takes the old one's place: its Linux inode changes, where a rewrite
    #    in place (truncated first) would keep it.
    before = os.stat(ini).st_ino
    oem.retype(s, "Text3", "K29 Pro", main)
    s.click("Command6", main)
    checks.equal(s.close_message_box(), oem.UPDATED, "applying confirms the update")
    checks.equal(oem.read(ini), INI_AFTER.encode("gbk"), "oeminfo.ini holds the new model")
    checks.check(os.stat(ini).st_ino != before, "a new file replaced oeminfo.ini in one step")
    checks.equal(s.attributes(INI), "--ahs----", "oeminfo.ini is still hidden and system")
    checks.equal(glob.glob(ini + ".*"), [], "no temporary file is left beside oeminfo.ini")

    # 3. The logo shows once its copy has ended.
    if not choose_and_confirm(s, checks, "blue.bmp", "blue"):
        return
    wait_for_copy(s, checks, "blue")
    checks.check(harness.wait_until(lambda: oem.close_enough(image2_colour(s, "copied"), oem.BLUE),
                                    5, what="Image2 to show the blue logo"),
                 "Image2 shows the copied (blue) logo without opening the panel again")
    checks.equal(oem.read(logo), blue, "oemlogo.bmp is the blue bitmap")
    checks.equal(s.message_box(timeout=2), None, "a copy that took says nothing")

    # 4. A copy that does not take is reported after its end.
    holder = s.hold_file(LOGO, 60)
    try:
        if not choose_and_confirm(s, checks, "green.bmp", "green"):
            return
        wait_for_copy(s, checks, "green")
        box = s.message_box(timeout=10)
        checks.check(box and box["message"].startswith(NOT_REPLACED) and "green.bmp" in box[
            "message"], "the user is told that the logo was not replaced", repr(box))
        if box:
            s.close_message_box()
        checks.equal(oem.read(logo), blue, "oemlogo.bmp is still the blue bitmap")
        checks.check(oem.close_enough(image2_colour(s, "not-copied"), oem.BLUE),
                     "Image2 shows the installed (blue) logo")
    finally:
        holder.kill()
        holder.wait()


if __name__ == "__main__":
    harness.main(test, "oem_safety")
