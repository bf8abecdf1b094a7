#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Side-by-side measurements of Morvek and, when installed, sgt-pattern under one Xvfb server.

Used by scripts/measure-startup.sh and scripts/measure-idle.sh; see there for the figures. Every
run starts each program once, in turn (interleaved), so a busy machine slows all of them alike;
the medians of all runs are printed, with each program's ratio to sgt-pattern.
"""
import argparse
import ctypes
import ctypes.util
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

PATTERN = shutil.which("sgt-pattern") or ("/usr/games/sgt-pattern" if os.access("/usr/games/sgt-pattern", os.X_OK) else None)
TIMEOUT = 30.0
SETTLE = 1.5  # seconds after mapping by which a window has surely settled


class Program:
    def __init__(self, label, argv, title, morvek, music=False):
        self.label, self.argv, self.title, self.morvek = label, argv, title, morvek
        self.music = music


# ---------------------------------------------------------------------------------------------
# The X server, through libX11 directly: no process per probe.

class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
                ("visual", ctypes.c_void_p), ("root", ctypes.c_ulong), ("c_class", ctypes.c_int),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int)]


class Display:
    VIEWABLE = 2
    Z_PIXMAP = 2

    def __init__(self):
        x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                   ctypes.POINTER(ctypes.c_ulong),
                                   ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                   ctypes.POINTER(ctypes.c_uint)]
        x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
        x11.XFree.argtypes = [ctypes.c_void_p]
        x11.XGetImage.restype = ctypes.c_void_p
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XGetPixel.restype = ctypes.c_ulong
        x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        x11.XDestroyImage.argtypes = [ctypes.c_void_p]
        x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                             ctypes.POINTER(XWindowAttributes)]
        x11.XResizeWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint, ctypes.c_uint]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11 = x11
        xtst = ctypes.util.find_library("Xtst")
        self.xtst = ctypes.cdll.LoadLibrary(xtst) if xtst else None
        if self.xtst:
            self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                       ctypes.c_int, ctypes.c_ulong]
            self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                       ctypes.c_ulong]
        self.dpy = x11.XOpenDisplay(None)
        if not self.dpy:
            sys.exit("measure: cannot open the display")
        self.root = x11.XDefaultRootWindow(self.dpy)

    def window(self, title):
        """(id, x, y, w, h) of the viewable top-level window with this title, or None."""
        x11 = self.x11
        r, p = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if not x11.XQueryTree(self.dpy, self.root, ctypes.byref(r), ctypes.byref(p),
                              ctypes.byref(children), ctypes.byref(count)):
            return None
        try:
            for i in range(count.value):
                w = children[i]
                attrs = XWindowAttributes()
                if not x11.XGetWindowAttributes(self.dpy, w, ctypes.byref(attrs)) \
                        or attrs.map_state != self.VIEWABLE:
                    continue
                name = ctypes.c_char_p()
                if x11.XFetchName(self.dpy, w, ctypes.byref(name)) and name.value is not None:
                    found = name.value
                    x11.XFree(name)
                    if found == title:
                        return (w, attrs.x, attrs.y, attrs.width, attrs.height)
        finally:
            if children:
                x11.XFree(children)
        return None

    def pixel(self, x, y):
        image = self.x11.XGetImage(self.dpy, self.root, x, y, 1, 1, ctypes.c_ulong(-1).value,
                                   self.Z_PIXMAP)
        if not image:
            return 0
        value = self.x11.XGetPixel(image, 0, 0)
        self.x11.XDestroyImage(image)
        return value & 0xFFFFFF

    def area(self, x, y, w, h):
        """The raw bytes of a screen area."""
        image = self.x11.XGetImage(self.dpy, self.root, x, y, w, h, ctypes.c_ulong(-1).value,
                                   self.Z_PIXMAP)
        if not image:
            return b""
        header = ctypes.cast(image, ctypes.POINTER(XImage)).contents
        data = ctypes.string_at(header.data, header.bytes_per_line * h)
        self.x11.XDestroyImage(image)
        return data

    def move_pointer(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, x, y, 0)
        self.x11.XFlush(self.dpy)

    def click(self):
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, 0, 0)
        self.x11.XFlush(self.dpy)

    def resize(self, window, width, height):
        self.x11.XResizeWindow(self.dpy, window, width, height)
        self.x11.XFlush(self.dpy)


def start_session_bus():
    """A D-Bus session bus, as every desktop has. Without one, the first program to ask for the
    bus forks a dbus-launch, and after that fork each page it writes costs a fault: its first
    click would be timed with those. (server, address), or (None, None) without dbus-daemon."""
    daemon = shutil.which("dbus-daemon")
    if not daemon:
        return None, None
    server = subprocess.Popen([daemon, "--session", "--nofork", "--print-address=1"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    address = server.stdout.readline().strip()
    if not address:
        server.kill()
        server.wait()
        return None, None
    return server, address


def start_sound_server(work):
    """A PulseAudio server with a null sink, as a desktop has a sound server (PulseAudio, or
    PipeWire's server for PulseAudio clients). (server, address), or (None, None) without one."""
    if not shutil.which("pulseaudio"):
        return None, None
    runtime = os.path.join(work, "pulse")
    os.makedirs(runtime, mode=0o700)
    socket = os.path.join(runtime, "native")
    env = dict(os.environ, PULSE_RUNTIME_PATH=runtime, HOME=work,
               PULSE_STATE_PATH=os.path.join(work, "pulse-state"))
    log = open(os.path.join(work, "pulse.log"), "w")
    server = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                               "--disable-shm=yes", "--load=module-null-sink rate=48000",
                               "--load=module-native-protocol-unix socket=%s auth-anonymous=1"
                               % socket], env=env, stdout=log, stderr=subprocess.STDOUT)
    for _ in range(200):
        if os.path.exists(socket) or server.poll() is not None:
            break
        time.sleep(0.05)
    if server.poll() is not None or not os.path.exists(socket):
        server.kill()
        server.wait()
        return None, None
    return server, "unix:" + socket


