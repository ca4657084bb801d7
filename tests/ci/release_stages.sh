# The release's stages of test.sh (sourced by it; $jobs comes from there):
# the zip that release.sh makes and its checks, a second build of the 32-bit
# exe from a copy of the tree in other folders that must give the same bytes
# (and so the same zip), and each of the zip's two exes under Wine.

release_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release-x86/CMakeCache.txt
}

release_zip_path() {
    echo "dist/Velkor-$(release_version)-windows.zip"
}

release_zip() {
    ./release.sh &&
        python3 tests/ci/check_release.py "$(release_zip_path)" --version "$(release_version)" \
            --epoch "$(git log -1 --format=%ct)"
}

release_reproducible() {
    local src="$PWD/build/repro-src" bin="$PWD/build/release-x86-again" out="$PWD/build/repro-dist"
    rm -rf "$src" "$bin" "$out" && mkdir -p "$src" &&
        tar --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -xf - -C "$src" &&
        (cd "$src" && cmake --preset win-x86 -B "$bin" >/dev/null) &&
        cmake --build "$bin" --target Velkor -j "$jobs" &&
        cmp build/release-x86/Velkor.exe "$bin/Velkor.exe" &&
        echo "the 32-bit exe built twice is the same, byte for byte" &&
        python3 packaging/make_zip.py --version "$(release_version)" \
            --epoch "$(git log -1 --format=%ct)" --x86 "$bin/Velkor.exe" \
            --x64 build/release-x64/Velkor.exe --out "$out" >/dev/null &&
        cmp "$(release_zip_path)" "$out/$(basename "$(release_zip_path)")" &&
        echo "and so is the zip"
}

# $1: x86 or x64, the exe of the zip to start.
release_starts() {
    "$(velkor_pytest_python)" tests/e2e/release_zip.py "$(release_zip_path)" "$1"
}
