"""End-to-end test harness: the real exe (32-bit or 64-bit) under Wine and Xvfb.

Each test gets
  - a private copy of a cached template Wine prefix (code page 936, profile
    folders as empty real folders, no Z: drive; see wineprefix.py),
  - its own Xvfb display (1024 x 768, 24 bits, no window manager: Wine draws
    the window frames itself and places windows where they ask to be),
  - the program started from C:\\velkor in that prefix, with the recording
    sc.exe next to it,
and drives the program with the real pointer (xdotool), reading the windows
back through the inspector (tests/e2e/inspector), the registry through Wine's
reg, and the screen through ImageMagick's import.

    def test_caption(session):
        session.start()
        assert session.tree()["xt"]["text"] == "系统常规优化", "caption of xt"

run by pytest (python3 -m pytest tests/e2e/test_my.py); the fixtures (the
session, the exe under test, its architecture, the display) are those of
e2e_fixtures.py.

Environment: VELKOR_BUILD_DIR, VELKOR_EXE, VELKOR_INSPECTOR, VELKOR_SC,
VELKOR_TESTWIN, VELKOR_FILE_PROBE (set by CTest in build/win-x86 and
build/win-x64 alike: each build tests its own exe with its own tools; default
to build/win-x64), VELKOR_E2E_KEEP=1 keeps the private prefix after the run.
A 32-bit exe is started by the 32-bit Wine loader (see wineprefix.loader_for);
Wine's own tools and the helpers run under wine64, in the same 64-bit prefix.
"""
import ctypes
import ctypes.util
import hashlib
import json
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wineprefix  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD_DIR = os.environ.get("VELKOR_BUILD_DIR") or os.path.join(REPO, "build", "win-x64")
EXE = os.environ.get("VELKOR_EXE") or os.path.join(BUILD_DIR, "Velkor.exe")
INSPECTOR = os.environ.get("VELKOR_INSPECTOR") or os.path.join(BUILD_DIR, "inspector.exe")
SC = os.environ.get("VELKOR_SC") or os.path.join(BUILD_DIR, "sc.exe")
TESTWIN = os.environ.get("VELKOR_TESTWIN") or os.path.join(BUILD_DIR, "testwin.exe")
FILE_PROBE = os.environ.get("VELKOR_FILE_PROBE") or os.path.join(BUILD_DIR, "file_probe.exe")
CACHE_DIR = os.path.join(REPO, "build", "e2e-cache")
RUNS_DIR = os.path.join(REPO, "build", "e2e-runs")
SCREENS_DIR = os.path.join(BUILD_DIR, "e2e-screens")

MAIN_TITLE = "Velkor 系统优化程序"
NOTE_TITLE = "提示"
WORK_DIR_WIN = "C:\\velkor"
SYSTEM32_WIN = "C:\\windows\\system32"
TOOLS_DIR_WIN = "C:\\e2e-tools"
# What a 32-bit program on 64-bit Windows sees as system32 unless it asks for
# the native one (Sysnative).
SYSWOW64_WIN = "C:\\windows\\syswow64"


def log(message):
    print(f"[{time.strftime('%H:%M:%S')}] {message}", flush=True)


