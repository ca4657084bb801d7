#!/usr/bin/env bash
# Tests the import check itself: an exe that imports GetTickCount64 must be
# rejected with a message naming the function, and a plain exe must pass.
# Usage: check_imports_selftest.sh BAD_EXE GOOD_EXE
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bad="$1"
good="$2"

out="$(python3 "$here/check_imports.py" --quiet "$bad" 2>&1)"
rc=$?
if [ "$rc" -eq 0 ]; then
    echo "FAIL: the check accepted $bad, which imports GetTickCount64"
    echo "$out"
    exit 1
fi
if ! grep -q 'GetTickCount64' <<<"$out"; then
    echo "FAIL: the check rejected $bad without naming GetTickCount64:"
    echo "$out"
    exit 1
fi

out="$(python3 "$here/check_imports.py" --quiet "$good" 2>&1)"
rc=$?
if [ "$rc" -ne 0 ]; then
    echo "FAIL: the check rejected $good:"
    echo "$out"
    exit 1
fi

out="$(python3 "$here/check_imports.py" --quiet --max-kib 1 "$good" 2>&1)"
if [ $? -eq 0 ] || ! grep -q 'above the limit' <<<"$out"; then
    echo "FAIL: the size limit did not reject $good at 1 KiB:"
    echo "$out"
    exit 1
fi
echo "import check self-test passed"
