#!/usr/bin/env bash
# Runs every test: the unit tests of the portable logic (native build), the
# same under AddressSanitizer and UBSan, the fuzz targets for a bounded time,
# the Windows XP import check of the 32-bit and 64-bit exes, the release zip
# (its checks, a second build that must give the same bytes, both its exes
# under Wine), README's first command (./run.sh) without a display, and the
# end-to-end tests under Wine and Xvfb, against the 32-bit exe (the one XP
# users run) and then the 64-bit exe.
# Installs what is missing first. Where the kernel cannot run 32-bit programs
# the 32-bit exe's stages are skipped, saying why.
# Exits non-zero when anything fails; every stage runs even after a failure.
set -euo pipefail
cd "$(dirname "$0")"
. tests/ci/deps.sh
. tests/ci/release_stages.sh
velkor_ensure_deps

jobs="$(nproc 2>/dev/null || echo 2)"
failed=()
skipped=()

# A stage's function sets skip_reason (and returns 0) when it cannot run here.
stage() {
    local name="$1"
    shift
    echo
    echo "==== $name"
    local started=$SECONDS
    skip_reason=""
    if "$@"; then
        if [ -n "$skip_reason" ]; then
            echo "==== $name: SKIPPED: $skip_reason"
            skipped+=("$name ($skip_reason)")
        else
            echo "==== $name: passed ($((SECONDS - started)) s)"
        fi
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
        (cd build/win-x86 && ctest -LE e2e --output-on-failure)
}

x64() {
    build win-x64 && python3 tests/ci/check_imports.py build/win-x64/Velkor.exe
}

# Sets skip_reason when 32-bit Windows programs cannot run here (a kernel
# without 32-bit support: "Exec format error").
needs_wine32() {
    local problem
    if ! problem="$(python3 tests/e2e/wineprefix.py loader32)"; then
        skip_reason="$problem"
        return 1
    fi
}

e2e_x86() {
    needs_wine32 || return 0
    # One test at a time: each has its own prefix and display, but two Wine
    # sessions on two cores make the timings of the real clicks fragile.
    (cd build/win-x86 && ctest -L e2e --output-on-failure --timeout 1200)
}

e2e_x64() {
    # The checks of the Windows-only code, then the end-to-end tests.
    (cd build/win-x64 && ctest --output-on-failure --timeout 1200)
}

release_starts_x86() {
    needs_wine32 || return 0
    release_starts x86
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
stage "folders include one another without a cycle" python3 tests/ci/check_folder_layers.py
stage "unit tests (native)" unit_tests
stage "unit tests under AddressSanitizer and UBSan (native-asan)" sanitizers
stage "fuzzing (native-asan, about 30 s per target)" fuzzing
stage "win-x86 build and XP import check" x86
stage "win-x64 build and import check" x64
stage "./run.sh without a display (README's first command)" run_sh
stage "release zip: build, checksums, versions, XP import check" release_zip
stage "release: a second build gives the same bytes" release_reproducible
if [ -f build/win-x86/Velkor.exe ]; then
    stage "end-to-end tests under Wine: the 32-bit exe (win-x86)" e2e_x86
else
    failed+=("end-to-end tests of the 32-bit exe (no win-x86 build)")
fi
if [ -f build/win-x64/Velkor.exe ]; then
    stage "end-to-end tests under Wine: the 64-bit exe (win-x64)" e2e_x64
else
    failed+=("end-to-end tests of the 64-bit exe (no win-x64 build)")
fi
stage "release zip's 32-bit exe under Wine" release_starts_x86
stage "release zip's 64-bit exe under Wine" release_starts x64

echo
if [ "${#skipped[@]}" -gt 0 ]; then
    printf 'SKIPPED: %s\n' "${skipped[@]}"
fi
if [ "${#failed[@]}" -gt 0 ]; then
    printf 'FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "all tests passed"
