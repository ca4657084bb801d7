#!/usr/bin/env bash
# Runs every test: the unit tests of the portable logic (native build), the
# same under AddressSanitizer and UBSan, the fuzz targets for a bounded time,
# the Windows XP import check of the 32-bit and 64-bit exes, the release zip
# (its checks, a second build that must give the same bytes, its 64-bit exe
# under Wine), README's first command (./run.sh) without a display, and the
# end-to-end tests of the 64-bit exe under Wine and Xvfb.
# Installs what is missing first.
# Exits non-zero when anything fails; every stage runs even after a failure.
set -euo pipefail
cd "$(dirname "$0")"
. tests/ci/deps.sh
. tests/ci/release_stages.sh
velkor_ensure_deps

jobs="$(nproc 2>/dev/null || echo 2)"
failed=()

stage() {
    local name="$1"
    shift
    echo
    echo "==== $name"
    local started=$SECONDS
    if "$@"; then
        echo "==== $name: passed ($((SECONDS - started)) s)"
    else
        echo "==== $name: FAILED ($((SECONDS - started)) s)"
        failed+=("$name")
    fi
}

build() {
    cmake --preset "$1" && cmake --build --preset "$1" -j "$jobs"
}

unit_tests() {
    build native && ctest --preset native -j "$jobs"
}

sanitizers() {
    # The unit tests again, built by clang with AddressSanitizer and
    # UndefinedBehaviorSanitizer: the first finding fails its test.
    build native-asan && ctest --preset native-asan -j "$jobs"
}

fuzzing() {
    # Each fuzz target of tests/fuzz (in the native-asan build) for about 30 s
    # from its seed corpus; prints its figures, fails on a crash or a broken
    # invariant.
    build native-asan && ctest --preset fuzz -j "$jobs"
}

x86() {
    build win-x86 &&
        python3 tests/ci/check_imports.py build/win-x86/Velkor.exe --max-kib 400 &&
        (cd build/win-x86 && ctest --output-on-failure)
}

x64() {
    build win-x64 && python3 tests/ci/check_imports.py build/win-x64/Velkor.exe
}

e2e() {
    # One test at a time: each has its own prefix and display, but two Wine
    # sessions on two cores make the timings of the real clicks fragile.
    (cd build/win-x64 && ctest --output-on-failure --timeout 1200)
}

run_sh() {
    # README's first command, headless: from a new build/run-prefix and again
    # with it present; the screenshot must show the main window.
    python3 tests/ci/check_run_sh.py
}

formatting() {
    # The C++ sources follow .clang-format; a machine without clang-format skips this.
    if ! command -v clang-format >/dev/null 2>&1; then
        echo "clang-format not found: skipped"
        return 0
    fi
    git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
}

stage "formatting (clang-format)" formatting
stage "unit tests (native)" unit_tests
stage "unit tests under AddressSanitizer and UBSan (native-asan)" sanitizers
stage "fuzzing (native-asan, about 30 s per target)" fuzzing
stage "win-x86 build and XP import check" x86
stage "win-x64 build and import check" x64
stage "./run.sh without a display (README's first command)" run_sh
stage "release zip: build, checksums, versions, XP import check" release_zip
stage "release: a second build gives the same bytes" release_reproducible
if [ -f build/win-x64/Velkor.exe ]; then
    stage "end-to-end tests under Wine (win-x64)" e2e
else
    failed+=("end-to-end tests (no win-x64 build)")
fi
stage "release zip's 64-bit exe under Wine" release_starts

echo
if [ "${#failed[@]}" -gt 0 ]; then
    printf 'FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "all tests passed"
