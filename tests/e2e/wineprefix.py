#!/usr/bin/env python3
"""Safe Wine prefixes for running the program.

A new Wine prefix links the profile folders (Desktop, Documents, ...) under
drive_c/users/<user>/ to the Linux home, and maps drive Z: to the Linux root.
The program's junk cleanup deletes recursively on drive C:, so every prefix
made here has those links replaced by empty real folders and every drive but
C: removed, and is checked for that before any program runs in it.

Used by the end-to-end harness (a cached template prefix, copied per test)
and by run.sh:

    wineprefix.py create PATH     make a safe prefix at PATH (if absent)
    wineprefix.py check PATH      fail when PATH is not safe
"""
import ctypes
import fcntl
import os
import shutil
import subprocess
import sys

READY_MARK = ".velkor-safe-prefix"
# Changes to what create() does must change this, so that cached templates
# made the old way are not used.
TEMPLATE_REVISION = 4

# The Windows version a prefix reports. Wine 8 reports Windows 7 by default;
# the program asks before changing services on anything but XP (5.1) and
# Server 2003 / XP x64 (5.2), and the tests run it on XP x64.
WINDOWS_VERSION = "winxp64"
# personality(2): no address-space randomisation (linux/personality.h).
ADDR_NO_RANDOMIZE = 0x0040000


def wine_loader():
    """The 64-bit Wine loader: wine64 on PATH, Debian's private copy, or wine."""
    for candidate in (shutil.which("wine64"), "/usr/lib/wine/wine64", shutil.which("wine")):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    raise FileNotFoundError("no wine64 or wine found")


def wineserver():
    for candidate in (shutil.which("wineserver"), "/usr/lib/wine/wineserver64",
                      "/usr/lib/wine/wineserver"):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    raise FileNotFoundError("no wineserver found")


def fix_address_layout():
    """Turns address-space randomisation off for this process and every process
    it starts from now on: Wine starts its processes by fork and exec, so they
    all inherit it. True when it is off.

    Every Wine process needs the pages at 0x7ffe0000 free as it starts (the
    Windows shared user data). Debian's Wine has no preloader to reserve them,
    and the kernel puts the heap of its loader (linked at 0x7d000000) anywhere
    in the 1 GiB above it. About one start in some thousands the heap lies
    over those pages and the process ends before any of its code runs ("failed
    to map the shared user data: c0000018"): a script silently misses one
    command. Without randomisation the heap starts right after the loader,
    48 MiB below them. A seccomp filter may refuse the change."""
    libc = ctypes.CDLL(None, use_errno=True)
    current = libc.personality(0xFFFFFFFF)
    if current == -1:
        return False
    if current & ADDR_NO_RANDOMIZE:
        return True
    return libc.personality(current | ADDR_NO_RANDOMIZE) != -1


def wine_env(prefix, display=None, base=None):
    """Environment for Wine programs in `prefix`: code page 936, no debug
    output, no Mono/Gecko prompts, and a home folder of the prefix's own so
    that nothing Wine links to can be the real home."""
    env = dict(os.environ if base is None else base)
    home = os.path.join(prefix, "unix-home")
    os.makedirs(home, exist_ok=True)
    env.update({
        "WINEPREFIX": prefix,
        "WINEARCH": "win64",
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "mscoree,mshtml=",
        "LC_ALL": "zh_CN.UTF-8",
        "LANG": "zh_CN.UTF-8",
        "HOME": home,
        "XDG_CONFIG_HOME": os.path.join(home, ".config"),
        "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
    })
    for key in ("LANGUAGE", "WINELOADER", "WINESERVER"):
        env.pop(key, None)
    if display:
        env["DISPLAY"] = display
    else:
        env.pop("DISPLAY", None)
    return env


def wait_for_wineserver(prefix, kill=False):
    args = [wineserver(), "-k" if kill else "-w"]
    subprocess.run(args, env=wine_env(prefix), check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)


def set_windows_version(prefix, version, display=None):
    """Makes the prefix report `version` ("winxp64", "win10", ...) to the
    programs started afterwards. Give the display the prefix's programs will
    use: the first Wine process of a prefix starts its wineserver and desktop,
    and a desktop started without a display has no graphics driver for the
    windows of the programs that join it while that server lasts."""
    subprocess.run([wine_loader(), "reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/d",
                    version, "/f"], env=wine_env(prefix, display), check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)


