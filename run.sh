#!/usr/bin/env bash
# Builds the 64-bit program and starts it under Wine, in a Wine prefix of its
# own under build/run-prefix (profile folders are empty real folders, no drive
# is mapped to the Linux root). Without $DISPLAY it runs on a virtual display,
# saves a screenshot to build/screenshot.png, prints its path and stops.
set -euo pipefail
cd "$(dirname "$0")"
. tests/ci/deps.sh
velkor_ensure_deps
cmake --preset win-x64 >/dev/null
cmake --build --preset win-x64 -j "$(nproc 2>/dev/null || echo 2)" --target Velkor inspector sc
exec python3 tests/e2e/run_program.py "$@"
