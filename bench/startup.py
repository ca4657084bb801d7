#!/usr/bin/env python3
"""Benchmarks of the 32-bit and the 64-bit exe under Wine and Xvfb: how long
each takes to show its window, and how long a click on "定制OEM信息" freezes
it. Prints figures; asserts nothing (a timing is not a test).

Start-up: the programs and a minimal empty Win32 window of each architecture
(bench/empty_window, the same size, built in win-x86 and win-x64) are started
in turn from C:\\velkor, after one warm-up round, the order rotating every
round so that the machine's load falls on every side alike. For each start:
the time from launching wine until the X server maps the window titled as
expected ("visible"), and until the window's pixels reach what they finally
show ("painted"). Prints each side's median and its ratio to the empty window
of its own architecture (a 32-bit program starts under Wine's 32-bit loader).
Several --exe give several programs in the same rounds (e.g. a build before
a change and after it).

OEM panel: system32 of the prefix is filled up to --files files (plus an
oeminfo.ini and an oemlogo.bmp), the program started, and the real pointer
clicks "定制OEM信息"; the time from the click until the panel's four text boxes
show on screen as they look once the panel is filled (learnt from a first
click), read from the screen's pixels. Between clicks "系统常规优化" brings the
first panel back. Prints the median.

Usage: bench/startup.py [--rounds N] [--exe PATH ...] [--files N] [--clicks N]
                        [--no-startup] [--no-oem]
The exes default to build/win-x86/Velkor.exe and build/win-x64/Velkor.exe.
"""
import argparse
import os
import signal
import statistics
import struct
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))
import harness  # noqa: E402

EMPTY_TITLE = "空窗口"
DEFAULT_EXES = [os.path.join(REPO, "build", f"win-{arch}", "Velkor.exe") for arch in ("x86", "x64")]
# Samples of the screen while waiting for a window to settle.
POLL = 0.004
QUIET = 0.8


