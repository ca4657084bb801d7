"""No other process can change a script while it runs: the junk cleanup's
console waits for a key, which keeps xtql.bat running long enough to try.

  1. After the click on "系统垃圾清理" the console shows its completion line
     and waits. A second process (tests/e2e/file_probe) may read xtql.bat, but
     cannot open it for writing, append to it, delete it or rename it; its
     bytes are still the fixture's.
  2. The program is closed while the console still waits: the script stays
     guarded, since the interpreter itself holds the guard.
  3. A key ends the script. With the program gone nobody could delete it (its
     own last line could not, while guarded): it stays, now unguarded.
  4. The program is started again and the cleanup clicked: the leftover is
     replaced by a new xtql.bat, guarded again; after the key the program
     deletes the script once its interpreter has ended.
"""
import os
import shutil

import harness
import test_junk_cleanup as junk

SCRIPT = "C:\\velkor\\xtql.bat"
# Moving another file over it is not among them: Wine refuses that for any
# file that is open, so under Wine it would prove nothing.
DENIED = ("write", "append", "delete", "rename")


def wait_for_console(s, when):
    seen = harness.wait_until(
        lambda: [c for c in junk.console_texts(s) if junk.DONE in c["lines"]], 90, interval=1.0,
        what=f"{when}: the completion line")
    assert seen, f"{when}: the console shows the completion line and waits"
    return seen[0]


def check_guarded(s, script, when):
    probe = s.probe_file(SCRIPT)
    harness.log(f"{when}: {probe}")
    assert probe is not None, f"{when}: xtql.bat exists"
    assert probe["read"] == 0, f"{when}: another process may read xtql.bat"
    for what in DENIED:
        assert probe[what] != 0, (
            f"{when}: another process cannot {what} xtql.bat: error code {probe[what]}")
    with open(script, "rb") as f:
        assert f.read() == junk.fixture_bytes(), f"{when}: xtql.bat holds the fixture's bytes"


def press_key(s, console, when):
    window = next((w for w in s.consoles() if w["hwnd"] == console["hwnd"]), None)
    assert window and s.press_key_in_console(window), f"{when}: a key closes the console"


def test_script_guard(session):
    shutil.copy(junk.CONSOLE_TEXT, os.path.join(session.tools, "console_text.exe"))
    script = os.path.join(session.workdir, "xtql.bat")

    # 1. A running script.
    session.start()
    session.click("lj")
    console = wait_for_console(session, "first run")
    check_guarded(session, script, "while the console waits")

    # 2. The program ends first.
    session.inspect("close", harness.MAIN_TITLE)
    assert harness.wait_until(lambda: not session.running(), 15, what="the program to end"), (
        "the program ends while the console still waits")
    assert any(w["hwnd"] == console["hwnd"] for w in session.consoles()), "the console is still open"
    check_guarded(session, script, "after the program ended")

    # 3. The key ends the script; the guard goes with its interpreter.
    press_key(session, console, "first run")
    free = harness.wait_until(lambda: (session.probe_file(SCRIPT) or {}).get("write") == 0, 15,
                              what="the guard to go")
    assert free, "with the interpreter gone, xtql.bat is no longer guarded"
    assert os.path.exists(script), "with the program gone, xtql.bat is left behind"

    # 4. A new run replaces the leftover and cleans up after itself.
    with open(script, "ab") as f:
        f.write(b"echo planted\r\n")
    session.start()
    session.click("lj")
    console = wait_for_console(session, "second run")
    check_guarded(session, script, "second run, while the console waits")
    press_key(session, console, "second run")
    gone = harness.wait_until(lambda: not os.path.exists(script), 15,
                              what="the program to delete xtql.bat")
    assert gone, "after the key the program deletes xtql.bat"
    assert session.running(), "the program still runs"
    assert session.window_titled(harness.NOTE_TITLE, "#32770") is None, "no message box appeared"