def make_safe(prefix):
    """Replaces every symlink under drive_c by an empty folder and removes every
    drive but C: (and the device links) from dosdevices."""
    drive_c = os.path.join(prefix, "drive_c")
    for root, dirs, files in os.walk(drive_c, followlinks=False):
        for name in dirs + files:
            path = os.path.join(root, name)
            if os.path.islink(path):
                os.unlink(path)
                os.mkdir(path)
    dosdevices = os.path.join(prefix, "dosdevices")
    for name in os.listdir(dosdevices):
        if name.lower() != "c:":
            os.unlink(os.path.join(dosdevices, name))


def check_safe(prefix):
    """Raises RuntimeError unless drive C: is the prefix's own drive_c without
    links that lead out of it and no other drive exists. (A test may plant a
    link that stays within drive C:, as a user could on Windows.)"""
    drive_c = os.path.realpath(os.path.join(prefix, "drive_c"))
    dosdevices = os.path.join(prefix, "dosdevices")
    # Drive entries are "x:" (the folder) and "x::" (the device). Wine itself
    # adds serial and parallel ports (com1 -> /dev/ttyS0) at start; they are
    # not drives.
    drives = sorted(n for n in os.listdir(dosdevices) if n.endswith(":"))
    if [n.lower() for n in drives] != ["c:"]:
        raise RuntimeError(f"{prefix}: drives other than C: are mapped: {drives}")
    if os.path.realpath(os.path.join(dosdevices, drives[0])) != drive_c:
        raise RuntimeError(f"{prefix}: C: does not lead to the prefix's drive_c")
    for root, dirs, files in os.walk(drive_c, followlinks=False):
        for name in dirs + files:
            path = os.path.join(root, name)
            if os.path.islink(path) and \
                    os.path.commonpath([os.path.realpath(path), drive_c]) != drive_c:
                raise RuntimeError(f"{prefix}: link out of drive C: {path} -> "
                                   f"{os.readlink(path)}")


def create(prefix):
    """Creates a safe prefix at `prefix` with wineboot, unless one is there."""
    if os.path.exists(os.path.join(prefix, READY_MARK)):
        check_safe(prefix)
        return prefix
    if os.path.exists(prefix):
        shutil.rmtree(prefix)
    os.makedirs(prefix)
    env = wine_env(prefix)
    subprocess.run([wine_loader(), "wineboot", "-i"], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
    # Wine draws the window frames itself (title bar included), so that they
    # show on a display without a window manager and in screenshots.
    subprocess.run([wine_loader(), "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v",
                    "Decorated", "/d", "N", "/f"], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    set_windows_version(prefix, WINDOWS_VERSION)
    wait_for_wineserver(prefix)
    make_safe(prefix)
    check_safe(prefix)
    with open(os.path.join(prefix, READY_MARK), "w") as f:
        f.write(wine_version() + "\n")
    return prefix


def wine_version():
    out = subprocess.run([wine_loader(), "--version"], capture_output=True, text=True)
    return out.stdout.strip()


def template(cache_dir):
    """The shared template prefix under `cache_dir`, made once per Wine version.
    Parallel callers wait for each other on a lock file."""
    os.makedirs(cache_dir, exist_ok=True)
    version = "".join(c if c.isalnum() or c in ".-" else "_" for c in wine_version())
    path = os.path.join(cache_dir, f"template-{version}-r{TEMPLATE_REVISION}")
    with open(os.path.join(cache_dir, "template.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        try:
            if not os.path.exists(os.path.join(path, READY_MARK)):
                building = path + ".building"
                if os.path.exists(building):
                    shutil.rmtree(building)
                create(building)
                os.rename(building, path)
                # wineboot recorded the folder it ran in; nothing depends on it.
        finally:
            fcntl.flock(lock, fcntl.LOCK_UN)
    check_safe(path)
    return path


def copy(template_path, dest):
    """A private copy of a template prefix (much faster than wineboot)."""
    if os.path.exists(dest):
        shutil.rmtree(dest)
    os.makedirs(os.path.dirname(dest) or ".", exist_ok=True)
    subprocess.run(["cp", "-a", template_path, dest], check=True)
    make_safe(dest)
    check_safe(dest)
    return dest


def main(argv):
    if len(argv) != 3 or argv[1] not in ("create", "check"):
        print(__doc__, file=sys.stderr)
        return 2
    prefix = os.path.abspath(argv[2])
    try:
        if argv[1] == "create":
            if not fix_address_layout():
                print("wineprefix: address randomisation stays on", file=sys.stderr)
            create(prefix)
        else:
            check_safe(prefix)
    except (RuntimeError, subprocess.CalledProcessError, OSError) as e:
        print(f"wineprefix: {e}", file=sys.stderr)
        return 1
    print(prefix)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
