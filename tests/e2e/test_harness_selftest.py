"""The harness on its own, against a small test window (testwin.exe) and
Wine's notepad: the inspector's tree, real clicks landing where the inspector
says a control is, message boxes, the pointer's shape, keyboard input,
screenshots, reg query of Chinese data, the recording sc.exe and the safety of
the private prefix."""
import os
import struct
import subprocess

import harness
import wineprefix

TITLE = "E2E 测试窗口"


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def check_tree(s, tree):
    w = tree.window
    assert w["title"] == TITLE, "window title read back in UTF-8"
    assert w["class"] == "E2ETestWindow", "window class"
    assert ((w["rect"]["x"], w["rect"]["y"], w["rect"]["w"], w["rect"]["h"]) ==
            (100, 80, 400, 300)), "without a window manager the window sits where it asked"
    assert (w["maximizeBox"], w["minimizeBox"], w["thickFrame"]) == (False, True, False), (
        "style flags of the window")
    assert tree.dpi == 96, "DPI"
    assert w["focusName"] == "xt", "focus on the first button, named by its id"
    for name in ("xt", "kjfs", "xtyh", "moren", "File1", "Text1", "Label9", "Line1", "Text5"):
        assert name in tree, f"child {name} found by its control id"
    assert tree["xt"]["text"] == "显示提示", "caption of a button"
    assert tree["xt"]["layout"]["caption"] == "系统常规优化", (
        "the inspector reports the layout row next to the window")
    assert tree["kjfs"]["check"] == 1, "check box ticked"
    assert tree["xt"]["check"] is None, "push buttons have no check state"
    assert tree["moren"]["parentName"] == "xtyh", "a control inside a frame is its child"
    r = tree["moren"]["rect"]
    assert (r["x"], r["y"], r["w"], r["h"]) == (20, 30, 120, 24), (
        "rect relative to the parent's client area")
    frame = tree["xtyh"]["screen"]
    assert ((tree["moren"]["screen"]["x"], tree["moren"]["screen"]["y"]) ==
            (frame["x"] + 20, frame["y"] + 30)), "screen rect of a nested control"
    assert tree["File1"]["items"] == ["a.txt", "文件.bmp"], "list box items"
    assert tree["Text1"]["text"] == "Text1", "edit text"
    assert (tree["Text5"]["visible"], tree["Text5"]["ownVisible"]) == (False, False), (
        "hidden control")
    assert (tree["moren"]["visible"], tree["Line1"]["rect"]["h"]) == (True, 1), (
        "visible control, one-pixel line")


