#!/usr/bin/env bash
# Measures the game's start-up time, from process start to the first painted frame, under Xvfb.
#
# Usage: scripts/measure-startup.sh [runs (default 7)] [path to morvek (default build/bin/morvek)]
#
# Method: one Xvfb server (1280x1024x24, no window manager) for all runs. Each run gets a fresh
# XDG_CONFIG_HOME whose settings already hold "tongue=0", so no language question comes up, and
# SDL_AUDIODRIVER=dummy. A small Python helper talks to the X server directly through libX11
# (ctypes), without starting a process per probe, and records from just before the game's
# process is started:
#   mapped  - the first moment a viewable top-level window titled "Morvek V1.0" exists;
#   painted - the first moment from which three screen pixels inside that window (one on the
#             tool bar, two on the board area) show the colours they still show 1.5 s after the
#             mapping, and none of them is black. An unpainted window shows the black root of
#             Xvfb or a plain background fill; the game covers both areas with its textures, so
#             this is the first frame the player would see.
# Probes run about every 2 ms, so the figures are exact to a few milliseconds. The game is then
# killed (SIGKILL: the settings of a throw-away folder need not be written). Each run and the
# medians are printed in milliseconds.
set -euo pipefail

RUNS="${1:-7}"
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
MORVEK="${2:-$ROOT/build/bin/morvek}"

for tool in Xvfb python3; do
  command -v "$tool" >/dev/null || { echo "measure-startup: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
[ -x "$MORVEK" ] || { echo "measure-startup: no program at $MORVEK (build it first)" >&2; exit 1; }

WORK="$(mktemp -d -t morvek-startup-XXXXXX)"
XVFB_PID=""
cleanup() {
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A free display: skip numbers whose socket or lock exists; -displayfd is not needed then.
DISPLAY_NUMBER=""
start=$((90 + RANDOM % 400))
for n in $(seq "$start" $((start + 40))); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 200); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then DISPLAY_NUMBER=$n; break; fi
  XVFB_PID=""
done
[ -n "$DISPLAY_NUMBER" ] || { echo "measure-startup: could not start Xvfb" >&2; exit 1; }

export DISPLAY=":$DISPLAY_NUMBER" SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

python3 - "$RUNS" "$MORVEK" "$WORK" <<'EOF'
import ctypes, ctypes.util, os, signal, statistics, subprocess, sys, time

# Killed from outside: still end the game of the current run (the finally below).
signal.signal(signal.SIGTERM, lambda number, frame: sys.exit("measure-startup: stopped"))

runs, morvek, work = int(sys.argv[1]), sys.argv[2], sys.argv[3]
TOOLBAR_HEIGHT = 57
TIMEOUT = 30.0
SETTLE = 1.5  # seconds after mapping by which the window has surely settled

x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                           ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                           ctypes.POINTER(ctypes.c_uint)]
x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

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

x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XWindowAttributes)]

x11.XDestroyImage.argtypes = [ctypes.c_void_p]

dpy = x11.XOpenDisplay(None)
if not dpy:
    sys.exit("measure-startup: cannot open the display")
root = x11.XDefaultRootWindow(dpy)
ALL_PLANES = ctypes.c_ulong(-1).value
Z_PIXMAP = 2
VIEWABLE = 2

def game_window():
    """(x, y, w, h) of the viewable top-level window "Morvek V1.0", or None."""
    r, p, children, count = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    if not x11.XQueryTree(dpy, root, ctypes.byref(r), ctypes.byref(p), ctypes.byref(children), ctypes.byref(count)):
        return None
    found = None
    try:
        for i in range(count.value):
            w = children[i]
            attrs = XWindowAttributes()
            if not x11.XGetWindowAttributes(dpy, w, ctypes.byref(attrs)) or attrs.map_state != VIEWABLE:
                continue
            name = ctypes.c_char_p()
            if x11.XFetchName(dpy, w, ctypes.byref(name)) and name.value is not None:
                title = name.value
                x11.XFree(name)
                if title == b"Morvek V1.0":
                    found = (attrs.x, attrs.y, attrs.width, attrs.height)
                    break
    finally:
        if children:
            x11.XFree(children)
    return found

def pixel(x, y):
    image = x11.XGetImage(dpy, root, x, y, 1, 1, ALL_PLANES, Z_PIXMAP)
    if not image:
        return 0
    value = x11.XGetPixel(image, 0, 0)
    x11.XDestroyImage(image)
    return value & 0xFFFFFF

def measure(index):
    config = os.path.join(work, "config%d" % index)
    os.makedirs(os.path.join(config, "Tallowin", "Morvek"))
    with open(os.path.join(config, "Tallowin", "Morvek", "V1.ini"), "w") as f:
        f.write("[common]\ntongue=0\n")
    env = dict(os.environ, XDG_CONFIG_HOME=config)
    t0 = time.monotonic()
    game = subprocess.Popen([morvek], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = None
    samples = []  # (time, probe pixels) from the mapping on
    try:
        while time.monotonic() - t0 < TIMEOUT:
            if game.poll() is not None:
                sys.exit("measure-startup: the game ended with exit code %d" % game.returncode)
            now = time.monotonic()
            geo = game_window()
            if geo:
                if mapped is None:
                    mapped = now
                x, y, w, h = geo
                probes = [(x + w // 2, y + TOOLBAR_HEIGHT // 2),
                          (x + 20, y + TOOLBAR_HEIGHT + 20),
                          (x + w // 2, y + TOOLBAR_HEIGHT + (h - TOOLBAR_HEIGHT) // 2)]
                samples.append((time.monotonic(), [pixel(px, py) for px, py in probes]))
                if now - mapped > SETTLE:
                    break
            time.sleep(0.002)
    finally:
        game.kill()
        game.wait()
    if mapped is None:
        sys.exit("measure-startup: no window within %.0f s" % TIMEOUT)
    final = samples[-1][1]
    if 0 in final:
        sys.exit("measure-startup: the window still shows black at a probe: %r" % final)
    # The first painted frame: the earliest sample from which the probes show their final colours.
    painted = samples[-1][0]
    for t, values in reversed(samples):
        if values != final:
            break
        painted = t
    return (mapped - t0) * 1000, (painted - t0) * 1000

maps, paints = [], []
for i in range(runs):
    m, p = measure(i)
    maps.append(m)
    paints.append(p)
    print("run %d: mapped %6.0f ms, painted %6.0f ms" % (i + 1, m, p))
print("median of %d runs: mapped %.0f ms, first painted frame %.0f ms"
      % (runs, statistics.median(maps), statistics.median(paints)))
EOF
