#!/usr/bin/env python3
"""Starts the program under Wine in the lasting prefix build/run-prefix (made
safe like the test prefixes: profile folders are empty real folders, no drive
but C:), from C:\\velkor.

With $DISPLAY set, the program shows there and this script waits until it is
closed. Without a display it runs on a private Xvfb, waits for the main
window, saves a screenshot (build/screenshot.png, or the path given), prints
its path and stops the program.

With --where PATH it also writes, as JSON, where the main window and its
banner (Image1) lie on the screen: what the check of README's first command
compares the screenshot with.

Usage: run_program.py [--exe PATH] [--screenshot PATH] [--where PATH]
"""
import argparse
import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

RUN_PREFIX = os.path.join(harness.REPO, "build", "run-prefix")


def main():
    ap = argparse.ArgumentParser(description="Starts the program under Wine.")
    ap.add_argument("--exe", default=harness.EXE)
    ap.add_argument("--screenshot", default=os.path.join(harness.REPO, "build", "screenshot.png"))
    ap.add_argument("--where")
    args = ap.parse_args()
    headless = not os.environ.get("DISPLAY")
    with harness.Session("velkor", prefix=RUN_PREFIX) as s:
        tree = s.start(args.exe, harness.MAIN_TITLE)
        if args.where:
            with open(args.where, "w", encoding="utf-8") as f:
                json.dump({"title": tree.window["title"], "window": tree.window["rect"],
                           "Image1": tree["Image1"]["screen"]}, f)
        if headless:
            print(s.screenshot(args.screenshot))
            return 0
        harness.log("the program runs; close its window to end")
        s.wait_for_exit()
    return 0


if __name__ == "__main__":
    sys.exit(main())
