"""The per-service optimisation end to end, from the main window's system menu.

  1. The system menu (opened with alt+space, the item chosen with the keys)
     opens the dialog "详细服务优化": 17 check boxes named with their
     services, ticked where the service starts automatically according to
     the registry of the prefix (or cannot be read), focus on the first box.
  2. Esc closes it and nothing is written or run.
  3. Opened again from the about panel, with gxiang cleared and jsb ticked:
     Tab and space change the second box, the pointer clears a ticked box and
     ticks or clears choice 15 (choice 16 follows), and a click on "确定" runs
     it. "xiangxi.bat" is caught while its sc calls run; its bytes must be the
     lines of the hand-written fixtures chosen by the boxes' final states, and
     the recording sc.exe must have seen its 20 calls in order. The Notepad
     verb appears (jsb ticked), Shared Documents stays (gxiang clear), the
     message is "系统已经优化完毕", and the routine panel is shown alone.
"""
import os
import threading
import time

import harness

FIXTURES = os.path.join(harness.REPO, "tests", "unit", "fixtures")
DIALOG = "详细服务优化"
DONE = "系统已经优化完毕"
FIRST_BOX = 101
IDOK = 1

# The services of each choice, in order (typed from the choice table).
CHOICE_SERVICES = [
    ["Themes"], ["Spooler"], ["SharedAccess", "ALG"], ["NetDDE"], ["Dhcp", "Dnscache"],
    ["WZCSVC"], ["lanmanserver"], ["BITS", "wuauserv"], ["srservice"], ["PolicyAgent"],
    ["SSDPSRV"], ["ClipSrv"], ["WebClient"], ["W32Time"], ["FastUserSwitchingCompatibility"],
    ["FastUserSwitchingCompatibility"], ["Browser"],
]
# The choice (1-17) that governs each line of the script; 0: the last line.
CHOICE_OF_LINE = [1, 2, 3, 3, 4, 5, 5, 6, 7, 8, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 0]

NOTEPAD_VERB = 'HKLM\\SOFTWARE\\Classes\\*\\shell\\用"记事本"打开'
SHARED_DOCS = ("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer"
               "\\NameSpace\\DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}")
SCRIPTS_TIMEOUT = 120


def fixture(name):
    with open(os.path.join(FIXTURES, name + ".txt"), encoding="utf-8") as f:
        lines = f.read().splitlines()
    assert all(line.endswith("$") for line in lines), f"{name}: a line without its end marker"
    return [line[:-1] for line in lines]


def expected_script(states):
    on, off = fixture("xiangxi.bat-on"), fixture("xiangxi.bat-off")
    lines = [on[i] if c == 0 or states[c - 1] == 1 else off[i]
             for i, c in enumerate(CHOICE_OF_LINE)]
    return "".join(line + "\r\n" for line in lines).encode("ascii")


def service_starts_automatically(s, service):
    """True, False, or None when the prefix has no such service."""
    data = s.reg_query(f"HKLM\\System\\CurrentControlSet\\Services\\{service}", "Start")
    return None if data is None else int(data, 0) == 2


def expected_initial_states(s):
    states = []
    for services in CHOICE_SERVICES:
        modes = [service_starts_automatically(s, name) for name in services]
        readable = [m for m in modes if m is not None]
        states.append(1 if not readable or any(readable) else 0)
    return states


def boxes(tree):
    by_id = {c["id"]: c for c in tree.controls}
    return [by_id.get(FIRST_BOX + i) for i in range(17)]


def states_of(tree):
    return [b["check"] if b else None for b in boxes(tree)]


def open_dialog(s, when):
    tree = s.system_menu_item(s.SERVICE_ITEM, DIALOG)
    assert tree.window["visible"], f"{when}: the dialog {DIALOG!r} is open"
    return tree


def key_exists(s, key):
    code, _ = s.run_wine("reg", "query", key)
    return code == 0


def leftovers(s):
    return sorted(n for n in os.listdir(s.workdir) if n.lower().endswith((".bat", ".reg")))


class ScriptCatcher(threading.Thread):
    """Reads "xiangxi.bat" as soon as it is complete, before it deletes itself."""

    def __init__(self, path, last_line):
        super().__init__(daemon=True)
        self.path = path
        self.last_line = last_line
        self.content = None
        self.stop = False

    def run(self):
        while not self.stop and self.content is None:
            try:
                with open(self.path, "rb") as f:
                    data = f.read()
                if data.endswith(self.last_line):
                    self.content = data
            except OSError:
                pass
            time.sleep(0.002)


