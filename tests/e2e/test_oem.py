"""OEM information end to end: the panel, applying new values and the logo
picker, with real clicks and real typing, Wine's registry, its system32 and
its cmd.exe running fuzhi.bat.

Before the program starts, the Wine registry holds an owner and an
organisation, system32 holds an oeminfo.ini in GBK with Chinese text and a
[Support Information] section, and a red oemlogo.bmp; C:\\velkor\\logos holds
the bitmaps to choose from, a text file and a hidden bitmap. Where a 32-bit
program on 64-bit Windows would look unless it asks for the native system,
decoys: another owner in the 32-bit registry view, another oeminfo.ini and a
green oemlogo.bmp in SysWOW64; the panel must show none of them.

  1. "定制OEM信息" shows the four values and the red logo.
  2. The four boxes are edited by typing (Chinese included) and
     "应用新的OEM信息" is pressed: "OEM信息已经更新"; the file holds exactly the
     expected GBK bytes, the support section included; `reg query` shows the
     new owner and organisation.
  3. Text typed afterwards is replaced by the installed values when the panel
     is opened again.
  4. "更换OEM LOGO图片" opens the picker (a fixed tool window of 7410 x 3435
     twips, Text1 empty); a second click opens no second window. A double
     click in its folder list opens "logos", whose file list shows the two
     bitmaps only; a click on "my logo 100%.bmp" puts its path in Text1 and
     the blue preview on screen; "确定" closes the picker, fuzhi.bat runs and
     deletes itself, and system32's oemlogo.bmp is the chosen file byte for
     byte (the percent sign survived the command interpreter). The panel then
     shows the blue logo.
  5. In a new picker a green bitmap is chosen and "返回" pressed: the picker
     closes, no fuzhi.bat is written and the installed logo stays blue.
  6. With a picker open the main window is closed: the picker stays and the
     program runs on; the picker's close button closes it and the program ends.
"""
import os
import struct
import time

import harness

CURRENT_VERSION = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
SYSTEM32 = "C:\\windows\\system32"
PICKER_TITLE = "更改 OEM LOGO 图片"
PICKER_CLASS = "VelkorLogoPicker"
UPDATED = "OEM信息已经更新"
WS_EX_TOOLWINDOW = 0x80

OWNER, ORGANISATION = "王小明", "示例科技有限公司"
INI_BEFORE = ("[General]\r\n"
              "Manufacturer=联想集团\r\n"
              "Model=天逸 F41\r\n"
              "\r\n"
              "[Support Information]\r\n"
              "Line1=技术支持电话: 800-810-8888\r\n"
              "Line2=服务时间 9:00-18:00\r\n")

NEW_OWNER, NEW_ORGANISATION = "李四", "新公司 Co."
NEW_MODEL, NEW_MANUFACTURER = "型号 X2", "宏碁 Acer"
# What the file must hold afterwards: only the two keys changed.
INI_AFTER = ("[General]\r\n"
             "Manufacturer=宏碁 Acer\r\n"
             "Model=型号 X2\r\n"
             "\r\n"
             "[Support Information]\r\n"
             "Line1=技术支持电话: 800-810-8888\r\n"
             "Line2=服务时间 9:00-18:00\r\n")

RED, BLUE, GREEN = (255, 0, 0), (0, 0, 255), (0, 160, 0)
CHOSEN = "my logo 100%.bmp"


def bitmap(width, height, rgb):
    """A 24-bit bottom-up BMP of one colour."""
    row = bytes((rgb[2], rgb[1], rgb[0])) * width
    row += b"\0" * (-len(row) % 4)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def colour_at(s, control, name):
    shot = s.screenshot(os.path.join(harness.SCREENS_DIR, f"oem-{name}.png"))
    x, y = s.centre(control)
    return s.pixel(shot, x, y)


def close_enough(actual, expected, tolerance=40):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def retype(s, name, text, tree):
    """Real focus and real keys: click into the box, select its text, type."""
    s.click(name, tree)
    s.key("End")
    s.key("shift+Home")
    s.type_text(text)
    time.sleep(0.4)


def boxes(s):
    t = s.tree()
    return [t[n]["text"] for n in ("Text1", "Text2", "Text3", "Text4")]


def pickers(s):
    return [w for w in s.windows() if w["title"] == PICKER_TITLE and w["class"] == PICKER_CLASS]


def picker_tree(s):
    return harness.Tree(s.inspect("tree", PICKER_TITLE, "--class", PICKER_CLASS, "--wait", "10"))


def open_picker(s, what, **click):
    """Clicks 更换OEM LOGO图片 for real and waits until the picker is open."""
    s.click("Command4", s.tree(), **click)
    assert harness.wait_until(lambda: pickers(s), 10, what="the picker"), what