def check_clicks(s):
    tree = s.tree()
    s.click("kjfs", tree)
    assert s.tree()["kjfs"]["check"] == 0, "a real click in the centre unticks the check box"
    box = tree["kjfs"]["screen"]
    s.click("kjfs", tree, dx=2, dy=2)
    assert s.tree()["kjfs"]["check"] == 1, "a click 2 px inside the top-left corner lands"
    s.click_at(box["x"] + box["w"] + 3, box["y"] + box["h"] // 2)
    assert s.tree()["kjfs"]["check"] == 1, "a click 3 px right of the control misses it"
    s.click_at(box["x"] + box["w"] // 2, box["y"] + box["h"] + 2)
    assert s.tree()["kjfs"]["check"] == 1, "a click 2 px below the control misses it"
    s.click("moren", tree)
    assert s.tree()["moren"]["check"] == 1, "a click selects the option inside the frame"


def check_message_box(s):
    assert s.message_box(timeout=1) is None, "no message box before the click"
    s.click("xt")
    box = s.message_box(timeout=10)
    assert box is not None, "the button's message box titled 提示 appears"
    assert box["message"] == "你好，世界", "message text"
    assert [b["id"] for b in box["buttons"] if b["visible"]] == [1], "only an OK button"
    assert not s.tree()["xt"]["enabled"] or not s.tree().window["enabled"], (
        "the owner is disabled while the box is up")
    message = s.close_message_box()
    assert message == "你好，世界", "close_message_box returns the text"
    assert s.message_box(timeout=1) is None, "the box is gone after a real click on OK"
    assert s.tree().window["enabled"], "the window is enabled again"
    s.click("xt")
    pressed = s.inspect("dialog", "提示", "--wait", "10", "--press", "确定", check=False)
    assert pressed.get("pressed") , "the inspector presses a button by its caption"
    assert harness.wait_until(lambda: s.message_box(timeout=0) is None, 5, what="no box"), (
        "the pressed box closes")


def check_console(s):
    known = {w["hwnd"] for w in s.windows()}
    with open(os.path.join(s.workdir, "wait.bat"), "wb") as f:
        f.write("@echo off\r\necho 请按任意键\r\npause>nul\r\ndel wait.bat\r\n".encode("gbk"))
    subprocess.Popen([s.wine, "cmd", "/c", "start", "wait.bat"], cwd=s.workdir, env=s.env,
                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    consoles = harness.wait_until(lambda: s.consoles(known), 15, what="a console")
    assert consoles, "a visible console window appears"
    assert s.press_key_in_console(consoles[0]) , (
        "a real click and key end the console's pause")
    assert (harness.wait_until(
        lambda: not os.path.exists(os.path.join(s.workdir, "wait.bat")), 10, what="wait.bat")), (
        "the script ran on to its end and deleted itself")


def check_cursor(s):
    hand = s.reference_cursor("hand")
    arrow = s.reference_cursor("arrow")
    assert hand is not None and arrow is not None and hand != arrow, (
        f"hand and arrow pointers look different: {hand} {arrow}")
    s.move_to("Label9")
    assert s.cursor_name() == "hand", "the pointer over the label is the hand"
    tree = s.tree()
    client = tree.window["clientScreen"]
    s.move_pointer(client["x"] + 300, client["y"] + 240)
    assert s.cursor_name() == "arrow", "the pointer over the window background is the arrow"


def check_screenshot(s):
    path = s.screenshot(os.path.join(harness.SCREENS_DIR, "harness_selftest.png"))
    assert png_size(path) == (1024, 768), "screenshot is a 1024 x 768 PNG"
    assert s.pixel(path, 450, 350) == (255, 255, 255), (
        "the window's white background is in the screenshot")
    assert s.pixel(path, 600, 500) != (255, 255, 255), "the desktop around it is not white"
    assert s.pixel(path, 300, 90) != s.pixel(path, 600, 500), (
        "Wine draws the title bar itself (no window manager)")


def check_registry_and_sc(s):
    key = r"HKCU\Software\VelkorE2E"
    s.reg_add(key, "Owner", "张三 测试")
    assert s.reg_query(key, "Owner") == "张三 测试", "reg query output decoded (GBK)"
    assert s.reg_query(key, "Missing") is None, "a missing value reads as None"
    assert s.reg_query(key).get("Owner") == ("REG_SZ", "张三 测试"), "all values of a key"
    code, out = s.cmd("echo 中文")
    assert (code, out.strip()) == (0, "中文"), "cmd output decoded"
    s.cmd("sc config   Alerter start= DISABLED")
    s.cmd("sc config   Messenger start= DEMAND ")
    assert (s.sc_calls() ==
            ["config   Alerter start= DISABLED",
                                "config   Messenger start= DEMAND "]), (
        "the recording sc.exe logs each call's exact arguments")


def check_notepad(s):
    before = {w["hwnd"] for w in s.windows()}
    notepad = subprocess.Popen([s.wine, "notepad"], cwd=s.workdir, env=s.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        found = harness.wait_until(
            lambda: [w for w in s.windows() if w["class"] == "Notepad" and w["hwnd"] not in before],
            20, what="notepad")
        assert found, "Wine's notepad window appears"
        tree = s.tree(found[0]["title"])
        edits = [c for c in tree.controls if c["class"] == "Edit"]
        assert len(edits) == 1, "notepad has one edit control"
        x, y = s.centre(edits[0])
        s.click_at(x, y)
        s.xdotool("type", "--delay", "50", "abc")
        s.key("Return")
        s.xdotool("type", "--delay", "50", "x")
        text = harness.wait_until(
            lambda: (lambda t: t if t == "abc\r\nx" else None)(
                [c for c in s.tree(found[0]["title"]).controls if c["class"] == "Edit"][0]["text"]),
            5, what="typed text")
        assert text == "abc\r\nx", "keys typed with xdotool reach the focused edit"
    finally:
        notepad.kill()
        notepad.wait()


def test_harness_selftest(session):
    tree = session.start(harness.TESTWIN, TITLE)
    check_tree(session, tree)
    check_clicks(session)
    check_message_box(session)
    check_cursor(session)
    check_screenshot(session)
    check_registry_and_sc(session)
    check_notepad(session)
    check_console(session)
    # Raises, naming the link or drive, when the private prefix has a link
    # out or a drive but C:.
    wineprefix.check_safe(session.prefix)

