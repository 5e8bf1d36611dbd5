"""What a user waits for in the Insert Hyperlink dialog, through tzad itself on a virtual display.

  dialog_bench.py TZAD MODULE_DIR DRAWING [RUNS]

Starts Xvfb, then runs tzad RUNS times (5 by default) on a drawing of two lines with a script
that runs HYPERLINK and picks the last line (one without a hyperlink, so that the dialog opens
on its existing-file-or-web-page page with the address box focused), in a temporary home:

- "full home": 10,000 browsed pages (5,000 in a Firefox profile, 5,000 in a Chromium history),
  1,000 recently used files and 500 typed addresses; "huge home": ten times as many pages in
  each history and 100,000 recently used files; and "empty home";
  from the moment tzad echoes "HYPERLINK" to the moment the dialog's window is mapped and to
  its first drawing after that (the whole dialog, its lists filled), then Escape;
- "named location": in the dialog on the full home, the path of DRAWING typed into the address
  box, then Alt+G (the Target... button), from that key press to the window of the drawing's
  layouts and views being mapped and first drawn, then Escape twice.

The windows are watched through X events (map, and damage for the drawing), not by polling,
and their pixels read back to check that they were drawn. Prints each run and the medians as
"DIALOG_<CASE>_MS mapped drawn".
"""
import ctypes
import ctypes.util
import os
import select
import sqlite3
import statistics
import subprocess
import sys
import tempfile
import threading
import time

BROWSED = 10_000
RECENT = 1_000
TYPED = 500
HUGE_BROWSED = 200_000
HUGE_RECENT = 100_000

DIALOG_TITLES = ("插入超链接", "编辑超链接", "Insert Hyperlink", "Edit Hyperlink")
BROWSE_TITLES = ("选择文档中的位置", "Select Place in Document")
QUIET_MS = 150
MAKE_DRAWING = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "interop",
                            "ezdxf_tool.py")

# ---- the X server, through Xlib, XDamage and XTest -------------------------------------------

x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
xdamage = ctypes.CDLL(ctypes.util.find_library("Xdamage"))
xtest = ctypes.CDLL(ctypes.util.find_library("Xtst"))
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XGetWindowProperty.argtypes = [
    ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long, ctypes.c_int,
    ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_int),
    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_ulong),
    ctypes.POINTER(ctypes.c_void_p)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XSetErrorHandler.restype = ctypes.c_void_p
x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)] + \
    [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]
xdamage.XDamageQueryExtension.argtypes = [
    ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
xdamage.XDamageCreate.restype = ctypes.c_ulong
xdamage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

CREATE_NOTIFY, MAP_NOTIFY = 16, 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
DAMAGE_REPORT_RAW_RECTANGLES = 0

# Windows of tzad's that vanish while the watcher still names them are no error of the bench.
_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)


