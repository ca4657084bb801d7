#!/usr/bin/env bash
# Makes the release download: dist/Velkor-<version>-windows.zip with the
# 32-bit exe (Windows XP SP3 and later), the 64-bit exe, README.txt, the
# licence and SHA256SUMS (see packaging/make_zip.py). The version is the one
# in CMakeLists.txt; the zip's file times are the commit's time. Two runs on
# the same commit give the same bytes, on any machine with the same tools.
#
# The exes are built in build/release-x86 and build/release-x64, from a clean
# configuration, then checked: imports that Windows XP has, the 32-bit exe at
# most 400 KiB.
set -euo pipefail
cd "$(dirname "$0")"
. tests/ci/deps.sh
velkor_ensure_deps

jobs="$(nproc 2>/dev/null || echo 2)"
if [ -n "$(git status --porcelain --untracked-files=no 2>/dev/null)" ]; then
    echo "release.sh: warning: uncommitted changes; the zip is not the commit's" >&2
fi
epoch="$(git log -1 --format=%ct)"

for arch in x86 x64; do
    rm -rf "build/release-$arch"
    cmake --preset "win-$arch" -B "build/release-$arch" >/dev/null
    cmake --build "build/release-$arch" --target Velkor -j "$jobs"
done
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release-x86/CMakeCache.txt)"

python3 tests/ci/check_imports.py build/release-x86/Velkor.exe --max-kib 400 --quiet
python3 tests/ci/check_imports.py build/release-x64/Velkor.exe --quiet
python3 packaging/make_zip.py --version "$version" --epoch "$epoch" \
    --x86 build/release-x86/Velkor.exe --x64 build/release-x64/Velkor.exe --out dist
