# Installs what the build and the tests need, only when it is missing.
# Sourced by test.sh and run.sh; needs root (or sudo) only when something is
# missing. Debian and Ubuntu package names.

VELKOR_PACKAGES=(cmake make g++ libgtest-dev mingw-w64 wine wine64 xvfb xdotool
                 fonts-wqy-zenhei imagemagick locales python3 libx11-6 libxfixes3)

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