def start_xvfb(work, width, height):
    start = 90 + int.from_bytes(os.urandom(2), "little") % 800
    for n in range(start, start + 40):
        if os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
            continue
        log = open(os.path.join(work, "xvfb.log"), "w")
        server = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "%dx%dx24" % (width, height),
                                   "-nolisten", "tcp"], stdout=log, stderr=log)
        for _ in range(200):
            if os.path.exists("/tmp/.X11-unix/X%d" % n) or server.poll() is not None:
                break
            time.sleep(0.05)
        if server.poll() is None and os.path.exists("/tmp/.X11-unix/X%d" % n):
            return server, ":%d" % n
        server.kill()
        server.wait()
    sys.exit("measure: could not start Xvfb")


# ---------------------------------------------------------------------------------------------
# What /proc tells about a running process.

def libraries(pid):
    """Distinct shared libraries mapped into the process."""
    found = set()
    try:
        with open("/proc/%d/maps" % pid) as maps:
            for line in maps:
                path = line.rstrip("\n").split(None, 5)[-1]
                if path.startswith("/") and ".so" in os.path.basename(path):
                    found.add(path)
    except OSError:
        pass
    return len(found)


def rss_mib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def cpu_and_wakeups(pid):
    """(CPU nanoseconds, times scheduled) summed over the process's threads."""
    cpu = runs = 0
    try:
        tasks = os.listdir("/proc/%d/task" % pid)
    except OSError:
        return 0, 0
    for task in tasks:
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                fields = f.read().split()
            cpu += int(fields[0])
            runs += int(fields[2])
        except (OSError, IndexError, ValueError):
            pass
    return cpu, runs


# ---------------------------------------------------------------------------------------------

