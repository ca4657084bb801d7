"""The main window end to end: its size and style, every control of the layout
table at its place with its caption and start state, and panel switching with
real clicks.

Expected positions come from the layout table through the inspector (which
prints each control's layout row next to what the window shows); the few
values that the load step changes are written out here.
"""
import os

import harness

TITLE = "Velkor 系统优化程序"
OUTER_TWIPS = (6120, 4850)
PANEL_TWIPS = (0, 1560, 6015, 2895)
PANELS = ("xtyh", "oemxx", "gybcx")
PANEL_OF = {"xt": "xtyh", "oem": "oemxx", "gy": "gybcx"}
WELCOME = "欢迎使用-系统优化程序，本程序将帮助您减少系统资源占用，从而达到加快系统运行速度的目的。"

BS_CHECKBOX, BS_AUTOCHECKBOX, BS_RADIOBUTTON, BS_3STATE, BS_AUTO3STATE = 2, 3, 4, 5, 6
BS_GROUPBOX, BS_AUTORADIOBUTTON, BS_OWNERDRAW = 7, 9, 11

# Window class and button type by kind of control.
CLASS_OF_KIND = {
    "command": ("Button", {BS_OWNERDRAW}),
    "checkbox": ("Button", {BS_CHECKBOX, BS_AUTOCHECKBOX}),
    "option": ("Button", {BS_RADIOBUTTON, BS_AUTORADIOBUTTON}),
    "frame": ("Button", {BS_GROUPBOX}),
    "label": ("Static", None),
    "textbox": ("Edit", None),
    "filelist": ("ListBox", None),
    "image": ("Static", None),
    "line": ("Static", None),
}

WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_THICKFRAME = 0x00010000, 0x00020000, 0x00040000


def px(twips, dpi):
    """MulDiv(twips, dpi, 1440): rounded half away from zero."""
    return (twips * dpi + 720) // 1440


def rect_tuple(r):
    return (r["x"], r["y"], r["w"], r["h"])


def expected_rect(row, dpi):
    """(x, y, w, h) in pixels relative to the container, after the load step."""
    t = row["twips"]
    if row["name"] in PANELS:
        left, top, width, height = PANEL_TWIPS
    elif row["kind"] == "line":  # the columns hold x1, y1, x2, y2
        x1, y1, x2 = px(t["left"], dpi), px(t["top"], dpi), px(t["width"], dpi)
        return (x1, y1, x2 - x1, 1)
    else:
        left, top, width, height = t["left"], t["top"], t["width"], t["height"]
    return (px(left, dpi), px(top, dpi), px(width, dpi), px(height, dpi))