def first_look(s):
    tree = open_dialog(s, "first opening")
    found = boxes(tree)
    assert all(b is not None and b["buttonType"] == 3 for b in found), (
        f"17 automatic check boxes: {[b and b['text'] for b in found]!r}")
    for i, (box, services) in enumerate(zip(found, CHOICE_SERVICES), 1):
        assert all(name in box["text"] for name in services), (
            f"box {i} names {', '.join(services)}: {box['text']}")
    assert states_of(tree) == expected_initial_states(s), (
        "each box starts ticked when its service starts automatically")
    buttons = {c["id"]: c["text"] for c in tree.controls}
    assert (buttons.get(1), buttons.get(2)) == ("确定", "取消"), "the buttons 确定 and 取消"
    assert s.focus().get("focusId") == FIRST_BOX, "focus starts on the first box"

    s.key("Escape", settle=0.8)
    assert s.window_titled(DIALOG) is None, "Esc closes the dialog"
    assert s.message_box(timeout=2) is None, "Esc: no message"
    assert leftovers(s) == [], "Esc: no script written"
    assert s.sc_calls() == [], "Esc: sc was not called"


def run_from_about_panel(s):
    # jsb ticked, gxiang cleared on the routine panel; then the about panel.
    tree = s.tree()
    assert tree["jsb"]["check"] == 1, "jsb is ticked"
    s.click("gxiang", tree)
    assert s.tree()["gxiang"]["check"] == 0, "gxiang is cleared"
    s.click("gy")

    tree = open_dialog(s, "second opening")
    before = states_of(tree)

    # Keyboard: Tab to the second box, space turns it over.
    s.key("Tab")
    assert s.focus().get("focusId") == FIRST_BOX + 1, "Tab moves to the second box"
    s.key("space")
    tree = s.tree(DIALOG)
    assert states_of(tree)[1] == 1 - before[1], "space turns the second box over"

    # Pointer: clear a ticked box, and turn choice 15 over (16 follows).
    ticked = [i for i in (0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16) if before[i] == 1]
    assert ticked, f"some box starts ticked: {repr(before)}"
    cleared = ticked[0]
    s.click_at(*s.centre(boxes(tree)[cleared], dx=8))
    s.click_at(*s.centre(boxes(tree)[14], dx=8))
    tree = s.tree(DIALOG)
    states = states_of(tree)
    assert states[cleared] == 0, f"a click clears box {cleared + 1}"
    assert states[14] == 1 - before[14], "a click turns box 15 over"
    assert states[15] == states[14], "box 16, the same service, follows box 15"

    expected = expected_script(states)
    catcher = ScriptCatcher(os.path.join(s.workdir, "xiangxi.bat"), b"del xiangxi.bat\r\n")
    catcher.start()
    ok = next(c for c in tree.controls if c["id"] == IDOK)
    s.click_at(*s.centre(ok))
    message = s.close_message_box(timeout=30)
    assert message == DONE, "the message after 确定"

    harness.wait_until(lambda: not leftovers(s) and len(s.sc_calls()) >= 20,
                       SCRIPTS_TIMEOUT, interval=1.0, what="the scripts to end")
    catcher.stop = True
    catcher.join(5)
    assert catcher.content is not None, "xiangxi.bat was caught while it ran"
    assert catcher.content == expected, (
        "xiangxi.bat holds the fixture lines chosen by the boxes, CR LF after each")
    expected_calls = [line[3:].lstrip(" ") for line in expected.decode().splitlines()
                      if line.startswith("sc ")]
    assert s.sc_calls() == expected_calls, "sc saw the 20 calls of xiangxi.bat in order"
    assert leftovers(s) == [], "no .bat or .reg left in the working directory"
    assert key_exists(s, NOTEPAD_VERB + "\\command"), "jsb ticked: the Notepad verb exists"
    assert key_exists(s, SHARED_DOCS), "gxiang clear: Shared Documents stays"

    tree = s.tree()
    assert tree.visible_names(["xtyh", "oemxx", "gybcx"]) == ["xtyh"], (
        "afterwards the routine panel is shown alone")


def test_per_service(session):
    session.start()
    # The verb absent and the Shared Documents key present, so that both
    # tweak decisions can be seen.
    session.run_wine("reg", "delete", NOTEPAD_VERB, "/f")
    session.run_wine("reg", "add", SHARED_DOCS, "/ve", "/d", "SharedDocs", "/f")
    first_look(session)
    run_from_about_panel(session)

