# Installs what the build and the tests need, only when it is missing.
# Sourced by test.sh and run.sh; needs root (or sudo) only when something is
# missing. Debian and Ubuntu package names.

VELKOR_PACKAGES=(cmake make g++ libgtest-dev mingw-w64 wine wine64 xvfb xdotool
                 fonts-wqy-zenhei imagemagick locales python3 python3-pytest libx11-6
                 libxfixes3 clang llvm)

# The python3 that runs the end-to-end tests: the first one that has pytest.
# Debian's python3-pytest belongs to /usr/bin/python3, which another python3
# earlier in PATH (pyenv, a virtual environment) may not see.
velkor_pytest_python() {
    local candidate
    for candidate in python3 /usr/bin/python3; do
        if "$candidate" -c "import pytest" >/dev/null 2>&1; then
            echo "$candidate"
            return 0
        fi
    done
    echo python3
}

velkor_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "need root to run: $*" >&2
        return 1
    fi
}

# clang links libFuzzer and the sanitizers from its compiler-rt package, which
# is named after its version: libclang-rt-N-dev on Debian 12 and Ubuntu 23.04
# and later, part of libclang-common-N-dev before. Installs the one apt knows
# when a fuzz target cannot be linked.
velkor_ensure_fuzzer() {
    local probe version p
    probe="$(mktemp -d)"
    echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
        >"$probe/probe.cpp"
    if clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" \
        >/dev/null 2>&1; then
        rm -rf "$probe"
        return 0
    fi
    rm -rf "$probe"
    version="$(clang++ -dumpversion | cut -d. -f1)"
    for p in "libclang-rt-$version-dev" "libclang-common-$version-dev"; do
        if apt-cache show "$p" >/dev/null 2>&1; then
            echo "installing $p (libFuzzer for clang $version)"
            velkor_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "$p"
            return
        fi
    done
    echo "no package with libFuzzer for clang $version found" >&2
    return 1
}

# The 32-bit exe runs under Wine's 32-bit half (wine32), which comes from the
# i386 architecture: dpkg must know that architecture before apt sees the
# package. Where it cannot be installed, the 32-bit exe's stages say so and
# are skipped.
velkor_ensure_wine32() {
    [ "$(dpkg --print-architecture 2>/dev/null)" = amd64 ] || return 0
    dpkg -s wine32:i386 >/dev/null 2>&1 && return 0
    echo "installing wine32:i386 (32-bit Wine, for the 32-bit exe)"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        velkor_as_root dpkg --add-architecture i386 || return 1
    fi
    velkor_as_root apt-get update &&
        velkor_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y wine32:i386
}

velkor_ensure_deps() {
    local missing=() p
    for p in "${VELKOR_PACKAGES[@]}"; do
        if ! dpkg -s "$p" >/dev/null 2>&1; then
            missing+=("$p")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "installing: ${missing[*]}"
        velkor_as_root apt-get update
        velkor_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
    fi
    velkor_ensure_fuzzer
    velkor_ensure_wine32 ||
        echo "wine32:i386 could not be installed: the 32-bit exe will not run under Wine" >&2
    # Wine uses code page 936 only under a Chinese locale.
    if ! locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; then
        echo "generating the zh_CN.UTF-8 locale"
        velkor_as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
        if ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
            echo 'zh_CN.UTF-8 UTF-8' | velkor_as_root tee -a /etc/locale.gen >/dev/null
        fi
        velkor_as_root locale-gen
    fi
}
