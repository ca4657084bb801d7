"""Hover descriptions, the about panel and its link label, end to end.

The real pointer (xdotool) moves over each control of the routine panel's
hover table and over controls that must leave the description alone (Frame1,
jianjie itself, a navigation button); the description is read back after
every move. Then the about panel: its texts, the hand cursor over the link
label and the arrow over the other labels, and a click on the link label,
which must hand the address it shows to the shell: the test makes the
recording sc.exe the handler of http addresses, so the address the shell was
asked to open arrives in sc_calls.log.

The expected texts are written here by hand from the window's description
table, not taken from the program.
"""
import os
import time

import harness

START_CAPTION = ("欢迎使用-系统优化程序，本程序将帮助您减少系统资源占用，"
                 "从而达到加快系统运行速度的目的。")
WELCOME = ("欢迎使用系统优化程序，本程序将帮助您减少系统资源占用，"
           "从而达到加快系统运行速度的目的。")
# The quotation marks are U+201C and U+201D, written as escapes on purpose.
HOVER = {
    "kjfs": "删除桌面快捷方式的\u201c快捷方式\u201d字样和小箭头。",
    "jsb": "在右键菜单中加入\u201c使用记事本打开\u201d选项。",
    "gxiang": "删除\u201c我的电脑\u201d中的\u201c共享文档\u201d。",
    "moren": "按照软件常规优化方式对系统服务进行优化。",
    "huifu": "恢复XP系统默认的服务状态。",
    "Command1": "按照您的选择继续下一步的优化。",
}

LINK_ADDRESS = "http://www.example.com/velkor/"
ABOUT_TEXTS = {
    "Label5": "程序作者:Tamsel",
    "Label6": "程序名称:系统优化程序",
    "Label7": "程序版本:1.0.0",
    "Label9": "官方网站:" + LINK_ADDRESS,
    "Label8": "联系作者  QQ:00000000 E-Mail:velkor@example.com",
    "Label10": "本程序适用于XP系统，打造您自己的个性XP系统。",
}

HTTP_OPEN = "HKCR\\http\\shell\\open\\command"


def description(s):
    return s.tree()["jianjie"]["text"]


def free_point(s, tree, name, candidates):
    """A screen point inside `name` (offsets in twips from its top-left
    corner) that lies over the control itself, not over one of its children."""
    control = tree[name]
    for dx, dy in candidates:
        x = control["screen"]["x"] + dx * tree.dpi // 1440
        y = control["screen"]["y"] + dy * tree.dpi // 1440
        if s.point(x, y).get("hwnd") == control["hwnd"]:
            return x, y
    raise AssertionError(f"no free point found in {name}")


def hover(s, name, expected, tree, at=None):
    if at:
        s.move_pointer(*at, settle=0.4)
    else:
        s.move_to(name, tree=tree, verify=True)
    assert description(s) == expected, f"pointer over {name}: the description"


def hover_descriptions(s):
    tree = s.tree()
    assert tree["jianjie"]["text"] == START_CAPTION, "at start jianjie shows its caption"
    # Free areas, in twips from each frame's corner: below Frame1 and right of
    # the check boxes for xtyh; left of the option buttons for Frame2; the
    # strip under jianjie for Frame1.
    xtyh_free = free_point(s, tree, "xtyh", [(3700, 2150), (3500, 2700), (5500, 2000)])
    frame2_free = free_point(s, tree, "Frame2", [(180, 600), (1800, 1050), (200, 1000)])
    frame1_free = free_point(s, tree, "Frame1", [(1500, 1640), (60, 900), (3070, 900)])

    # Controls outside the table leave the hyphenated caption in place.
    hover(s, "Frame1", START_CAPTION, tree, at=frame1_free)
    hover(s, "jianjie", START_CAPTION, tree)
    hover(s, "xt", START_CAPTION, tree)
    # The free area of the panel brings the welcome text without the hyphen.
    hover(s, "xtyh", WELCOME, tree, at=xtyh_free)

    for name, text in HOVER.items():
        hover(s, name, text, tree)
        # The text stays while the pointer is on Frame1, jianjie or a button.
        hover(s, "Frame1", text, tree, at=frame1_free)
        hover(s, "jianjie", text, tree)

    hover(s, "gy", HOVER["Command1"], tree)
    hover(s, "Frame2", WELCOME, tree, at=frame2_free)
    hover(s, "moren", HOVER["moren"], tree)
    hover(s, "xtyh", WELCOME, tree, at=xtyh_free)


def about_panel(s):
    s.click("gy")
    tree = s.tree()
    assert tree.visible_names(["xtyh", "oemxx", "gybcx"]) == ["gybcx"], (
        "gy shows the about panel alone")
    for name, text in ABOUT_TEXTS.items():
        assert tree[name]["text"] == text, f"{name} reads {text!r}"
        assert tree[name]["visible"], f"{name} is visible"
    assert tree["Image3"]["visible"], "Image3 is visible"

    s.move_to("Label9", tree=tree, verify=True)
    s.move_to("Label9", dx=tree["Label9"]["screen"]["w"] // 3, tree=tree, verify=True)
    assert s.cursor_name() == "hand", "the pointer over Label9 is the hand cursor"
    for name in ("Label5", "Label10"):
        s.move_to(name, tree=tree, verify=False)
        assert s.cursor_name() == "arrow", f"the pointer over {name} is the arrow"
    return tree


def link_click(s, tree):
    # The shell opens http addresses with the recording sc.exe from now on.
    s.run_wine("reg", "add", HTTP_OPEN, "/ve", "/d", '"C:\\velkor\\sc.exe" "%1"', "/f")
    log = os.path.join(s.workdir, "sc_calls.log")
    if os.path.exists(log):
        os.remove(log)

    s.click("Label9", tree=tree)
    harness.wait_until(lambda: s.sc_calls(), 20, what="the shell to open the link")
    assert s.sc_calls() == [f'"{LINK_ADDRESS}"'], (
        "a click on Label9 opens the address it shows, once")
    assert s.message_box(timeout=3) is None, "the program shows no message of its own"
    assert s.running(), "the program still runs"
    assert s.tree().visible_names(["xtyh", "oemxx", "gybcx"]) == ["gybcx"], (
        "the about panel stays shown")


def back_to_routine_panel(s):
    s.click("xt")
    time.sleep(0.3)
    assert description(s) == WELCOME, "back on the routine panel the last text stays"


def test_hover_about(session):
    session.start()
    hover_descriptions(session)
    tree = about_panel(session)
    link_click(session, tree)
    back_to_routine_panel(session)