def launch(program, work, index, music):
    env = dict(os.environ)
    if program.morvek:
        config = os.path.join(work, "config-%s-%d" % (program.label.replace("/", "_"), index))
        os.makedirs(os.path.join(config, "Tallowin", "Morvek"))
        with open(os.path.join(config, "Tallowin", "Morvek", "V1.ini"), "w") as f:
            # No language question; music as asked.
            f.write("[common]\ntongue=0\nmusic=%d\n" % (1 if music else 0))
        env["XDG_CONFIG_HOME"] = config
        # A level left in progress by an earlier start would come back paused: each start its own.
        env["XDG_STATE_HOME"] = config
    else:
        env["XDG_CONFIG_HOME"] = os.path.join(work, "config-pattern")
    return subprocess.Popen(program.argv, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def probes(geo):
    _, x, y, w, h = geo
    points = [(x + w // 2, y + 20)]
    for fy in (1, 3, 5):
        for fx in (1, 3, 5):
            points.append((x + w * fx // 6, y + h * fy // 6))
    return points


def click_latency(display, geo, hover):
    """Milliseconds from a left click in the middle of the window's game area to the first
    changed pixel around it; the pointer rests there `hover` seconds before, as a player's
    does. None without XTest or without a change within two seconds."""
    if not display.xtst:
        return None
    _, x, y, w, h = geo
    cx, cy = x + w // 2, y + 57 + (h - 57) // 2
    display.move_pointer(cx, cy)
    time.sleep(hover)
    before = display.area(cx - 10, cy - 10, 21, 21)
    pressed = time.monotonic()
    display.click()
    while time.monotonic() - pressed < 2.0:
        if display.area(cx - 10, cy - 10, 21, 21) != before:
            return (time.monotonic() - pressed) * 1000
    return None


def first_frame(display, program, work, index, music, hover):
    """(mapped ms, painted ms, libraries at the painted frame, click ms) of one start."""
    t0 = time.monotonic()
    game = launch(program, work, index, music)
    mapped = None
    samples = []  # (time, pixels, libraries)
    try:
        while time.monotonic() - t0 < TIMEOUT:
            if game.poll() is not None:
                sys.exit("measure: %s ended with exit code %d" % (program.label, game.returncode))
            now = time.monotonic()
            geo = display.window(program.title)
            if geo:
                if mapped is None:
                    mapped = now
                values = [display.pixel(px, py) for px, py in probes(geo)]
                # The maps are read only when the picture changed: a new candidate first frame.
                libs = samples[-1][2] if samples and samples[-1][1] == values else libraries(game.pid)
                samples.append((time.monotonic(), values, libs))
                if now - mapped > SETTLE:
                    break
            time.sleep(0.002)
        click = click_latency(display, geo, hover) if mapped is not None else None
    finally:
        game.kill()
        game.wait()
    if mapped is None:
        sys.exit("measure: no window of %s within %.0f s" % (program.label, TIMEOUT))
    final = samples[-1][1]
    painted, libs = samples[-1][0], samples[-1][2]
    for t, values, count in reversed(samples):
        if values != final:
            break
        painted, libs = t, count
    return (mapped - t0) * 1000, (painted - t0) * 1000, libs, click if click is not None else float("nan")


def idle(display, program, work, index, music, size, seconds):
    """(RSS MiB 3 s after start, CPU ms in the idle span, wake-ups per second, libraries)."""
    t0 = time.monotonic()
    game = launch(program, work, index, music)
    try:
        geo = None
        while time.monotonic() - t0 < TIMEOUT and not geo:
            if game.poll() is not None:
                sys.exit("measure: %s ended with exit code %d" % (program.label, game.returncode))
            geo = display.window(program.title)
            time.sleep(0.005)
        if not geo:
            sys.exit("measure: no window of %s within %.0f s" % (program.label, TIMEOUT))
        if size:
            display.resize(geo[0], size[0], size[1])
        time.sleep(max(0.0, 3.0 - (time.monotonic() - t0)))
        rss = rss_mib(game.pid)
        libs = libraries(game.pid)
        cpu0, runs0 = cpu_and_wakeups(game.pid)
        start = time.monotonic()
        time.sleep(seconds)
        cpu1, runs1 = cpu_and_wakeups(game.pid)
        span = time.monotonic() - start
    finally:
        game.kill()
        game.wait()
    return rss, (cpu1 - cpu0) / 1e6 * (seconds / span), (runs1 - runs0) / span, libs


def table(programs, columns, results):
    """Medians per program, and each program's ratio to sgt-pattern where it ran."""
    base = next((p for p in programs if not p.morvek), None)
    width = max(len(p.label) for p in programs)
    print()
    print("%-*s  %s" % (width, "median", "  ".join("%16s" % name for name, _ in columns)))
    def median(values):
        values = [v for v in values if v == v]  # a figure that could not be taken is left out
        return statistics.median(values) if values else float("nan")
    medians = {p.label: [median(r[i] for r in results[p.label]) for i in range(len(columns))]
               for p in programs}
    for p in programs:
        cells = []
        for i, (name, fmt) in enumerate(columns):
            value = medians[p.label][i]
            cell = fmt % value
            if base and p is not base and medians[base.label][i] > 0:
                cell += " (%.2fx)" % (value / medians[base.label][i])
            cells.append("%16s" % cell)
        print("%-*s  %s" % (width, p.label, "  ".join(cells)))
    if base:
        print("(ratios: to %s)" % base.label)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("what", choices=["startup", "idle"])
    parser.add_argument("runs", nargs="?", type=int, default=7)
    parser.add_argument("morvek", nargs="*", help="one or more programs to compare")
    parser.add_argument("--music", nargs="?", const="on", default="both", choices=["off", "on", "both"],
                        help="Morvek with music off, on (what the default settings give), or both "
                             "(default: each program twice)")
    parser.add_argument("--size", default="", help="window size WxH (idle), e.g. 1920x1080")
    parser.add_argument("--seconds", type=float, default=30.0, help="idle span (idle)")
    parser.add_argument("--hover", type=float, default=0.5,
                        help="seconds the pointer rests before the click (startup)")
    parser.add_argument("--audio", default="server", choices=["server", "dummy"],
                        help="where sound goes: a sound server with a null sink, as on a desktop "
                             "(the default; SDL's dummy driver when pulseaudio is missing), or "
                             "SDL's dummy driver")
    parser.add_argument("--no-pattern", action="store_true", help="leave sgt-pattern out")
    parser.add_argument("--root", required=True)
    args = parser.parse_intermixed_args()

    paths = args.morvek or [os.path.join(args.root, "build", "bin", "morvek")]
    programs = []
    for path in paths:
        if not os.access(path, os.X_OK):
            sys.exit("measure: no program at %s (build it first)" % path)
        label = path if len(paths) > 1 else "morvek"
        for music in {"off": [False], "on": [True], "both": [False, True]}[args.music]:
            suffix = (" music on" if music else " music off") if args.music == "both" else ""
            programs.append(Program(label + suffix, [path], b"Morvek V1.0", True, music))
    if PATTERN and not args.no_pattern:
        programs.append(Program("sgt-pattern", [PATTERN], b"Pattern", False))
    elif not args.no_pattern:
        print("measure: sgt-pattern is not installed (package sgt-puzzles); Morvek alone")
    size = tuple(int(v) for v in args.size.split("x")) if args.size else None

    work = tempfile.mkdtemp(prefix="morvek-measure-")
    screen = (max(1280, size[0] + 64), max(1024, size[1] + 120)) if size else (1280, 1024)
    server, display_name = start_xvfb(work, *screen)
    os.environ.update(DISPLAY=display_name, QT_QPA_PLATFORM="xcb",
                      XDG_RUNTIME_DIR=os.path.join(work, "runtime"))
    os.mkdir(os.environ["XDG_RUNTIME_DIR"], 0o700)
    sound, sound_address = start_sound_server(work) if args.audio == "server" else (None, None)
    if sound_address:
        os.environ["PULSE_SERVER"] = sound_address
        os.environ.pop("SDL_AUDIODRIVER", None)
        print("sound: a PulseAudio server with a null sink")
    else:
        if args.audio == "server":
            print("measure: no pulseaudio; sound goes to SDL's dummy driver")
        os.environ["SDL_AUDIODRIVER"] = "dummy"
        print("sound: SDL's dummy driver")
    bus, bus_address = start_session_bus()
    if bus_address:
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus_address
    else:
        print("measure: no dbus-daemon; the programs run without a session bus")
    signal.signal(signal.SIGTERM, lambda number, frame: sys.exit("measure: stopped"))
    try:
        display = Display()
        with open("/proc/loadavg") as f:
            print("load average at start: %s" % " ".join(f.read().split()[:3]))
        results = {p.label: [] for p in programs}
        for i in range(args.runs):
            for p in programs:
                if args.what == "startup":
                    row = first_frame(display, p, work, i, p.music, args.hover)
                    print("run %d %s: mapped %.0f ms, painted %.0f ms, %d libraries, click %.2f ms"
                          % (i + 1, p.label, *row))
                else:
                    row = idle(display, p, work, i, p.music, size, args.seconds)
                    print("run %d %s: RSS %.1f MiB, CPU %.1f ms in %.0f s, %.1f wake-ups/s, %d libraries"
                          % (i + 1, p.label, row[0], row[1], args.seconds, row[2], row[3]))
                results[p.label].append(row)
        with open("/proc/loadavg") as f:
            print("load average at end: %s" % " ".join(f.read().split()[:3]))
        if args.what == "startup":
            columns = [("mapped ms", "%.1f"), ("first frame ms", "%.1f"), ("libraries", "%.0f"),
                       ("click ms", "%.2f")]
        else:
            columns = [("RSS MiB", "%.1f"), ("idle CPU ms", "%.1f"), ("wake-ups/s", "%.1f"),
                       ("libraries", "%.0f")]
        table(programs, columns, results)
    finally:
        for process in (server, bus, sound):
            if process:
                process.kill()
                process.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
