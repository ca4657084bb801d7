"""Junk cleanup end to end: the real click on "系统垃圾清理", xtql.bat run by
Wine's own cmd.exe in a visible console, and a real key press to end it.

In one session, from the about panel:
  1. junk and keepers are planted on C:, in the Windows folder and in the
     user profile;
  2. the click opens a console in front that shows the progress line and the
     completion line (screenshot saved); the junk is gone, the keepers stay,
     C:\\windows\\temp exists again, and xtql.bat waits in C:\\velkor with the
     bytes of the hand-written fixture;
  3. a second click while that console is open rewrites nothing, starts no
     second interpreter and brings the console back to the front;
  4. a key press in the console ends the script, which deletes itself.
Throughout, no message box appears and the about panel stays shown.
"""
import json
import os
import re
import shutil
import subprocess
import time

import harness

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FIXTURE = os.path.join(REPO, "tests", "unit", "fixtures", "xtql.bat.txt")
CONSOLE_TEXT = (os.environ.get("VELKOR_CONSOLE_TEXT")
                or os.path.join(harness.BUILD_DIR, "console_text.exe"))

PROGRESS = "正在帮您清除系统垃圾文件，请稍等......"
DONE = "系统清理完成 按任意键退出程序。"
PANELS = ("gybcx", "xtyh", "oemxx")

# Files the script must delete, by the line of the script that deletes them.
# "~" stands for the user profile.
JUNK = [
    r"C:\a.tmp",                                        # line 3
    r"C:\sub\deep\d._mp",                               # line 4, in a subfolder
    r"C:\sub\b.log",                                    # line 5
    r"C:\sub\e.gid",                                    # line 6
    r"C:\sub\c.chk",                                    # line 7
    r"C:\sub\f.old",                                    # line 8
    r"C:\recycled\g.dat",                               # line 9
    r"C:\recycled\y\h.dat",
    r"C:\windows\x.bak",                                # line 10
    r"C:\windows\junktest\y.bak",
    r"C:\windows\prefetch\APP-1234.pf",                 # line 11
    r"C:\windows\prefetch\sub\layout.ini",
    r"C:\windows\temp\x\t.txt",                         # line 12
    r"C:\windows\temp\loose.dat",
    r"~\Cookies\c.txt",                                 # line 13
    r"~\Recent\r.lnk",                                  # line 14
    r"~\Local Settings\Temporary Internet Files\Content.IE5\AB\page.htm",  # line 15
    r"~\Local Settings\Temp\d\t.dat",                   # line 16
    r"~\Recent\sub\r2.lnk",                             # line 17
]

# Files the script must leave: other extensions, and the cookies' subfolder
# (line 13 has no /s).
KEEP = [
    r"C:\keep.txt",
    r"C:\sub\keep.doc",
    r"C:\sub\deep\notes.txt",
    r"C:\windows\junktest\keep.ini",
    r"~\Cookies\sub\kept.txt",
    r"~\Documents\letter.doc",
]


def user_profile(s):
    code, text = s.cmd("echo %userprofile%")
    profile = text.strip().splitlines()[-1].strip() if code == 0 and text.strip() else ""
    if not profile.lower().startswith("c:\\users\\"):
        raise RuntimeError(f"unexpected user profile {profile!r}")
    return profile


def linux_path(s, profile, path):
    return s.path_of(profile + path[1:] if path.startswith("~") else path)


def plant(s, profile):
    for path in JUNK + KEEP:
        target = linux_path(s, profile, path)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "w") as f:
            f.write(f"planted {path}\n")


def fixture_bytes():
    """xtql.bat as the hand-written fixture gives it: GBK, CR LF after each line."""
    with open(FIXTURE, encoding="utf-8") as f:
        lines = f.read().splitlines()
    assert all(line.endswith("$") for line in lines), "fixture line without its end marker"
    return b"".join(line[:-1].encode("gbk") + b"\r\n" for line in lines)


def console_texts(s):
    """The consoles of the interpreters that Velkor.exe started, as the console
    reader sees them: [{"pid", "hwnd", "lines"}]."""
    code, out = s.run_wine(f"{harness.TOOLS_DIR_WIN}\\console_text.exe", "Velkor.exe",
                           cwd=s.tools, timeout=60)
    answer = [line for line in out.splitlines() if line.startswith("{")]
    if not answer:
        raise RuntimeError(f"console reader: no answer (exit {code}): {out!r}")
    return json.loads(answer[-1])["consoles"]


def no_message_box(s, when):
    box = s.window_titled(harness.NOTE_TITLE, "#32770")
    assert box is None, f"{when}: no message box: {repr(box)}"


def check_panel(s, when):
    tree = s.tree()
    assert tree.visible_names(PANELS) == ["gybcx"], f"{when}: the about panel is still shown"


def foreground_hwnd(s):
    window = s.focus()
    return window["hwnd"] if window else None


def activate_main_window(s, console_hwnd):
    """Clicks a bare spot of the main window (its own background or the about
    frame, never a button or the link label) that the console does not cover,
    so that the main window, not the console, is the foreground window."""
    tree = s.tree()
    r = tree.window["rect"]
    c = next((w["rect"] for w in s.windows() if w["hwnd"] == console_hwnd), None)

    def covered(x, y):
        return c is not None and c["x"] <= x < c["x"] + c["w"] and c["y"] <= y < c["y"] + c["h"]

    spots = [(x, y) for y in range(r["y"] + r["h"] - 6, r["y"] + 30, -15)
             for x in range(r["x"] + 6, r["x"] + r["w"] - 6, 15) if not covered(x, y)]
    for x, y in spots[:40]:
        hit = s.point(x, y)
        if hit.get("hwnd") == tree.window["hwnd"] or hit.get("name") == "gybcx":
            s.click_at(x, y)
            return True
    return False