def rect_close(actual, expected, tolerance=1):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def check_window(s, tree):
    w = tree.window
    dpi = tree.dpi
    assert w["title"] == TITLE, "window title"
    assert w["class"] == "VelkorForm1", "window class"
    size = (w["rect"]["w"], w["rect"]["h"])
    want = (px(OUTER_TWIPS[0], dpi), px(OUTER_TWIPS[1], dpi))
    assert rect_close(size, want), f"outer size {want[0]} x {want[1]} px at {dpi} DPI: got {size}"
    if dpi == 96:
        assert rect_close(size, (408, 323)), f"outer size 408 x 323 px: got {size}"
    centre = ((tree.data["screenWidth"] - size[0]) // 2, (tree.data["screenHeight"] - size[1]) // 2)
    assert rect_close((w["rect"]["x"], w["rect"]["y"]), centre), (
        f"the window is centred on the screen: at ({w['rect']['x']}, {w['rect']['y']}), centre {centre}")
    assert w["maximizeBox"] is False, "no maximise box"
    assert w["minimizeBox"] , "a minimise box"
    assert w["thickFrame"] is False, "no sizing border"
    assert w["style"] & (WS_MAXIMIZEBOX | WS_THICKFRAME) == 0, "style bits agree"


def check_controls(s, tree, layout):
    dpi = tree.dpi
    rows = [r for r in layout["controls"] if r["name"] != "Form1"]
    assert len(rows) == 40, "the layout table has 40 controls besides Form1"
    counts = {}
    for c in tree.controls:
        if c["name"]:
            counts[c["name"]] = counts.get(c["name"], 0) + 1
    assert {n: k for n, k in counts.items() if k > 1} == {}, "no control id is used twice"
    for row in rows:
        name = row["name"]
        c = tree.get(name)
        assert c is not None, f"{name}: a child window with id 1000 + its index"
        if row["container"] == "Form1":
            assert c["parent"] == tree.window["hwnd"], (
                f"{name}: child of the main window: parent {c['parentName']}")
        else:
            assert c["parentName"] == row["container"], f"{name}: child of its container"
        cls, types = CLASS_OF_KIND[row["kind"]]
        assert c["class"] == cls, f"{name}: window class for a {row['kind']}"
        if types is not None:
            assert c["buttonType"] in types, (
                f"{name}: button style for a {row['kind']}: got {c['buttonType']}, expected one of {sorted(types)}")
        assert c["text"] == row["caption"], f"{name}: caption"
        actual = rect_tuple(c["rect"])
        want = expected_rect(row, dpi)
        if name == "Label9":  # sizes itself to its text
            assert rect_close(actual[:2], want[:2]), (
                f"{name}: left and top: got {actual[:2]}, expected {want[:2]}")
            assert actual[2] > 0 and actual[3] > 0, f"{name}: has a size: {str(actual)}"
        else:
            assert rect_close(actual, want), (
                f"{name}: rect in its container ± 1 px: got {actual}, expected {want}")
        if name not in ("oemxx", "gybcx"):
            assert c["ownVisible"] == row["visible"], f"{name}: visibility as laid out"


def check_start_state(s, tree):
    assert [p for p in PANELS if tree[p]["visible"]] == ["xtyh"], (
        "at start only the routine-optimisation panel is visible")
    assert (tree["oemxx"]["ownVisible"], tree["gybcx"]["ownVisible"]) == (False, False), (
        "the OEM and about panels are hidden")
    assert tree["Text5"]["visible"] is False, "Text5 is not visible"
    client_w = tree.window["client"]["w"]
    assert tree["File1"]["rect"]["x"] >= client_w, (
        f"File1 lies beyond the client area: File1 at x {tree['File1']['rect']['x']}, client width {client_w}")
    assert tree["File1"]["screen"]["x"] >= tree.window["clientScreen"]["x"] + client_w, (
        "File1 is not on the screen within the window")
    assert (tree["gy"]["rect"]["x"] + tree["gy"]["rect"]["w"] <= client_w and
                 tree["xtyh"]["rect"]["x"] + tree["xtyh"]["rect"]["w"] <= client_w), (
        "the buttons and the panel fit the client area")
    assert tree.window["focusName"] == "xt", "focus is on xt"
    assert tree["moren"]["check"] == 1, "moren is selected"
    assert tree["huifu"]["check"] == 0, "huifu is not selected"
    for box in ("kjfs", "jsb", "gxiang"):
        assert tree[box]["check"] == 1, f"{box} is ticked"
    assert tree["jianjie"]["text"] == WELCOME, "jianjie shows the welcome text with a hyphen"
    panel_rects = {rect_tuple(tree[p]["rect"]) for p in PANELS}
    assert len(panel_rects) == 1, "the three panels share one rectangle"
    want = tuple(px(v, tree.dpi) for v in PANEL_TWIPS)
    assert rect_close(rect_tuple(tree["xtyh"]["rect"]), want), (
        f"the panels sit at (0, 1560) 6015 x 2895 twips: {str(panel_rects)}")


def press(s, button, step):
    """A real click on a navigation button; then exactly its panel is visible
    and all three panels keep their rectangle."""
    s.click(button)
    want = PANEL_OF[button]
    tree = harness.wait_until(
        lambda: (lambda t: t if [p for p in PANELS if t[p]["visible"]] == [want] else None)(
            s.tree()), 5, what=f"panel {want}")
    tree = tree or s.tree()
    visible = [p for p in PANELS if tree[p]["visible"]]
    assert visible == [want], f"{step}: after {button} only {want} is visible"
    rects = {rect_tuple(tree[p]["rect"]) for p in PANELS}
    want_rect = tuple(px(v, tree.dpi) for v in PANEL_TWIPS)
    assert len(rects) == 1 and rect_close(next(iter(rects)), want_rect), (
        f"{step}: all panels at the same rectangle: {str(rects)}")
    assert tree.window["title"] == TITLE, f"{step}: the window is unchanged"
    return tree


def check_panel_switching(s):
    sequence = ["gy", "oem", "xt", "oem", "gy", "gy", "xt", "xt", "oem", "oem", "gy", "xt"]
    for i, button in enumerate(sequence, 1):
        press(s, button, f"click {i}")
    harness.log("panel switching done")


def check_values_kept(s):
    tree = s.tree()
    s.click("jsb", tree)
    s.click("huifu", tree)
    tree = s.tree()
    assert tree["jsb"]["check"] == 0, "a click unticks jsb"
    assert (tree["huifu"]["check"], tree["moren"]["check"]) == (1, 0), "a click selects huifu"
    press(s, "gy", "values kept")
    tree = press(s, "xt", "values kept")
    assert tree["jsb"]["check"] == 0, "jsb is still clear after gy, xt"
    assert (tree["huifu"]["check"], tree["moren"]["check"]) == (1, 0), (
        "huifu is still selected after gy, xt")
    assert (tree["kjfs"]["check"], tree["gxiang"]["check"]) == (1, 1), (
        "the other boxes are still ticked")


def check_cleanup_keeps_panel(s):
    press(s, "gy", "before lj")
    s.screenshot(os.path.join(harness.SCREENS_DIR, "main_window_about.png"))
    known = {w["hwnd"] for w in s.windows()}
    s.click("lj")
    tree = s.tree()
    assert [p for p in PANELS if tree[p]["visible"]] == ["gybcx"], (
        "after lj the about panel is still shown")
    # The cleanup's console (its script deletes junk on C: of this private
    # prefix only) comes up over the program and waits for a key at its end.
    consoles = harness.wait_until(lambda: s.consoles(known), 15, what="the cleanup console")
    for w in consoles or []:
        harness.log(f"answering the console {w['title']!r}")
        s.press_key_in_console(w)
    tree = s.tree()
    assert [p for p in PANELS if tree[p]["visible"]] == ["gybcx"], (
        "with the cleanup under way the about panel is still the one shown")
    assert s.running(), "the program still runs"


def test_main_window(session):
    tree = session.start(title=TITLE)
    session.screenshot(os.path.join(harness.SCREENS_DIR, "main_window.png"))
    layout = session.inspect("layout")
    assert layout["title"] == TITLE, "the layout table's title"
    assert (layout["outerWidth"], layout["outerHeight"]) == OUTER_TWIPS, (
        "the layout table's outer size")
    check_window(session, tree)
    check_controls(session, tree, layout)
    check_start_state(session, tree)
    check_panel_switching(session)
    check_values_kept(session)
    check_cleanup_keeps_panel(session)
    check_window(session, session.tree())

