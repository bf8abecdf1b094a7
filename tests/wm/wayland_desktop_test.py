#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# The real game on a Wayland compositor with Qt's wayland platform, driven like a player: weston
# runs as a window on an X display (its x11 backend), so xdotool moves and clicks its pointer
# and the screen is read back with ImageMagick. Checked: a balloon never covers the pointer or
# its button and a click there reaches the button; the balloon goes when the pointer leaves; the
# best list comes up whole on the screen; the first drag of the title bar moves the window.
#
# Usage (weston and Xvfb started by it): run-under-openbox.sh --wm weston wayland_desktop_test.py <morvek>
# Exit codes: 0 passed, 1 failed, 77 skipped.
import os
import shutil
import subprocess
import sys
import tempfile
import time

PANEL = 40  # weston's panel along the top (its clock changes)
DECORATION = (3, 30)  # Qt's own title bar on Wayland: left and top margins
TROPHY = (108, 4, 50, 50)  # the best-list button in the tool bar, client points
COUNTERS = [(220, 22, 100, 27), (360, 22, 100, 27)]


class Failure(Exception):
    pass


def check(condition, text):
    if not condition:
        raise Failure(text)


def xdo(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True, timeout=30)


def screen():
    """The whole X screen (weston's window among it) as (width, height, bytes)."""
    raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], capture_output=True,
                         timeout=30).stdout
    size = subprocess.run(["xdpyinfo"], capture_output=True, text=True).stdout
    w, h = map(int, size.split("dimensions:")[1].split()[0].split("x"))
    check(len(raw) == w * h * 3, "could not read the screen")
    return w, h, raw


def changed(a, b, outside=()):
    """The bounding box (x, y, w, h) and count of the pixels that differ, outside the rectangles."""
    w, h, ra = a
    _, _, rb = b
    left, top, right, bottom, count = w, h, -1, -1, 0
    for y in range(PANEL, h):
        row = y * w * 3
        if ra[row:row + w * 3] == rb[row:row + w * 3]:
            continue
        for x in range(w):
            i = row + x * 3
            if ra[i:i + 3] != rb[i:i + 3] and not any(inside(r, x, y) for r in outside):
                left, top = min(left, x), min(top, y)
                right, bottom = max(right, x), max(bottom, y)
                count += 1
    if count == 0:
        return None, 0
    return (left, top, right - left + 1, bottom - top + 1), count


def window_box(a, b):
    """The box of a window that appeared between two screens: rows and columns with at least
    100 changed pixels, so that the pointer and small changes elsewhere do not count."""
    w, h, ra = a
    _, _, rb = b
    rows, cols = [0] * h, [0] * w
    for y in range(PANEL, h):
        row = y * w * 3
        if ra[row:row + w * 3] == rb[row:row + w * 3]:
            continue
        for x in range(w):
            i = row + x * 3
            if ra[i:i + 3] != rb[i:i + 3]:
                rows[y] += 1
                cols[x] += 1
    ys = [y for y in range(h) if rows[y] >= 100]
    xs = [x for x in range(w) if cols[x] >= 100]
    if not ys or not xs:
        return None
    return (xs[0], ys[0], xs[-1] - xs[0] + 1, ys[-1] - ys[0] + 1)


def pointer_area(px, py):
    """Where weston draws its pointer when it rests at (px, py)."""
    return (px - 8, py - 8, 48, 48)


def inside(r, x, y):
    return r[0] <= x < r[0] + r[2] and r[1] <= y < r[1] + r[3]


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def poll(what, probe, timeout, interval=0.02):
    end = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(interval)


class Game:
    def __init__(self, morvek, workdir, desktop):
        self.config = os.path.join(workdir, "config")
        os.makedirs(os.path.join(self.config, "Tallowin", "Morvek"), exist_ok=True)
        with open(os.path.join(self.config, "Tallowin", "Morvek", "V1.ini"), "w") as f:
            f.write("[common]\ntongue=0\nmusic=0\n")
        env = dict(os.environ, XDG_CONFIG_HOME=self.config, XDG_STATE_HOME=os.path.join(workdir, "state"),
                   QT_QPA_PLATFORM="wayland", SDL_AUDIODRIVER="dummy")
        env.pop("DISPLAY", None)
        self.log = open(os.path.join(workdir, "morvek.log"), "w")
        self.proc = subprocess.Popen([morvek, "--seed", "1"], env=env, stdout=self.log, stderr=subprocess.STDOUT)
        # The window is up once a large part of the desktop changed and stays so.
        def shown():
            box = window_box(desktop, screen())
            return box if box and box[2] > 700 and box[3] > 450 else None
        poll("the main window", shown, 30, 0.2)
        time.sleep(1.0)
        self.frame = window_box(desktop, screen())
        self.client = (self.frame[0] + DECORATION[0], self.frame[1] + DECORATION[1])

    def at(self, px, py):
        return self.client[0] + px, self.client[1] + py

    def rect(self, r):
        return (self.client[0] + r[0], self.client[1] + r[1], r[2], r[3])

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


def balloon_shown(game, rest):
    """Rests the pointer on the trophy until a balloon shows: its box on the screen."""
    button = game.rect(TROPHY)
    pointer = game.at(TROPHY[0] + 25, TROPHY[1] + 25)
    calm = [button, pointer_area(*pointer)] + [game.rect(c) for c in COUNTERS]
    xdo("mousemove", *pointer)

    def balloon():
        box, count = changed(rest, screen(), calm)
        return box if count > 200 else None
    return poll("a balloon hint", balloon, 8, 0.1)