def console_x_window(s, console_hwnd):
    """The X window of the console, found by its title (the interpreter's
    path: system32, or Sysnative when a 32-bit program started it)."""
    title = next((w["title"] for w in s.windows() if w["hwnd"] == console_hwnd), None)
    if title is None:
        return None
    found = subprocess.run(["xdotool", "search", "--name", "^" + re.escape(title) + "$"],
                           env=s.env, capture_output=True, text=True, timeout=30)
    ids = found.stdout.split()
    if len(ids) != 1:
        harness.log(f"console X windows: {ids}")
        return None
    return ids[0]


def move_console_below_main(s, console_hwnd):
    """Moves the console's X window below the main window and waits until
    Wine has taken the new position."""
    main = s.tree().window["rect"]
    xid = console_x_window(s, console_hwnd)
    if xid is None:
        return False
    top = main["y"] + main["h"] + 10
    s.xdotool("windowmove", xid, 0, top)

    def moved():
        w = next((w for w in s.windows() if w["hwnd"] == console_hwnd), None)
        return w is not None and w["rect"]["y"] >= main["y"] + main["h"]

    return harness.wait_until(moved, 10, what="the console to move")


def test_junk_cleanup(session):
    profile = user_profile(session)
    harness.log(f"user profile {profile}")
    plant(session, profile)
    # The console's own font has no Chinese glyphs under Wine; a CJK face makes
    # the screenshot readable. It changes nothing the test checks.
    session.reg_add(r"HKCU\Console", "FaceName", "WenQuanYi Zen Hei Mono")
    shutil.copy(CONSOLE_TEXT, os.path.join(session.tools, "console_text.exe"))
    script = os.path.join(session.workdir, "xtql.bat")

    session.start()
    session.click("gy")
    check_panel(session, "before the click")

    # --- the click ----------------------------------------------------------
    session.click("lj")
    seen = harness.wait_until(
        lambda: [c for c in console_texts(session) if DONE in c["lines"]], 90, interval=1.0,
        what="the completion line in the console")
    assert seen, "a console shows the completion line"
    console = seen[0]
    shot = session.screenshot(os.path.join(harness.SCREENS_DIR, "junk_cleanup-console.png"))
    harness.log(f"console screenshot: {shot}")
    text = [line for line in console["lines"] if line.strip()]
    assert text[:1] == [PROGRESS], "the console's first line is the progress line"
    assert text[-1:] == [DONE], "the console's last line is the completion line"
    assert len(console_texts(session)) == 1, "one interpreter runs the script"
    assert foreground_hwnd(session) == console["hwnd"], "the console is in front"
    windows = session.windows()
    assert any(w["hwnd"] == console["hwnd"] for w in windows), "the console window is visible"

    for path in JUNK:
        assert not os.path.exists(linux_path(session, profile, path)), f"deleted: {path}"
    for path in KEEP:
        assert os.path.exists(linux_path(session, profile, path)), f"kept: {path}"
    temp = session.path_of(r"C:\windows\temp")
    assert os.path.isdir(temp), r"C:\windows\temp exists"
    assert (os.listdir(temp) if os.path.isdir(temp) else None) == [], r"C:\windows\temp is empty"

    assert os.path.exists(script), "xtql.bat waits in C:\\velkor for the key"
    with open(script, "rb") as f:
        written = f.read()
    assert written == fixture_bytes(), "xtql.bat holds the fixture's bytes"
    written_at = os.stat(script).st_mtime_ns
    no_message_box(session, "after the click")
    check_panel(session, "after the click")

    # --- a second click while the console is open ------------------------------
    # With no window manager, activating a window does not raise it: move the
    # console below the main window so that the button can be clicked.
    assert move_console_below_main(session, console["hwnd"]), "the console moved aside"
    assert activate_main_window(session, console["hwnd"]), "a bare spot of the main window clicked"
    assert foreground_hwnd(session) != console["hwnd"], "the console is no longer in front"
    session.click("lj")
    time.sleep(1.5)
    with open(script, "rb") as f:
        assert f.read() == written, "second click: xtql.bat is not rewritten"
    assert os.stat(script).st_mtime_ns == written_at, "second click: xtql.bat is untouched"
    after = console_texts(session)
    assert [c["pid"] for c in after] == [console["pid"]], (
        "second click: no second interpreter is started")
    assert foreground_hwnd(session) == console["hwnd"], "second click: the console is back in front"
    no_message_box(session, "after the second click")
    check_panel(session, "after the second click")

    # --- the key ------------------------------------------------------------------
    # A real click into the console and a key, as a user answers the pause.
    window = next((w for w in session.consoles() if w["hwnd"] == console["hwnd"]), None)
    assert window, "the console window is still open before the key"
    assert session.press_key_in_console(window), "a click and a key close the console"
    ended = harness.wait_until(lambda: not os.path.exists(script) and not console_texts(session), 30,
                               interval=0.5, what="the script to end after the key")
    assert ended, "after a key press the script has deleted itself and ended"
    assert (harness.wait_until(
        lambda: all(w["hwnd"] != console["hwnd"] for w in session.windows()), 10)), (
        "the console window has closed")
    assert session.running(), "the program still runs"
    no_message_box(session, "at the end")
    check_panel(session, "at the end")