def wait_until(predicate, timeout=10.0, interval=0.25, what="condition"):
    """Calls predicate until it returns a true value; returns that value, or
    None after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            log(f"timed out after {timeout:.0f} s waiting for {what}")
            return None
        time.sleep(interval)


def decode_console(data):
    """Text from a Wine console program's piped output. Under LC_ALL=zh_CN.UTF-8
    Wine's console code page is 936, so reg, cmd and friends write GBK; UTF-8
    is tried only when the bytes are not GBK."""
    for encoding in ("gb18030", "utf-8"):
        try:
            return data.decode(encoding)
        except UnicodeDecodeError:
            pass
    return data.decode("gb18030", errors="replace")


def parse_reg_query(text):
    """{value name: (type, data)} from the output of `reg query`."""
    values = {}
    for line in text.splitlines():
        m = re.match(r"^\s+(.*?)\s{4}(REG_[A-Z_]+)(?:\s{4}(.*))?$", line)
        if m:
            values[m.group(1)] = (m.group(2), m.group(3) or "")
    return values


class ScriptCatcher:
    """Keeps the files that a program creates in a folder although each
    script deletes itself when it ends. inotify reports every file created in
    the folder (or renamed into it), and a hard link made at once keeps the
    file's content, whatever is written into it afterwards, after its name
    has gone. Use as a context manager; then `content(name)`."""

    IN_MOVED_TO = 0x080
    IN_CREATE = 0x100

    def __init__(self, folder, keep, suffixes=(".bat", ".reg")):
        self.folder = folder
        self.keep = keep  # a folder on the same file system
        self.suffixes = suffixes
        self.kept = {}  # name -> the hard link of its last creation
        self.missed = []  # names gone before they could be linked
        self._fd = None
        self._stop = None
        self._thread = None

    def __enter__(self):
        os.makedirs(self.keep, exist_ok=True)
        libc = ctypes.CDLL(None, use_errno=True)
        self._fd = libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self._fd < 0 or libc.inotify_add_watch(
                self._fd, self.folder.encode(), self.IN_CREATE | self.IN_MOVED_TO) < 0:
            raise OSError(ctypes.get_errno(), "inotify")
        self._stop = threading.Event()

        def watch():
            while not self._stop.is_set():
                if not select.select([self._fd], [], [], 0.1)[0]:
                    continue
                data = os.read(self._fd, 65536)
                offset = 0
                while offset < len(data):
                    _wd, _mask, _cookie, length = struct.unpack_from("iIII", data, offset)
                    name = data[offset + 16:offset + 16 + length].rstrip(b"\0")
                    offset += 16 + length
                    self._link(os.fsdecode(name))

        self._thread = threading.Thread(target=watch, daemon=True)
        self._thread.start()
        return self

    def _link(self, name):
        if not name.lower().endswith(self.suffixes):
            return
        target = os.path.join(self.keep, f"{name}.{len(os.listdir(self.keep))}")
        try:
            os.link(os.path.join(self.folder, name), target)
            self.kept[name] = target
        except OSError:
            self.missed.append(name)

    def __exit__(self, *exc):
        self._stop.set()
        self._thread.join(5)
        os.close(self._fd)
        return False

    def content(self, name):
        """The bytes the file held when its name was last removed (or now);
        None when no such file was created."""
        if name not in self.kept:
            return None
        with open(self.kept[name], "rb") as f:
            return f.read()


class Tree:
    """The inspector's view of a top-level window: `window` (the window's own
    facts), `dpi`, `controls` (every descendant, in order) and, by layout name,
    tree["xt"]."""

    def __init__(self, data):
        self.data = data
        self.window = data["window"]
        self.dpi = data["dpi"]
        self.controls = data["controls"]
        self.by_name = {}
        for c in self.controls:
            if c.get("name"):
                self.by_name.setdefault(c["name"], c)
        self.by_hwnd = {c["hwnd"]: c for c in self.controls}

    def __getitem__(self, name):
        return self.by_name[name]

    def __contains__(self, name):
        return name in self.by_name

    def get(self, name, default=None):
        return self.by_name.get(name, default)

    def visible_names(self, names):
        return [n for n in names if n in self.by_name and self.by_name[n]["visible"]]


class XCursor:
    """The pointer's image on the X display, through XFixes (ctypes)."""

    class _Image(ctypes.Structure):
        _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                    ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                    ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                    ("cursor_serial", ctypes.c_ulong),
                    ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                    ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]

    def __init__(self, display):
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes") or "libXfixes.so.3")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x11.XFree.argtypes = [ctypes.c_void_p]
        self.xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(self._Image)
        self.xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        self.display = display

    def image(self):
        """(width, height, xhot, yhot, digest of the pixels), or None."""
        dpy = self.x11.XOpenDisplay(self.display.encode())
        if not dpy:
            return None
        try:
            p = self.xfixes.XFixesGetCursorImage(dpy)
            if not p:
                return None
            img = p.contents
            n = img.width * img.height
            pixels = bytes(bytearray(
                b for i in range(n) for b in (img.pixels[i] & 0xFFFFFFFF).to_bytes(4, "little")))
            result = (img.width, img.height, img.xhot, img.yhot,
                      hashlib.sha1(pixels).hexdigest()[:16])
            self.x11.XFree(p)
            return result
        finally:
            self.x11.XCloseDisplay(dpy)