def main():
    args = sys.argv[1:]
    if len(args) != 1:
        print("usage: wayland_desktop_test.py <morvek>")
        return 2
    for tool in ("xdotool", "import", "xdpyinfo"):
        if not shutil.which(tool):
            print("SKIP: %s is not installed (scripts/install-deps.sh installs it)" % tool)
            return 77
    if not os.environ.get("WAYLAND_DISPLAY"):
        print("SKIP: no Wayland compositor (run it through run-under-openbox.sh --wm weston)")
        return 77
    morvek = os.path.abspath(args[0])
    workdir = tempfile.mkdtemp(prefix="morvek-wayland-")
    xdo("mousemove", 600, 600)
    # The empty desktop, once the compositor has drawn it (not black) and it stays the same.
    shots = [screen()]

    def settled():
        time.sleep(0.3)
        shots.append(screen())
        w, h, raw = shots[-1]
        middle = (h // 2 * w + w // 2) * 3
        return raw[middle:middle + 3] != b"\0\0\0" and changed(shots[-2], shots[-1])[1] == 0
    poll("the compositor's desktop", settled, 20, 0.1)
    desktop = shots[-1]
    game = None
    try:
        game = Game(morvek, workdir, desktop)
        print("main window at %r" % (game.frame,))
        away = game.at(TROPHY[0] + 25, TROPHY[1] + 25 + 120)
        calm = [game.rect(c) for c in COUNTERS] + [pointer_area(*away), game.rect(TROPHY),
                                                   pointer_area(*game.at(TROPHY[0] + 25, TROPHY[1] + 25))]
        for attempt in range(2):
            xdo("mousemove", *away)
            time.sleep(0.5)
            rest = screen()
            balloon = balloon_shown(game, rest)
            pointer = game.at(TROPHY[0] + 25, TROPHY[1] + 25)
            check(not inside(balloon, *pointer), "the balloon %r covers the pointer %r" % (balloon, pointer))
            check(not overlaps(balloon, game.rect(TROPHY)), "the balloon %r covers its button" % (balloon,))
            # A click where the pointer rests reaches the button: the best list opens, over the
            # main window.
            xdo("click", 1)

            def dialog():
                box = window_box(rest, screen())
                return box if box and box[2] > 250 and box[3] > 350 else None
            best = poll("the best list after click %d" % (attempt + 1), dialog, 8, 0.2)
            # Where it goes is the compositor's choice (weston picks a spot of its own, others
            # centre it over its main window, which the game names); it must be whole on screen.
            width, height, _ = rest
            check(best[0] >= 0 and best[1] >= PANEL and best[0] + best[2] <= width and
                  best[1] + best[3] <= height, "the best list %r is not whole on screen" % (best,))
            print("click %d under the balloon opened the best list at %r" % (attempt + 1, best))
            # Its OK button, bottom right.
            ok = (best[0] + best[2] - 35, best[1] + best[3] - 35)
            xdo("mousemove", *ok)
            xdo("click", 1)
            poll("the best list to close", lambda: window_box(rest, screen()) is None, 8, 0.2)
            xdo("mousemove", *away)

        # The pointer leaves: the balloon goes.
        xdo("mousemove", *away)
        time.sleep(0.5)
        rest = screen()
        balloon = balloon_shown(game, rest)
        elsewhere = (game.frame[0] + game.frame[2] // 2, game.frame[1] + game.frame[3] - 40)
        xdo("mousemove", *elsewhere)
        left = time.monotonic()
        poll("the balloon to go", lambda: changed(rest, screen(), calm + [pointer_area(*elsewhere)])[1] == 0,
             1.0, 0.01)
        print("balloon gone within %d ms of the pointer leaving" % ((time.monotonic() - left) * 1000))

        # The first drag of the title bar moves the window with the pointer.
        before = game.frame
        width, height, _ = desktop
        # Towards the middle of the screen, so the window stays whole on it.
        dx = 80 if before[0] + before[2] // 2 < width // 2 else -80
        dy = 60 if before[1] + before[3] // 2 < height // 2 else -60
        grip = (before[0] + before[2] // 2, before[1] + 12)
        xdo("mousemove", *grip)
        xdo("mousedown", 1)
        for step in range(1, 11):
            xdo("mousemove", grip[0] + dx * step // 10, grip[1] + dy * step // 10)
            time.sleep(0.03)
        xdo("mouseup", 1)
        time.sleep(0.8)
        xdo("mousemove", 5, 5)
        time.sleep(0.3)
        after = window_box(desktop, screen())
        check(after[2:] == before[2:], "the drag changed the window's size: %r to %r" % (before, after))
        check((after[0] - before[0], after[1] - before[1]) == (dx, dy),
              "the window moved from %r to %r, not by the drag's %d, %d" % (before, after, dx, dy))
        print("the first drag moved the window by %d, %d" % (dx, dy))
    except Failure as e:
        subprocess.run(["import", "-window", "root", os.path.join(workdir, "failure.png")])
        print("FAIL: %s" % e)
        print("screenshot and game log are in " + workdir)
        return 1
    finally:
        if game:
            game.stop()
    shutil.rmtree(workdir, ignore_errors=True)
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