def settle(sample, quiet=QUIET, timeout=60.0, changed_from=None):
    """Polls sample() until it has returned one value for `quiet` seconds (a
    value other than `changed_from`, when given); returns the time at which
    that value first appeared, or None after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    value, since = object(), None
    while time.monotonic() < deadline:
        now = time.monotonic()
        current = sample()
        if current != value:
            value, since = current, now
        if value != changed_from and now - since >= quiet:
            return since
        time.sleep(POLL)
    return None


def start_once(s, exe, title):
    """Starts `exe` from C:\\velkor and stops it again; (visible, painted) in
    milliseconds from the launch, None for a side not reached."""
    name = os.path.basename(exe)
    screen = harness.XScreen(s.display)
    try:
        started = time.monotonic()
        program = subprocess.Popen([harness.wineprefix.loader_for(exe),
                                    f"{harness.WORK_DIR_WIN}\\{name}"], cwd=s.workdir,
                                   env=s.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        try:
            mapped = screen.wait_for_map(title, timeout=60)
            painted = None
            rect = screen.window_rect(title) if mapped else None
            if rect:
                painted = settle(lambda: hash(screen.grab(*rect)), timeout=30)
        finally:
            os.killpg(program.pid, signal.SIGKILL)
            program.wait()
    finally:
        screen.close()
    time.sleep(0.3)
    ms = [None if t is None else (t - started) * 1000 for t in (mapped, painted)]
    return ms[0], ms[1]


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else float("nan")


def arch_of(exe):
    return "x86" if harness.wineprefix.is_32_bit(exe) else "x64"


def empty_window(arch):
    return os.path.join(REPO, "build", f"win-{arch}", "empty_window.exe")


def bench_startup(s, exes, rounds):
    for exe in exes:
        if not os.path.exists(exe):
            raise FileNotFoundError(f"{exe} is not built")
    archs = sorted({arch_of(e) for e in exes})
    sides = [(f"empty window ({arch})", empty_window(arch), EMPTY_TITLE) for arch in archs] + [
        (os.path.relpath(e, REPO) if e.startswith(REPO) else e, e, harness.MAIN_TITLE)
        for e in exes]
    for label, exe, _title in sides:
        if not os.path.exists(exe):
            raise FileNotFoundError(f"{exe} is not built")
    # Each side under its own name in C:\\velkor.
    copies = []
    for i, (label, exe, title) in enumerate(sides):
        name = f"side{i}-{os.path.basename(exe)}"
        subprocess.run(["cp", exe, os.path.join(s.workdir, name)], check=True)
        copies.append((label, os.path.join(s.workdir, name), title))
    results = {label: [] for label, _exe, _title in copies}
    for r in range(rounds + 1):
        order = copies[r % len(copies):] + copies[:r % len(copies)]
        for label, exe, title in order:
            figures = start_once(s, exe, title)
            if r > 0:  # round 0 warms the caches up
                results[label].append(figures)
        harness.log(f"round {r}: " + ", ".join(
            f"{label} {results[label][-1][0]:.0f}/{results[label][-1][1]:.0f} ms"
            for label, _e, _t in copies if r > 0 and results[label][-1][1] is not None))
    base = {arch: [median(v[k] for v in results[f"empty window ({arch})"]) for k in (0, 1)]
            for arch in archs}
    print()
    print(f"start-up under Wine, {rounds} rounds, median ms from launch "
          f"(ratio to the empty window of the same architecture)")
    print(f"  {'':36} {'visible':>16} {'painted':>16}")
    for (label, _copy, _title), (_label, exe, _t) in zip(copies, sides):
        b = base[arch_of(exe)]
        m = [median(v[k] for v in results[label]) for k in (0, 1)]
        cells = [f"{m[k]:7.1f} ({m[k] / b[k]:4.2f})" for k in (0, 1)]
        print(f"  {label:36} {cells[0]:>16} {cells[1]:>16}")
    sys.stdout.flush()


# ---- the OEM panel --------------------------------------------------------------

OEM_INI = "[General]\r\nManufacturer=联想集团\r\nModel=天逸 F41\r\n".encode("gbk")
TEXT_BOXES = ("Text1", "Text2", "Text3", "Text4")


def fill_system32(s, files):
    system32 = s.path_of("C:\\windows\\system32")
    with open(os.path.join(system32, "oeminfo.ini"), "wb") as f:
        f.write(OEM_INI)
    row = b"\x00\x80\xff" * 96
    pixels = row * 64
    with open(os.path.join(system32, "oemlogo.bmp"), "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54) +
                struct.pack("<IiiHHIIiiII", 40, 96, 64, 1, 24, 0, len(pixels), 2835, 2835, 0, 0) +
                pixels)
    present = sum(1 for e in os.scandir(system32) if e.is_file())
    for i in range(max(0, files - present)):
        open(os.path.join(system32, f"bench{i:05d}.dll"), "wb").close()
    return sum(1 for e in os.scandir(system32) if e.is_file())


def wait_for_panel(s, panel, timeout=600):
    """Waits until `panel` is the one shown and the program answers again (the
    inspector's questions wait for a busy window)."""
    def shown():
        try:
            return s.tree(wait=60)[panel]["visible"]
        except (subprocess.TimeoutExpired, RuntimeError):
            return False
    return harness.wait_until(shown, timeout, what=f"the panel {panel}")


def bench_oem(s, exe, files, clicks):
    count = fill_system32(s, files)
    tree = s.start(exe)
    screen = harness.XScreen(s.display)
    boxes = [tree[name]["screen"] for name in TEXT_BOXES]

    def sample():
        return tuple(hash(screen.grab(r["x"], r["y"], r["w"], r["h"])) for r in boxes)

    times = []
    try:
        # What the four boxes look like once the panel is up and filled: a
        # first click, waited out through the inspector.
        s.click("oem", tree=tree)
        wait_for_panel(s, "oemxx")
        finished = sample()
        for i in range(clicks):
            s.click("xt", tree=tree, verify=False)
            wait_for_panel(s, "xtyh")
            s.move_to("oem", tree=tree)
            clicked = time.monotonic()
            s.xdotool("click", 1)
            shown = None
            while time.monotonic() - clicked < 900:
                if sample() == finished:
                    shown = time.monotonic()
                    break
                time.sleep(POLL)
            if shown is None:
                harness.log("the OEM panel did not show within 900 s")
                break
            times.append((shown - clicked) * 1000)
            harness.log(f"click {i + 1}: the text boxes show after {times[-1]:.0f} ms")
    finally:
        screen.close()
    print()
    print(f"OEM panel under Wine, {os.path.relpath(exe, REPO)}, system32 with {count} files: "
          f"median {median(times):.0f} ms from the click on 定制OEM信息 until its "
          f"text boxes show ({', '.join(f'{t:.0f}' for t in times)})")
    sys.stdout.flush()


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--rounds", type=int, default=15)
    ap.add_argument("--exe", action="append", help="a program to time (repeatable)")
    ap.add_argument("--files", type=int, default=3000, help="files in system32")
    ap.add_argument("--clicks", type=int, default=3)
    ap.add_argument("--no-startup", action="store_true")
    ap.add_argument("--no-oem", action="store_true")
    args = ap.parse_args()
    exes = [os.path.abspath(e) for e in (args.exe or DEFAULT_EXES)]
    if not args.no_startup:
        with harness.Session("bench_startup") as s:
            # A wineserver that lasts between the starts: each start then pays
            # for its own process only.
            subprocess.run([harness.wineprefix.wineserver(), "-w"], env=s.env, timeout=120)
            subprocess.run([harness.wineprefix.wineserver(), "-p"], env=s.env, timeout=120)
            bench_startup(s, exes, args.rounds)
    if not args.no_oem:
        for exe in exes:
            with harness.Session("bench_oem") as s:
                bench_oem(s, exe, args.files, args.clicks)
    return 0


if __name__ == "__main__":
    sys.exit(main())