class XScreen:
    """The X display seen from outside Wine, through Xlib (ctypes): the moment
    a top-level window is mapped, and the pixels of a screen area. For timings
    that must not wait on a Wine program (the inspector takes a tenth of a
    second or more to answer)."""

    MAP_NOTIFY = 19
    SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
    Z_PIXMAP = 2

    class _Image(ctypes.Structure):
        _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int),
                    ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                    ("data", ctypes.c_void_p),
                    ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                    ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                    ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                    ("bits_per_pixel", ctypes.c_int),
                    ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong),
                    ("blue_mask", ctypes.c_ulong), ("obdata", ctypes.c_void_p),
                    ("funcs", ctypes.c_void_p * 6)]

    def __init__(self, display):
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        for name in ("XCloseDisplay", "XFlush", "XPending", "XConnectionNumber"):
            getattr(x11, name).argtypes = [ctypes.c_void_p]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XGetWindowProperty.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
            ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        x11.XFree.argtypes = [ctypes.c_void_p]
        x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 4
        x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
        x11.XGetImage.restype = ctypes.POINTER(self._Image)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11 = x11
        self.dpy = x11.XOpenDisplay(display.encode())
        if not self.dpy:
            raise RuntimeError(f"cannot open X display {display}")
        self.root = x11.XDefaultRootWindow(self.dpy)
        self.net_wm_name = x11.XInternAtom(self.dpy, b"_NET_WM_NAME", 0)
        x11.XSelectInput(self.dpy, self.root, self.SUBSTRUCTURE_NOTIFY_MASK)
        x11.XFlush(self.dpy)
        self._event = ctypes.create_string_buffer(192)  # sizeof(XEvent)

    def close(self):
        if self.dpy:
            self.x11.XCloseDisplay(self.dpy)
            self.dpy = None

    def title(self, window):
        """The window's _NET_WM_NAME (Wine sets it in UTF-8), or ""."""
        kind, fmt = ctypes.c_ulong(), ctypes.c_int()
        count, rest, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        if self.x11.XGetWindowProperty(self.dpy, window, self.net_wm_name, 0, 1024, 0, 0,
                                       ctypes.byref(kind), ctypes.byref(fmt),
                                       ctypes.byref(count), ctypes.byref(rest),
                                       ctypes.byref(data)) != 0 or not data.value:
            return ""
        text = ctypes.string_at(data.value, count.value).decode("utf-8", errors="replace")
        self.x11.XFree(data)
        return text

    def wait_for_map(self, title, timeout=30.0):
        """Time (time.monotonic) at which a top-level window titled `title` was
        mapped, waiting for at most `timeout` seconds; None when none was."""
        fd = self.x11.XConnectionNumber(self.dpy)
        deadline = time.monotonic() + timeout
        while True:
            while self.x11.XPending(self.dpy):
                self.x11.XNextEvent(self.dpy, self._event)
                seen = time.monotonic()
                kind = struct.unpack_from("i", self._event.raw, 0)[0]
                if kind == self.MAP_NOTIFY:
                    window = struct.unpack_from("L", self._event.raw, 40)[0]  # XMapEvent.window
                    if self.title(window) == title:
                        return seen
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([fd], [], [], left)

    def mapped(self):
        """The top-level X windows mapped since this XScreen was made or last
        asked, in order. The X server reports every map, however briefly the
        window showed: unlike looking from time to time, nothing is missed."""
        self.x11.XSync(self.dpy, 0)
        found = []
        while self.x11.XPending(self.dpy):
            self.x11.XNextEvent(self.dpy, self._event)
            if struct.unpack_from("i", self._event.raw, 0)[0] == self.MAP_NOTIFY:
                found.append(struct.unpack_from("L", self._event.raw, 40)[0])
        return found

    def window_rect(self, title):
        """(x, y, w, h) of the topmost top-level X window titled `title`, or None."""
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.c_void_p(), ctypes.c_uint()
        self.x11.XQueryTree(self.dpy, self.root, ctypes.byref(root), ctypes.byref(parent),
                            ctypes.byref(children), ctypes.byref(count))
        size = ctypes.sizeof(ctypes.c_ulong)
        ids = struct.unpack_from(f"{count.value}L",
                                 ctypes.string_at(children.value, size * count.value))
        if children.value:
            self.x11.XFree(children)
        for window in reversed(ids):
            if self.title(window) == title:
                geometry = [ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int(), ctypes.c_uint(),
                            ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()]
                self.x11.XGetGeometry(self.dpy, window, *[ctypes.byref(v) for v in geometry])
                return tuple(v.value for v in geometry[1:5])
        return None

    def grab(self, x, y, w, h):
        """The raw pixels of a screen area (bytes), or None when outside the screen."""
        p = self.x11.XGetImage(self.dpy, self.root, x, y, w, h, 0xFFFFFFFF, self.Z_PIXMAP)
        if not p:
            return None
        image = p.contents
        data = ctypes.string_at(image.data, image.bytes_per_line * image.height)
        destroy = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p)(image.funcs[1])
        destroy(ctypes.cast(p, ctypes.c_void_p))
        return data


