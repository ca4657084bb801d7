#!/usr/bin/env python3
"""README's first command, as a new user runs it: `./run.sh` without a
display, first with no build/run-prefix (it is made) and then with the one it
made. Each time the command must end with exit code 0 and its screenshot must
show the main window: the title read back from the window, and the banner
drawn for 96 DPI, pixel for pixel, where the window's Image1 lies.

Usage: check_run_sh.py   (exit code 0 when both runs pass)
"""
import json
import os
import shutil
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))
import harness  # noqa: E402

RUN_PREFIX = os.path.join(REPO, "build", "run-prefix")
OUT = os.path.join(REPO, "build", "run-check")
BANNER = os.path.join(REPO, "resources", "banner-96dpi.png")


def run(name):
    shot = os.path.join(OUT, name + ".png")
    where = os.path.join(OUT, name + ".json")
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    done = subprocess.run([os.path.join(REPO, "run.sh"), "--screenshot", shot, "--where", where],
                          env=env, cwd=REPO, timeout=900)
    problems = []
    if done.returncode != 0:
        return [f"{name}: ./run.sh ended with exit code {done.returncode}"]
    with open(where, encoding="utf-8") as f:
        facts = json.load(f)
    if facts["title"] != harness.MAIN_TITLE:
        problems.append(f"{name}: the window's title is {facts['title']!r}")
    box = facts["Image1"]
    shown = harness.rgb_bytes(shot, (box["x"], box["y"], box["w"], box["h"]))
    drawn = harness.rgb_bytes(BANNER)
    if shown != drawn:
        differ = sum(a != b for a, b in zip(shown, drawn)) + abs(len(shown) - len(drawn))
        problems.append(f"{name}: the screenshot does not show the banner at {box} "
                        f"({differ} of {len(drawn)} bytes differ; see {shot})")
    return problems


def main():
    shutil.rmtree(OUT, ignore_errors=True)
    os.makedirs(OUT)
    shutil.rmtree(RUN_PREFIX, ignore_errors=True)
    problems = []
    for name in ("new-prefix", "same-prefix"):
        found = run(name)
        print(f"{name}: " + ("the screenshot shows the main window" if not found else "FAILED"))
        problems += found
    for p in problems:
        print("  - " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
