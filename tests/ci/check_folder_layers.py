#!/usr/bin/env python3
"""Checks that the program's folders include one another without a cycle.

Each folder (app/, actions/, cli/, ...) may include headers of the folders
below it, never of one above: a cycle would mean two folders that can only be
understood together. Prints the order found, or the cycle, and exits non-zero
on a cycle."""
import os
import re
import sys

FOLDERS = ["actions", "app", "art", "cli", "script", "services", "tweaks", "cleanup", "oem",
           "undo", "preview", "platform", "resources", "win32"]
INCLUDE = re.compile(r'#include "([a-z0-9_]+)/')


def folder_edges(root):
    edges = {folder: set() for folder in FOLDERS}
    for folder in FOLDERS:
        for path, _, names in os.walk(os.path.join(root, folder)):
            for name in names:
                if not name.endswith((".cpp", ".h")):
                    continue
                with open(os.path.join(path, name), encoding="utf-8") as source:
                    for used in INCLUDE.findall(source.read()):
                        if used != folder and used in edges:
                            edges[folder].add(used)
    return edges


def find_cycle(edges):
    """A list of folders that lead back to the first, or None; else the
    folders from the bottom layer up, in `order`."""
    state = {}
    order = []

    def visit(folder, trail):
        state[folder] = "open"
        for used in sorted(edges[folder]):
            if state.get(used) == "open":
                return trail[trail.index(used):] + [used]
            if used not in state:
                cycle = visit(used, trail + [used])
                if cycle:
                    return cycle
        state[folder] = "done"
        order.append(folder)
        return None

    for folder in FOLDERS:
        if folder not in state:
            cycle = visit(folder, [folder])
            if cycle:
                return cycle, order
    return None, order


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__)) + "/../.."
    cycle, order = find_cycle(folder_edges(root))
    if cycle:
        print("folders that include one another: " + " -> ".join(cycle))
        return 1
    print("folders from the bottom layer up: " + ", ".join(order))
    return 0


if __name__ == "__main__":
    sys.exit(main())