def open_folder(s, picker, name):
    """Opens a folder of the picker's folder list with a real double-click."""
    x, y = item_point(s, picker["Dir1"], name)
    s.move_pointer(x, y)
    s.xdotool("click", "--repeat", "2", "--delay", "80", "1")
    time.sleep(0.8)
    return picker_tree(s)


def item_point(s, listbox, text):
    """Screen point of the list item with this text (surrounding blanks ignored)."""
    stripped = [i.strip() for i in listbox["items"]]
    if text not in stripped:
        raise AssertionError(f"{text!r} not among {listbox['items']!r}")
    index = stripped.index(text)
    client, height = listbox["clientScreen"], listbox["itemHeight"]
    y = client["y"] + (index - listbox["topIndex"]) * height + height // 2
    return client["x"] + 30, y


def test_oem(session):
    ini = session.path_of(SYSTEM32 + "\\oeminfo.ini")
    logo = session.path_of(SYSTEM32 + "\\oemlogo.bmp")
    logos = os.path.join(session.workdir, "logos")
    red, blue, green = bitmap(8, 8, RED), bitmap(16, 12, BLUE), bitmap(10, 10, GREEN)
    session.reg_add(CURRENT_VERSION, "RegisteredOwner", OWNER)
    session.reg_add(CURRENT_VERSION, "RegisteredOrganization", ORGANISATION)
    write(ini, INI_BEFORE.encode("gbk"))
    write(logo, red)
    write(os.path.join(logos, CHOSEN), blue)
    write(os.path.join(logos, "green.bmp"), green)
    write(os.path.join(logos, "notes.txt"), b"not a picture\r\n")
    write(os.path.join(logos, ".hidden.bmp"), green)  # Wine shows dot files as hidden
    session.reg_add(CURRENT_VERSION, "RegisteredOwner", "诱饵", view=32)
    write(session.path_of(harness.SYSWOW64_WIN + "\\oeminfo.ini"),
          "[General]\r\nManufacturer=诱饵\r\nModel=SysWOW64\r\n".encode("gbk"))
    write(session.path_of(harness.SYSWOW64_WIN + "\\oemlogo.bmp"), green)

    # 1. The panel shows what is installed.
    main = session.start()
    session.click("oem", main)
    main = session.tree()
    assert main["oemxx"]["visible"] and not main["xtyh"]["visible"], "the OEM panel is shown"
    assert boxes(session) == [OWNER, ORGANISATION, "天逸 F41", "联想集团"], (
        "owner, organisation, model and manufacturer as installed")
    assert close_enough(colour_at(session, main["Image2"], "installed-logo"), RED), (
        "Image2 shows the installed (red) logo")
    assert read(ini) == INI_BEFORE.encode("gbk"), "opening the panel left oeminfo.ini alone"

    # 2. Edit with real typing and apply.
    for name, text in (("Text1", NEW_OWNER), ("Text2", NEW_ORGANISATION),
                       ("Text3", NEW_MODEL), ("Text4", NEW_MANUFACTURER)):
        retype(session, name, text, main)
    assert boxes(session) == [NEW_OWNER, NEW_ORGANISATION, NEW_MODEL, NEW_MANUFACTURER], (
        "the four boxes hold the typed text")
    session.click("Command6", main)
    assert session.close_message_box() == UPDATED, "the confirmation after applying"
    assert read(ini) == INI_AFTER.encode("gbk"), (
        "oeminfo.ini: the two keys changed, in GBK, every other line kept")
    assert "[Support Information]" in read(ini).decode("gbk"), "the support section survived"
    assert session.reg_query(CURRENT_VERSION, "RegisteredOwner") == NEW_OWNER, (
        "reg query: RegisteredOwner")
    assert session.reg_query(CURRENT_VERSION, "RegisteredOrganization") == NEW_ORGANISATION, (
        "reg query: RegisteredOrganization")

    # 3. Typed text gives way to the installed values when the panel opens again.
    retype(session, "Text1", "临时文字", main)
    session.click("xt", main)
    session.click("oem", main)
    assert boxes(session) == [NEW_OWNER, NEW_ORGANISATION, NEW_MODEL, NEW_MANUFACTURER], (
        "reopened panel shows the applied values")

    # 4. The picker.
    open_picker(session, "更换OEM LOGO图片 opens the picker")
    picker = picker_tree(session)
    w = picker.window
    dpi = picker.dpi
    assert ((w["client"]["w"], w["client"]["h"]) ==
            (round(7410 * dpi / 1440), round(3435 * dpi / 1440))), (
        "picker client area is 7410 x 3435 twips")
    assert (w["exstyle"] & WS_EX_TOOLWINDOW and not w["minimizeBox"]
                 and not w["maximizeBox"] and not w["thickFrame"]), (
        "picker is a fixed tool window without minimise and maximise")
    assert picker["Text1"]["text"] == "", "picker's Text1 is emptied on load"
    assert [picker[n]["text"] for n in ("Command1", "Command2")] == ["返回", "确定"], "picker's buttons"
    first = w["hwnd"]

    session.click("Command4", session.tree(), dy=main["Command4"]["screen"]["h"] - 5)  # the visible part
    time.sleep(1)
    again = pickers(session)
    assert len(again) == 1 and again[0]["hwnd"] == first and again[0]["foreground"], (
        f"a second click brings the same picker to the front: {again}")

    picker = open_folder(session, picker_tree(session), "logos")
    assert picker["File1"]["items"] == ["green.bmp", CHOSEN], (
        "File1 lists the folder's bitmaps only (no text file, no hidden file)")
    x, y = item_point(session, picker["File1"], CHOSEN)
    session.click_at(x, y)
    picker = picker_tree(session)
    chosen_path = "C:\\velkor\\logos\\" + CHOSEN
    assert picker["Text1"]["text"] == chosen_path, "Text1 holds the chosen path"
    assert close_enough(colour_at(session, picker["Image1"], "preview"), BLUE), (
        "the preview shows the chosen (blue) bitmap")

    session.click("Command2", picker)
    closed = harness.wait_until(lambda: not pickers(session), 10, what="the picker to close")
    assert closed, "确定 closes the picker"
    installed = harness.wait_until(lambda: os.path.exists(logo) and read(logo) == blue, 30,
                                   what="oemlogo.bmp to be replaced")
    if not installed:
        print(f"  oemlogo.bmp: {len(read(logo))} bytes; fuzhi.bat: "
              f"{os.path.exists(os.path.join(session.workdir, 'fuzhi.bat'))}")
    assert installed, "fuzhi.bat copied the chosen file over system32's oemlogo.bmp"
    gone = harness.wait_until(
        lambda: not os.path.exists(os.path.join(session.workdir, "fuzhi.bat")), 30,
        what="fuzhi.bat to delete itself")
    assert gone, "fuzhi.bat ran to its last line and deleted itself"
    assert session.window_titled(harness.MAIN_TITLE) is not None, "the main window is still open"

    main = session.tree()
    session.click("xt", main)
    session.click("oem", main)
    assert close_enough(colour_at(session, session.tree()["Image2"], "new-logo"), BLUE), (
        "the panel shows the new (blue) logo")

    # 5. 返回 writes nothing.
    open_picker(session, "the picker opens a second time")
    picker = picker_tree(session)
    assert picker["Text1"]["text"] == "", "a new picker starts with an empty Text1"
    picker = open_folder(session, picker, "logos")
    x, y = item_point(session, picker["File1"], "green.bmp")
    session.click_at(x, y)
    assert picker_tree(session)["Text1"]["text"] == "C:\\velkor\\logos\\green.bmp", "green.bmp chosen"
    session.click("Command1", picker)
    assert harness.wait_until(lambda: not pickers(session), 10, what="the picker to close"), (
        "返回 closes the picker")
    time.sleep(2)
    assert not os.path.exists(os.path.join(session.workdir, "fuzhi.bat")), "返回 wrote no fuzhi.bat"
    assert read(logo) == blue, (
        f"返回 left the installed logo as it was: {len(read(logo))} bytes, not the blue bitmap")
    assert close_enough(colour_at(session, session.tree()["Image2"], "after-back"), BLUE), (
        "返回 did not reload Image2 with anything else")

    # 6. The picker outlives the main window; the program ends with the last
    #    of the two, closed by the picker's own close button.
    open_picker(session, "the picker opens a third time")
    session.inspect("close", harness.MAIN_TITLE)
    assert (harness.wait_until(lambda: session.window_titled(harness.MAIN_TITLE) is None, 10,
                                    what="the main window to close")), "the main window closes"
    time.sleep(1)
    assert session.running() and len(pickers(session)) == 1, (
        "with the main window closed the picker stays open and the program runs")
    w = pickers(session)[0]
    # the close button at the right end of the caption bar
    session.click_at(w["rect"]["x"] + w["rect"]["w"] - 14,
                     w["rect"]["y"] + (w["clientScreen"]["y"] - w["rect"]["y"]) // 2)
    assert harness.wait_until(lambda: not pickers(session), 10, what="the picker to close"), (
        "the close button closes the picker")
    assert harness.wait_until(lambda: not session.running(), 15, what="the program to end"), (
        "the program ends with its last window")