class Screen:
    """A connection that sees every top-level window created, mapped and drawn on the display."""

    def __init__(self, display):
        self.dpy = x11.XOpenDisplay(display.encode())
        if not self.dpy:
            sys.exit(f"cannot open display {display}")
        x11.XSetErrorHandler(_ERROR_HANDLER)
        self.root = x11.XDefaultRootWindow(self.dpy)
        x11.XSelectInput(self.dpy, self.root, SUBSTRUCTURE_NOTIFY_MASK)
        base, error = ctypes.c_int(), ctypes.c_int()
        if not xdamage.XDamageQueryExtension(self.dpy, ctypes.byref(base), ctypes.byref(error)):
            sys.exit("the X server has no DAMAGE extension")
        self.damage_event = base.value
        self.net_wm_name = x11.XInternAtom(self.dpy, b"_NET_WM_NAME", 0)
        self.wm_name = x11.XInternAtom(self.dpy, b"WM_NAME", 0)
        x11.XSync(self.dpy, 0)
        self.fd = x11.XConnectionNumber(self.dpy)
        self.mapped = []      # (time, window)
        self.drawn = {}       # window -> times of its drawings

    def name(self, window):
        for atom in (self.net_wm_name, self.wm_name):
            kind, fmt = ctypes.c_ulong(), ctypes.c_int()
            count, rest, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
            if x11.XGetWindowProperty(self.dpy, window, atom, 0, 1024, 0, 0, ctypes.byref(kind),
                                      ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(rest),
                                      ctypes.byref(data)) == 0 and data.value:
                text = ctypes.string_at(data.value, count.value).decode("utf-8", "replace")
                x11.XFree(data)
                if text:
                    return text
        return ""

    def pump(self, timeout):
        """Reads the events that arrive within `timeout` seconds (at least those pending)."""
        event = (ctypes.c_long * 24)()
        deadline = time.monotonic() + timeout
        while True:
            while x11.XPending(self.dpy):
                x11.XNextEvent(self.dpy, event)
                now = time.monotonic()
                kind = ctypes.c_int.from_buffer(event).value
                window = event[5]
                if kind == CREATE_NOTIFY:
                    xdamage.XDamageCreate(self.dpy, window, DAMAGE_REPORT_RAW_RECTANGLES)
                elif kind == MAP_NOTIFY:
                    self.mapped.append((now, window))
                elif kind == self.damage_event:
                    self.drawn.setdefault(event[4], []).append(now)
            left = deadline - time.monotonic()
            if left <= 0:
                return
            select.select([self.fd], [], [], left)

    def wait_mapped(self, titles, since, timeout=60):
        """The first window mapped after `since` whose name starts with one of `titles`."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for when, window in self.mapped:
                if when >= since and self.name(window).startswith(titles):
                    return when, window
            self.pump(0.005)
        sys.exit(f"no window {titles[0]} within {timeout} s")

    def wait_drawn(self, window, mapped, timeout=60):
        """The window's first drawing after its map. GTK's theme then animates the focused
        widgets for some 200 ms, a frame every 17 ms; this waits until QUIET_MS pass without
        any drawing, so that keys go to a settled window."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.pump(0.005)
            times = [t for t in self.drawn.get(window, []) if t >= mapped]
            if times and time.monotonic() - times[-1] >= QUIET_MS / 1000:
                return times[0]
        sys.exit(f"window {window:#x} not drawn within {timeout} s")

    def painted(self, window):
        """The share of the window's pixels (sampled on a grid) that are not black: an X window
        nobody has drawn in stays black on Xvfb."""
        root, x, y = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
        width, height, border, depth = (ctypes.c_uint() for _ in range(4))
        if not x11.XGetGeometry(self.dpy, window, ctypes.byref(root), ctypes.byref(x),
                                ctypes.byref(y), ctypes.byref(width), ctypes.byref(height),
                                ctypes.byref(border), ctypes.byref(depth)):
            return 0.0
        image = x11.XGetImage(self.dpy, window, 0, 0, width.value, height.value, ~0 & 0xFFFFFFFF,
                              2)  # ZPixmap
        if not image:
            return 0.0
        samples = [(width.value * i // 24, height.value * j // 24)
                   for i in range(1, 24) for j in range(1, 24)]
        lit = sum(1 for px, py in samples if x11.XGetPixel(image, px, py) & 0xFFFFFF)
        x11.XDestroyImage(image)
        return lit / len(samples)

    def key(self, *names):
        """Presses the keys in order and releases them in reverse; the time of the last press."""
        codes = [x11.XKeysymToKeycode(self.dpy, x11.XStringToKeysym(n.encode())) for n in names]
        for code in codes:
            xtest.XTestFakeKeyEvent(self.dpy, code, 1, 0)
        x11.XFlush(self.dpy)
        pressed = time.monotonic()
        for code in reversed(codes):
            xtest.XTestFakeKeyEvent(self.dpy, code, 0, 0)
        x11.XFlush(self.dpy)
        return pressed

    def focus(self, window):
        x11.XSetInputFocus(self.dpy, window, 1, 0)  # RevertToPointerRoot, CurrentTime
        x11.XSync(self.dpy, 0)


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp"], pass_fds=[write_end],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as answer:
        number = answer.readline().strip()
    if not number:
        sys.exit("Xvfb did not start")
    return server, ":" + number


# ---- the user's files --------------------------------------------------------------------------

CHROMIUM_EPOCH_OFFSET = 11644473600 * 1_000_000
NOW_US = 1_780_000_000 * 1_000_000


def make_full_home(home, browsed=BROWSED, recent=RECENT):
    firefox = os.path.join(home, ".mozilla", "firefox")
    os.makedirs(os.path.join(firefox, "p.default"))
    with open(os.path.join(firefox, "profiles.ini"), "w") as ini:
        ini.write("[Profile0]\nName=default\nIsRelative=1\nPath=p.default\nDefault=1\n\n"
                  "[General]\nStartWithLastProfile=1\nVersion=2\n")
    half = browsed // 2
    db = sqlite3.connect(os.path.join(firefox, "p.default", "places.sqlite"))
    db.executescript(
        "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,"
        " rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL,"
        " typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL,"
        " last_visit_date INTEGER, guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL,"
        " url_hash INTEGER DEFAULT 0 NOT NULL, description TEXT, preview_image_url TEXT,"
        " origin_id INTEGER);"
        "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER,"
        " place_id INTEGER, visit_date INTEGER, visit_type INTEGER, session INTEGER,"
        " source INTEGER DEFAULT 0 NOT NULL, triggeringPlaceId INTEGER);"
        "CREATE INDEX moz_places_lastvisitdateindex ON moz_places (last_visit_date);")
    db.executemany("INSERT INTO moz_places (id, url, title, hidden, last_visit_date)"
                   " VALUES (?, ?, ?, 0, ?)",
                   [(i, f"https://firefox.example.org/page/{i}", f"Firefox page {i}",
                     NOW_US - i * 60_000_000) for i in range(1, half + 1)])
    db.executemany("INSERT INTO moz_historyvisits (place_id, visit_date, visit_type)"
                   " VALUES (?, ?, 1)",
                   [(i, NOW_US - i * 60_000_000 - k) for i in range(1, half + 1) for k in (0, 1)])
    db.commit()
    db.close()

    history = os.path.join(home, ".config", "chromium", "Default", "History")
    os.makedirs(os.path.dirname(history))
    db = sqlite3.connect(history)
    db.executescript(
        "CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT, url LONGVARCHAR,"
        " title LONGVARCHAR, visit_count INTEGER DEFAULT 0 NOT NULL,"
        " typed_count INTEGER DEFAULT 0 NOT NULL, last_visit_time INTEGER NOT NULL,"
        " hidden INTEGER DEFAULT 0 NOT NULL);"
        "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER NOT NULL,"
        " visit_time INTEGER NOT NULL, from_visit INTEGER, transition INTEGER DEFAULT 0 NOT NULL,"
        " segment_id INTEGER, visit_duration INTEGER DEFAULT 0 NOT NULL);")
    db.executemany("INSERT INTO urls (id, url, title, visit_count, last_visit_time)"
                   " VALUES (?, ?, ?, 1, ?)",
                   [(i, f"https://chromium.example.com/item/{i}", f"Chromium item {i}",
                     NOW_US - i * 60_000_000 - 30_000_000 + CHROMIUM_EPOCH_OFFSET)
                    for i in range(1, browsed - half + 1)])
    db.executemany("INSERT INTO visits (url, visit_time) SELECT id, last_visit_time FROM urls", [()])
    db.commit()
    db.close()

    data = os.path.join(home, ".local", "share")
    os.makedirs(data)
    with open(os.path.join(data, "recently-used.xbel"), "w", encoding="utf-8") as xbel:
        xbel.write('<?xml version="1.0" encoding="UTF-8"?>\n<xbel version="1.0"\n'
                   '      xmlns:bookmark="http://www.freedesktop.org/standards/desktop-bookmarks"\n'
                   '      xmlns:mime="http://www.freedesktop.org/standards/shared-mime-info"\n>\n')
        for i in range(recent):
            stamp = f"2026-{1 + i % 12:02d}-{1 + i % 28:02d}T{i % 24:02d}:{i % 60:02d}:00Z"
            xbel.write(
                f'  <bookmark href="file:///srv/projects/p{i // 100}/plan%20{i}.dxf"'
                f' added="{stamp}" modified="{stamp}" visited="{stamp}">\n'
                '    <info>\n      <metadata owner="http://freedesktop.org">\n'
                '        <mime:mime-type type="image/vnd.dxf"/>\n'
                '        <bookmark:applications>\n'
                '          <bookmark:application name="tzad" exec="&apos;tzad %u&apos;"'
                f' modified="{stamp}" count="1"/>\n'
                '        </bookmark:applications>\n      </metadata>\n    </info>\n'
                '  </bookmark>\n')
        xbel.write("</xbel>\n")

    store = os.path.join(home, ".config", "tzad")
    os.makedirs(store)
    with open(os.path.join(store, "registry.ini"), "w", encoding="utf-8") as ini:
        ini.write("[Software\\Microsoft\\Internet Explorer\\TypedURLs]\n")
        for i in range(1, TYPED + 1):
            ini.write(f"url{i}=http://typed.example.net/address/{i}\n")


# ---- one run -------------------------------------------------------------------------------------

class Tzad:
    """tzad on the display with the script, its output read line by line as it comes."""

    def __init__(self, tzad, modules, display, opened, home, script):
        env = dict(os.environ, DISPLAY=display, NO_AT_BRIDGE="1", HOME=home,
                   XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                   XDG_CACHE_HOME=os.path.join(home, ".cache"),
                   TZAD_MODULE_PATH=modules, TZAD_LANG="zh")
        env.pop("WAYLAND_DISPLAY", None)
        self.command_seen = threading.Event()
        self.command_at = None
        self.transcript = []
        self.process = subprocess.Popen([tzad, "--script", script, opened], env=env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        stderr=subprocess.STDOUT)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.process.stdout:
            now = time.monotonic()
            text = line.decode("utf-8", "replace")
            self.transcript.append(text)
            if self.command_at is None and text.rstrip().endswith(": HYPERLINK"):
                self.command_at = now
                self.command_seen.set()

    def finish(self):
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            sys.exit("tzad did not end:\n" + "".join(self.transcript)[-2000:])
        self.reader.join()


def open_dialog(screen, args, home, script):
    run = Tzad(*args, home, script)
    if not run.command_seen.wait(60):
        sys.exit("tzad did not run HYPERLINK:\n" + "".join(run.transcript)[-2000:])
    mapped, window = screen.wait_mapped(DIALOG_TITLES, run.command_at)
    drawn = screen.wait_drawn(window, mapped)
    return (run, window, (mapped - run.command_at) * 1000, (drawn - run.command_at) * 1000,
            screen.painted(window))


def run_open(screen, args, home, script):
    run, window, mapped, drawn, painted = open_dialog(screen, args, home, script)
    screen.focus(window)
    screen.key("Escape")
    run.finish()
    return mapped, drawn, painted


def run_named_location(screen, args, home, script, drawing):
    run, window, *_ = open_dialog(screen, args, home, script)
    screen.focus(window)
    subprocess.run(["xdotool", "type", "--delay", "2", drawing], check=True,
                   env=dict(os.environ, DISPLAY=args[2]))
    screen.pump(0.3)
    pressed = screen.key("Alt_L", "g")
    mapped, browse = screen.wait_mapped(BROWSE_TITLES, pressed)
    drawn = screen.wait_drawn(browse, mapped)
    painted = screen.painted(browse)
    screen.focus(browse)
    screen.key("Escape")
    screen.pump(0.2)
    screen.focus(window)
    screen.key("Escape")
    run.finish()
    return (mapped - pressed) * 1000, (drawn - pressed) * 1000, painted


def report(name, results):
    for mapped, drawn, painted in results:
        print(f"{name}: mapped after {mapped:.1f} ms, drawn after {drawn:.1f} ms,"
              f" {painted:.0%} of the window not black")
    mapped = statistics.median(m for m, _, _ in results)
    drawn = statistics.median(d for _, d, _ in results)
    painted = min(p for _, _, p in results)
    print(f"DIALOG_{name.upper().replace(' ', '_')}_MS {mapped:.1f} {drawn:.1f}"
          + ("" if painted > 0.5 else " (the window stayed black)"))


def main():
    tzad, modules, drawing = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 5
    drawing = os.path.abspath(drawing)
    server, display = start_xvfb()
    try:
        screen = Screen(display)
        with tempfile.TemporaryDirectory(prefix="tzad-dialog-bench-") as tmp:
            opened = os.path.join(tmp, "opened.dxf")
            subprocess.run(["/usr/bin/python3", MAKE_DRAWING, "make", "lines", "2", opened],
                           check=True, stdout=subprocess.DEVNULL)
            script = os.path.join(tmp, "hyperlink.scr")
            with open(script, "w", encoding="utf-8") as f:
                f.write("HYPERLINK\nL\n\n")
            full = os.path.join(tmp, "full")
            make_full_home(full)
            huge = os.path.join(tmp, "huge")
            make_full_home(huge, HUGE_BROWSED, HUGE_RECENT)
            args = (tzad, modules, display, opened)
            results = {"full home": [], "huge home": [], "empty home": [], "named location": []}
            for _ in range(runs):
                empty = tempfile.mkdtemp(dir=tmp)
                results["empty home"].append(run_open(screen, args, empty, script))
                results["full home"].append(run_open(screen, args, full, script))
                results["huge home"].append(run_open(screen, args, huge, script))
                results["named location"].append(
                    run_named_location(screen, args, full, script, drawing))
            for name, measured in results.items():
                report(name, measured)
    finally:
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