class Xvfb:
    def __init__(self, screen="1024x768x24"):
        self.screen = screen
        self.proc = None
        self.display = None

    def start(self, first=100, last=400):
        """Starts Xvfb on the first free display number from `first` on (a
        number is free when it has no lock file; two runs racing for the same
        number are told apart by Xvfb itself, which then exits)."""
        for n in range(first + os.getpid() % 50, last):
            if os.path.exists(f"/tmp/.X{n}-lock") or os.path.exists(f"/tmp/.X11-unix/X{n}"):
                continue
            self.proc = subprocess.Popen(
                ["Xvfb", f":{n}", "-screen", "0", self.screen, "-nolisten", "tcp", "-noreset"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.monotonic() + 15
            while time.monotonic() < deadline and self.proc.poll() is None:
                if os.path.exists(f"/tmp/.X11-unix/X{n}"):
                    self.display = f":{n}"
                    return self.display
                time.sleep(0.1)
            self.stop()
        raise RuntimeError("no free X display for Xvfb")

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc = None


class Session:
    """One test's private Wine prefix, X display and program."""

    def __init__(self, name, screen="1024x768x24", prefix=None):
        """With `prefix`, the session uses (and first creates, if absent) that
        lasting prefix instead of a private copy of the template, and keeps it."""
        self.name = name
        self.screen = screen
        self.lasting = prefix is not None
        if self.lasting:
            self.prefix = os.path.abspath(prefix)
            self.root = os.path.dirname(self.prefix)
        else:
            self.root = os.path.join(RUNS_DIR, f"{name}-{os.getpid()}")
            self.prefix = os.path.join(self.root, "prefix")
        self.workdir = os.path.join(self.prefix, "drive_c", "velkor")
        self.tools = os.path.join(self.prefix, "drive_c", "e2e-tools")
        self.xvfb = Xvfb(screen)
        self.display = None
        self.env = None
        self.wine = wineprefix.wine_loader()
        self.program = None
        self.program_log = None
        self.title = None
        self._cursor = None
        self._cursor_refs = {}

    # ---- set-up and teardown -------------------------------------------------

    def __enter__(self):
        try:
            self.setup()
        except BaseException:
            self.teardown()
            raise
        return self

    def __exit__(self, *exc):
        self.teardown()
        return False

    def setup(self):
        started = time.monotonic()
        # Before the first Wine process (the template's wineboot included).
        if not wineprefix.fix_address_layout():
            log("address randomisation stays on: now and then a Wine process may fail to start")
        if self.lasting:
            wineprefix.create(self.prefix)
        else:
            template = wineprefix.template(CACHE_DIR)
            os.makedirs(self.root, exist_ok=True)
            wineprefix.copy(template, self.prefix)
        os.makedirs(self.workdir, exist_ok=True)
        os.makedirs(self.tools, exist_ok=True)
        for path in (INSPECTOR, SC):
            if not os.path.exists(path):
                raise FileNotFoundError(f"{path} is not built")
        shutil.copy(INSPECTOR, os.path.join(self.tools, "inspector.exe"))
        shutil.copy(SC, os.path.join(self.workdir, "sc.exe"))
        self.display = os.environ.get("DISPLAY") if self.lasting else None
        self.display = self.display or self.xvfb.start()
        self.env = wineprefix.wine_env(self.prefix, self.display)
        # Start the prefix's wineserver and system services now, detached from
        # any output, so that the programs of the test do not wait for them.
        if self.lasting:
            # A lasting prefix may have been made before the tests set the
            # version in every new prefix.
            wineprefix.set_windows_version(self.prefix, wineprefix.WINDOWS_VERSION, self.display)
        self._boot()
        log(f"{self.name}: prefix {self.prefix}, display {self.display} "
            f"({time.monotonic() - started:.1f} s)")

    def _boot(self):
        subprocess.run([self.wine, "wineboot"], cwd=self.tools, env=self.env, timeout=120,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def restart_wine(self, while_down=None):
        """Lets the prefix's wineserver end (it saves the registry) and starts
        it again, so that its service manager reads the services' settings
        from the registry afresh. Only before the program starts.
        `while_down`, when given, is called in between (it may edit the
        prefix's registry files)."""
        assert not self.running(), "restart_wine() while the program runs"
        wineprefix.wait_for_wineserver(self.prefix)
        if while_down:
            while_down()
        self._boot()

    def set_windows_version(self, version):
        """The Windows version the programs started from now on see."""
        wineprefix.set_windows_version(self.prefix, version, self.display)

    def stop_program(self):
        """Ends the program started by start() (and what it started), if it
        still runs."""
        if self.program and self.program.poll() is None:
            try:
                os.killpg(self.program.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        if self.program:
            try:
                self.program.wait(10)
            except subprocess.TimeoutExpired:
                pass

    def teardown(self):
        self.stop_program()
        if self.env:
            try:
                wineprefix.wait_for_wineserver(self.prefix, kill=True)
            except (subprocess.TimeoutExpired, OSError) as e:
                log(f"wineserver -k: {e}")
        self.xvfb.stop()
        if self.program_log:
            self.program_log.close()
            self.program_log = None
        if (not self.lasting and os.environ.get("VELKOR_E2E_KEEP") != "1" and
                os.path.isdir(self.root)):
            shutil.rmtree(self.root, ignore_errors=True)

    # ---- the program -----------------------------------------------------------

    def _install(self, exe):
        """Copies `exe` (default: Velkor.exe) into C:\\velkor of a safe prefix;
        its file name and the Wine loader that starts it."""
        exe = exe or EXE
        if not os.path.exists(exe):
            raise FileNotFoundError(f"{exe} is not built")
        wineprefix.check_safe(self.prefix)
        name = os.path.basename(exe)
        # A copy of the same name may still run (a run held in the middle):
        # a new file takes the name's place, so that the running process's
        # file is never rewritten under it.
        target = os.path.join(self.workdir, name)
        partial = target + ".partial"
        shutil.copy(exe, partial)
        os.replace(partial, target)
        return name, wineprefix.loader_for(exe)

    def start(self, exe=None, title=MAIN_TITLE, wait=40, args=()):
        """Starts `exe` (default: Velkor.exe) from C:\\velkor and waits until a
        visible top-level window titled `title` appears. Returns its Tree."""
        name, loader = self._install(exe)
        self.program_log = open(os.path.join(self.root, f"{self.name}.log"), "wb")
        self.program = subprocess.Popen(
            [loader, f"{WORK_DIR_WIN}\\{name}", *args], cwd=self.workdir, env=self.env,
            stdout=self.program_log, stderr=subprocess.STDOUT, start_new_session=True)
        self.title = title
        started = time.monotonic()
        data = self.inspect("tree", title, "--wait", str(wait), check=False)
        if "error" in data or not data["window"]["visible"]:
            raise RuntimeError(f"no visible window titled {title!r} after {wait} s: {data}")
        log(f"{name} shows {title!r} after {time.monotonic() - started:.1f} s")
        return Tree(data)

    def run_program(self, *args, exe=None, timeout=300, while_running=None):
        """Runs `exe` (default: Velkor.exe) from C:\\velkor with these
        arguments, as a script or a remote-execution tool would, and waits for
        it to end. Returns (exit code, standard output as text). For a program
        that shows no window; see _run for `while_running`."""
        name, loader = self._install(exe)
        code, stdout = self._run([f"{WORK_DIR_WIN}\\{name}", *args], self.workdir, timeout,
                                 while_running, loader)
        return code, decode_console(stdout)

    def wait_for_exit(self):
        """Waits until the program ends (the user closed it); its exit code."""
        return self.program.wait() if self.program else None

    def running(self):
        return self.program is not None and self.program.poll() is None

    # ---- the inspector ---------------------------------------------------------

    def _run(self, args, cwd, timeout, while_running=None, loader=None):
        """Runs a Wine program; returns (exit code, stdout bytes). The output
        goes through a file, not a pipe: Wine's helper processes (wineserver,
        services) may inherit a pipe and keep it open long after the program.
        `while_running`, when given, is called about twice a second until the
        program has ended. `loader`: the Wine loader, wine64 by default."""
        with tempfile.TemporaryFile() as out:
            proc = subprocess.Popen([loader or self.wine, *args], cwd=cwd, env=self.env, stdout=out,
                                    stderr=subprocess.DEVNULL)
            try:
                deadline = time.monotonic() + timeout
                while proc.poll() is None:
                    if time.monotonic() >= deadline:
                        raise subprocess.TimeoutExpired(args, timeout)
                    if while_running:
                        while_running()
                    try:
                        proc.wait(0.5)
                    except subprocess.TimeoutExpired:
                        pass
            finally:
                if proc.poll() is None:
                    proc.kill()
                    proc.wait()
            out.seek(0)
            return proc.returncode, out.read()

    def inspect(self, *args, check=True, timeout=90):
        """Runs the inspector in the prefix and returns its JSON answer."""
        code, stdout = self._run([f"{TOOLS_DIR_WIN}\\inspector.exe", *args], self.tools, timeout)
        text = stdout.decode("utf-8", errors="replace").strip().splitlines()
        lines = [line for line in text if line.startswith("{")]
        if not lines:
            raise RuntimeError(f"inspector {args}: no answer (exit {code}): {stdout!r}")
        data = json.loads(lines[-1])
        if check and "error" in data:
            raise RuntimeError(f"inspector {args}: {data['error']}")
        return data

    def tree(self, title=None, wait=10):
        return Tree(self.inspect("tree", title or self.title, "--wait", str(wait)))

    def windows(self):
        """Visible top-level windows."""
        return self.inspect("windows")["windows"]

    def window_titled(self, title, cls=None):
        for w in self.windows():
            if w["title"] == title and (cls is None or w["class"] == cls):
                return w
        return None

    def close_window(self, hwnd, timeout=10):
        """Posts WM_CLOSE to a top-level window (as its close box would) and
        waits until it is gone; True when it went."""
        self.inspect("close", "--hwnd", str(hwnd), check=False)
        return bool(wait_until(lambda: all(w["hwnd"] != hwnd for w in self.windows()), timeout,
                               what=f"window {hwnd} to close"))

    def consoles(self, known=()):
        """Visible console windows (Wine's conhost), except the hwnds in `known`."""
        return [w for w in self.windows()
                if w["class"] == "WineConsoleClass" and w["hwnd"] not in known]

    def press_key_in_console(self, console, keysym="space", timeout=15):
        """Answers a console's wait for a key (e.g. "pause>nul") as a user would:
        a real click into its client area, then a key. Waits until the console
        is gone; True when it went. A console still open afterwards is closed
        by its close box (WM_CLOSE)."""
        c = console["clientScreen"]
        self.click_at(c["x"] + c["w"] // 2, c["y"] + c["h"] // 2)
        self.key(keysym)
        if wait_until(lambda: all(w["hwnd"] != console["hwnd"] for w in self.windows()),
                      timeout, what="the console to close"):
            return True
        self.close_window(console["hwnd"])
        return False

    def other_windows(self, known=()):
        """Visible top-level windows of processes other than the program's own
        (e.g. the console of a script it launched), except the hwnds in `known`."""
        mine = self.inspect("tree", self.title, check=False).get("window", {}).get("pid")
        return [w for w in self.windows() if w["pid"] != mine and w["hwnd"] not in known]

    def focus(self):
        return self.inspect("focus")["window"]

    def point(self, x, y):
        return self.inspect("point", str(x), str(y))

    # ---- real input --------------------------------------------------------------

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, timeout=30)

    def click_at(self, x, y, button=1, settle=0.4):
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(0.1)
        self.xdotool("click", button)
        time.sleep(settle)

    def centre(self, control, dx=None, dy=None):
        r = control["screen"]
        x = r["x"] + (r["w"] // 2 if dx is None else dx)
        y = r["y"] + (r["h"] // 2 if dy is None else dy)
        return x, y

    def _target(self, name, tree, dx, dy, verify):
        tree = tree or self.tree()
        if name not in tree:
            raise AssertionError(f"no control named {name!r} in {tree.window['title']!r}")
        control = tree[name]
        x, y = self.centre(control, dx, dy)
        if verify:
            hit = self.point(x, y)
            if hit.get("hwnd") != control["hwnd"]:
                raise AssertionError(
                    f"the pointer at ({x}, {y}) would be over {hit.get('name') or hit} "
                    f"rather than {name!r}")
        return x, y

    def click(self, name, tree=None, dx=None, dy=None, verify=True, settle=0.4):
        """Moves the real pointer to the centre of the control (or dx, dy from
        its top-left corner) and clicks the left button. With `verify`, first
        checks that the control is what lies under that point."""
        x, y = self._target(name, tree, dx, dy, verify)
        self.click_at(x, y, settle=settle)
        return x, y

    def type_text(self, text, delay_ms=60):
        """Types into the focused control. Text the keyboard map holds (ASCII)
        is typed key by key; other text would need xdotool to remap a key for
        each character, and Wine can take such a key before it has seen the
        new map, so it is put on the clipboard and pasted with a real Ctrl+V."""
        if text.isascii():
            self.xdotool("type", "--delay", str(delay_ms), text)
        else:
            self.inspect("clipboard", text)
            self.key("ctrl+v")

    def move_to(self, name, dx=None, dy=None, tree=None, verify=False, settle=0.4):
        x, y = self._target(name, tree, dx, dy, verify)
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(settle)
        return x, y

    def move_pointer(self, x, y, settle=0.3):
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(settle)

    def key(self, keysym, settle=0.3):
        self.xdotool("key", keysym)
        time.sleep(settle)

    # The main window's own items at the end of its system menu, counted from
    # the last: "撤销上一次更改..." 1, "详细服务优化..." 2.
    UNDO_ITEM, SERVICE_ITEM = 1, 2

    def system_menu_item(self, from_last, title):
        """Chooses an item of the main window's system menu with the keys
        (alt+space opens it; Up wraps to its last item) and returns the Tree
        of the dialog titled `title` it opens."""
        self.key("alt+space", settle=0.8)
        for _ in range(from_last):
            self.key("Up")
        self.key("Return", settle=0.8)
        return self.tree(title, wait=15)

    # ---- message boxes -----------------------------------------------------------

    def message_box(self, title=NOTE_TITLE, timeout=10):
        """The dialog titled `title` (its "message", "buttons", "window"), or None
        when none appears within `timeout` seconds."""
        data = self.inspect("dialog", title, "--wait", str(timeout), check=False)
        return None if "error" in data else data

    def close_message_box(self, title=NOTE_TITLE, button_id=1, timeout=10):
        """Clicks the box's button (IDOK by default) with the real pointer and
        waits until the box is gone. Returns the box's message text."""
        box = self.message_box(title, timeout)
        if box is None:
            raise AssertionError(f"no message box titled {title!r} within {timeout} s")
        buttons = [b for b in box["buttons"] if b["visible"]]
        chosen = [b for b in buttons if b["id"] == button_id] or buttons
        if not chosen:
            raise AssertionError(f"message box {title!r} has no button")
        x, y = self.centre(chosen[0])
        self.click_at(x, y)
        gone = wait_until(lambda: self.window_titled(title, "#32770") is None, timeout,
                          what=f"message box {title!r} to close")
        if not gone:
            raise AssertionError(f"message box {title!r} still open after clicking its button")
        return box["message"]

    # ---- screen and pointer ----------------------------------------------------------

    def screenshot(self, path):
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       env=self.env, check=True, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    @staticmethod
    def pixel(path, x, y):
        """(r, g, b) of one pixel of an image file, 0..255."""
        fx = ",".join(f"%[fx:int(255*p{{{x},{y}}}.{c}+0.5)]" for c in "rgb")
        out = subprocess.run(["convert", path, "-format", fx, "info:"], capture_output=True,
                             text=True, check=True, timeout=60)
        return tuple(int(v) for v in out.stdout.strip().split(","))

    def cursor_image(self):
        if self._cursor is None:
            self._cursor = XCursor(self.display)
        return self._cursor.image()

    def reference_cursor(self, name, x=980, y=720):
        """How the system cursor `name` (arrow, hand, ibeam, ...) looks on this
        display: the inspector shows a small window with that cursor at (x, y)
        and the pointer visits it."""
        if name in self._cursor_refs:
            return self._cursor_refs[name]
        probe = subprocess.Popen(
            [self.wine, f"{TOOLS_DIR_WIN}\\inspector.exe", "showcursor", name, str(x), str(y),
             "20"], cwd=self.tools, env=self.env, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL)
        try:
            probe.stdout.readline()  # the probe window exists
            time.sleep(0.5)
            self.move_pointer(x + 20, y + 20)
            self.move_pointer(x + 21, y + 21)
            image = self.cursor_image()
        finally:
            probe.kill()
            probe.wait()
        self._cursor_refs[name] = image
        return image

    def cursor_name(self, names=("arrow", "hand", "ibeam")):
        """The name of the system cursor shown now, by its image; None when it
        is none of `names`."""
        here = self.cursor_image()
        refs = {n: self.reference_cursor(n) for n in names}
        for n, image in refs.items():
            if image == here:
                return n
        return None

    # ---- Wine's console tools ------------------------------------------------------------

    def run_wine(self, *args, cwd=None, timeout=120):
        """Runs a Wine program (e.g. "reg", "query", ...) in the prefix; returns
        (exit code, decoded output)."""
        code, stdout = self._run(list(args), cwd or self.workdir, timeout)
        return code, decode_console(stdout)

    def cmd(self, command_line, timeout=120):
        """Runs a command line through Wine's cmd.exe in C:\\velkor."""
        return self.run_wine("cmd", "/c", command_line, timeout=timeout)

    def attributes(self, path):
        """A file's attributes as the command interpreter shows them ("--ahs----")."""
        code, text = self.cmd(f"for %f in ({path}) do @echo %~af")
        return text.strip() if code == 0 else None

    def hide_as_system(self, path):
        """Makes a file hidden and system, one attribute at a time: Wine's attrib
        takes only the last of several."""
        for flag in ("+h", "+s"):
            self.cmd(f"attrib {flag} {path}")

    def reg_query(self, key, value=None, view=64):
        """The data of a registry value as text (None when the key or value is
        missing); with value=None, all values of the key as {name: (type, data)}.
        `view`: the registry view, 64 (the native one) or 32 (what a 32-bit
        program sees on 64-bit Windows, under Wow6432Node)."""
        args = ["reg", "query", key, f"/reg:{view}"] + ([] if value is None else ["/v", value])
        code, text = self.run_wine(*args)
        if code != 0:
            return None
        values = parse_reg_query(text)
        if value is None:
            return values
        for name, (_type, data) in values.items():
            if name.lower() == value.lower():
                return data
        return None

    def reg_add(self, key, value, data, kind="REG_SZ", view=64):
        code, text = self.run_wine("reg", "add", key, "/v", value, "/t", kind, "/d", data, "/f",
                                   f"/reg:{view}")
        if code != 0:
            raise RuntimeError(f"reg add {key} {value}: {text}")

    def install_system_sc(self):
        """Puts the recording sc.exe into the system folder too, in place of
        Wine's own: the undo scripts call sc there by its full path. Wine
        prefers its built-in sc there unless told otherwise."""
        shutil.copy(SC, self.path_of(SYSTEM32_WIN + "\\sc.exe"))
        self.reg_add("HKCU\\Software\\Wine\\DllOverrides", "sc.exe", "native")

    def _sc_logs(self):
        # Each recording sc.exe logs beside itself; a 32-bit one in the
        # system folder sees that folder as SysWOW64.
        return [os.path.join(self.workdir, "sc_calls.log"),
                self.path_of(SYSTEM32_WIN + "\\sc_calls.log"),
                self.path_of(SYSWOW64_WIN + "\\sc_calls.log")]

    def sc_calls(self):
        """Command lines the recording sc.exe received, in order: the one in
        C:\\velkor, then the one in the system folder."""
        calls = []
        for path in self._sc_logs():
            if os.path.exists(path):
                with open(path, encoding="utf-8") as f:
                    calls += f.read().splitlines()
        return calls

    def clear_sc_calls(self):
        for path in self._sc_logs():
            if os.path.exists(path):
                os.remove(path)

    def sc_callers(self):
        """For each call of the recording sc.exe, what kind of process started
        it (the command interpreter of a script): "native", or "WOW64" for a
        32-bit one, which on 64-bit Windows sees SysWOW64 as system32."""
        path = os.path.join(self.workdir, "sc_callers.log")
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8") as f:
            return f.read().splitlines()

    # ---- another process at a file (tests/e2e/file_probe) ------------------------------

    def _file_probe(self):
        probe = os.path.join(self.tools, "file_probe.exe")
        if not os.path.exists(probe):
            shutil.copy(FILE_PROBE, probe)
        return f"{TOOLS_DIR_WIN}\\file_probe.exe"

    def probe_file(self, windows_path):
        """What a second process can do to a file: {"read", "write", "delete",
        "rename", "replace", "append"}, each 0 when it worked (and was undone)
        or the Win32 error code; None when the file is missing."""
        code, out = self.run_wine(self._file_probe(), windows_path, cwd=self.tools, timeout=60)
        answer = [line for line in out.splitlines() if line.startswith("{")]
        if code == 2:
            return None
        if code != 0 or not answer:
            raise RuntimeError(f"file probe {windows_path}: exit {code}: {out!r}")
        return json.loads(answer[-1])

    def hold_file(self, windows_path, seconds):
        """A process that keeps the file open for `seconds`, for reading and
        sharing only reading (as a picture viewer might). Returns it (a Popen)
        once the file is held."""
        holder = subprocess.Popen(
            [self.wine, self._file_probe(), "--hold", str(seconds), windows_path], cwd=self.tools,
            env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        answer = json.loads(holder.stdout.readline().decode() or "{}")
        if answer.get("held") != 0:
            holder.kill()
            holder.wait()
            raise RuntimeError(f"could not hold {windows_path}: {answer}")
        return holder

    def path_of(self, windows_path):
        """The Linux path of a path on drive C: of the prefix."""
        m = re.match(r"^[cC]:[\\/]?(.*)$", windows_path)
        if not m:
            raise ValueError(f"not a path on C: {windows_path}")
        return os.path.join(self.prefix, "drive_c", *re.split(r"[\\/]+", m.group(1)))


def exe_label(exe=None):
    """How a run names the exe it tests: "32-bit exe build/win-x86/Velkor.exe"."""
    exe = exe or EXE
    bits = "32-bit" if os.path.exists(exe) and wineprefix.is_32_bit(exe) else "64-bit"
    shown = os.path.relpath(exe, REPO) if exe.startswith(REPO + os.sep) else exe
    return f"{bits} exe {shown}"


def rgb_bytes(path, crop=None, resize=None):
    """The raw RGB bytes of an image file, of a crop (x, y, w, h) of it, or of
    it scaled to (w, h) by averaging the area each pixel covers."""
    args = ["convert", path]
    if crop:
        x, y, w, h = crop
        args += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
    if resize:
        args += ["-scale", f"{resize[0]}x{resize[1]}!"]
    return subprocess.run(args + ["-depth", "8", "rgb:-"], capture_output=True, check=True,
                          timeout=60).stdout
