#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# The real game under a window manager, driven with xdotool: the placement start after start,
# the first drag of the title bar, a click under a balloon hint, balloons that go with the
# pointer, a drag made of one pointer movement, and repainting while a line marks itself.
#
# Usage (on a display with a window manager):
#   run-under-openbox.sh desktop_test.py <morvek> [--placement-only]
# Exit codes: 0 passed, 1 failed, 77 skipped (xdotool, xprop or a window manager missing).
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import e2e_test as e2e  # noqa: E402  (puzzle text and board layout)

MAIN_TITLE = "Morvek V1.0"
YESNO_SIZE = (319, 158)
HIGHSCORE_SIZE = (320, 476)
TOOLBAR_HEIGHT = 57
SEED = 1
MAGENTA = (255, 0, 255)


SHOTS = []  # the folder for screenshots of failures

# Qt's scale: the game's points are this many pixels of the screen, which xdotool works in.
SCALE = float(os.environ.get("QT_SCALE_FACTOR", "1"))


def dev(*points):
    """Points of the game's own layout as screen pixels."""
    return tuple(int(round(v * SCALE)) for v in points) if len(points) > 1 else int(round(points[0] * SCALE))


class Failure(Exception):
    def __init__(self, text):
        super().__init__(text)
        # The screen as the failure saw it, before the game is stopped.
        if SHOTS:
            subprocess.run(["import", "-window", "root", os.path.join(SHOTS[0], "failure-%d.png" % len(os.listdir(SHOTS[0])))],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def check(condition, text):
    if not condition:
        raise Failure(text)


def poll(what, probe, timeout, interval=0.02):
    end = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(interval)


def x(*args, check_rc=True):
    r = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=30)
    if check_rc and r.returncode != 0:
        raise Failure("xdotool %s failed: %s" % (" ".join(map(str, args)), r.stderr.strip()))
    return r.stdout


def geometry(wid):
    """A window's rectangle on the screen (x, y, w, h); xdotool's is off for framed windows."""
    out = subprocess.run(["xwininfo", "-id", str(wid)], capture_output=True, text=True).stdout
    values = dict(re.findall(r"^\s*(Absolute upper-left X|Absolute upper-left Y|Width|Height):\s+(-?\d+)",
                             out, re.M))
    if len(values) != 4:
        return None
    return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
            int(values["Width"]), int(values["Height"]))


def move_to(px, py):
    """Moves the pointer and waits until it is there (xdotool's --sync hangs on a no-op move)."""
    here = re.match(r"x:(-?\d+) y:(-?\d+)", x("getmouselocation"))
    if here and (int(here.group(1)), int(here.group(2))) == (px, py):
        return
    x("mousemove", "--sync", px, py)


def viewable(wid):
    out = subprocess.run(["xwininfo", "-id", str(wid)], capture_output=True, text=True).stdout
    return "IsViewable" in out


def pixels(left, top, width, height):
    """RGB triples of a screen rectangle, row by row."""
    raw = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                          "+repage", "-depth", "8", "rgb:-"], capture_output=True, timeout=30).stdout
    check(len(raw) == width * height * 3, "could not read the screen")
    return [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]


class Game:
    """One run of the game, with the geometry of its main window."""

    def __init__(self, morvek, config, workdir):
        self.log = open(os.path.join(workdir, "morvek-%d.log" % time.monotonic_ns()), "w")
        env = dict(os.environ, XDG_CONFIG_HOME=config)
        self.proc = subprocess.Popen([morvek, "--seed", str(SEED)], env=env, stdout=self.log,
                                     stderr=subprocess.STDOUT)
        self.main = poll("the main window", lambda: self.window(name=MAIN_TITLE), 30)
        # The window is where it stays once the window manager has framed it.
        poll("the frame", lambda: self.extents() is not None, 10)
        time.sleep(0.3)

    def windows(self):
        if self.proc.poll() is not None:
            raise Failure("the game ended early with exit code %d" % self.proc.returncode)
        found = []
        for wid in x("search", "--onlyvisible", "--pid", self.proc.pid, check_rc=False).split():
            geo = geometry(wid)
            if geo:
                name = x("getwindowname", wid, check_rc=False).strip()
                found.append((wid, *geo, name))
        return found

    def window(self, size=None, name=None, other_than=()):
        for w in self.windows():
            if (size is None or w[3:5] == size) and (name is None or w[5] == name) \
                    and w[0] not in other_than:
                return w
        return None

    def client(self):
        """The main window's client rectangle on the screen: x, y, w, h."""
        geo = geometry(self.main[0])
        check(geo, "the main window is gone")
        return geo

    def extents(self):
        out = subprocess.run(["xprop", "-id", self.main[0], "_NET_FRAME_EXTENTS"], capture_output=True,
                             text=True).stdout
        m = re.search(r"= (\d+), (\d+), (\d+), (\d+)", out)
        return tuple(map(int, m.groups())) if m else None  # left, right, top, bottom

    def outer(self):
        cx, cy, cw, ch = self.client()
        left, right, top, bottom = self.extents()
        return cx - left, cy - top, cw + left + right, ch + top + bottom

    def click_client(self, px, py, button=1):
        cx, cy, _, _ = self.client()
        move_to(cx + px, cy + py)
        x("click", button)

    def close(self):
        cx, cy, cw, _ = self.client()
        scale = float(os.environ.get("QT_SCALE_FACTOR", "1"))
        if scale == 1:
            self.click_client(cw - 52 + 25, 4 + 25)  # Exit
            question = poll("the quit question", lambda: self.window(size=YESNO_SIZE), 10)
        else:
            # Scaled, the buttons and the question have other sizes on the screen: the key.
            x("windowfocus", "--sync", self.main[0])
            x("key", "Escape")
            question = poll("the quit question",
                            lambda: self.window(other_than=(self.main[0],)), 10)
        x("windowfocus", "--sync", question[0])
        x("key", "y")
        poll("the game to end", lambda: self.proc.poll() is not None, 20, 0.05)
        check(self.proc.returncode == 0, "the game ended with exit code %d" % self.proc.returncode)

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


def stored_placement(config):
    path = os.path.join(config, "Tallowin", "Morvek", "V1.ini")
    with open(path, encoding="utf-8") as f:
        m = re.search(r"^MainForm=\"?([^\"\n]*)", f.read(), re.M)
    check(m, "no MainForm record in " + path)
    return m.group(1)


def outer_of(record):
    f = record.split(",")
    left, top, right, bottom = map(int, f[3:7])
    return left, top, right - left, bottom - top


def near(a, b, slack):
    return all(abs(p - q) <= slack for p, q in zip(a, b))


def placement_start_after_start(morvek, config, workdir, frame):
    """Four starts: the same outer rectangle each time; the first drag of the title moves it.
    Under a Qt scale factor the record holds Qt's logical pixels, the screen device pixels."""
    scale = SCALE
    slack = 0 if scale == 1 else 1
    device = tuple(map(int, re.search(r"dimensions:\s+(\d+)x(\d+)",
                                      subprocess.run(["xdpyinfo"], capture_output=True,
                                                     text=True).stdout).groups()))
    screen = tuple(int(v / scale) for v in device)
    records = []
    for start in range(4):
        game = Game(morvek, config, workdir)
        try:
            outer = tuple(round(v / scale) for v in game.outer())
            if start == 0:
                # Centred at the window's own outer size, then enlarged to the minimum.
                centred = ((screen[0] - 702) // 2, (screen[1] - 462) // 2, 750, 480)
                check(near(outer, centred, slack),
                      "first start: window at %r, expected %r" % (outer, centred))
            else:
                check(near(outer, outer_of(records[-1]), slack),
                      "start %d: window at %r, stored %r" % (start + 1, outer, records[-1]))
            if start == 1 and frame == "title":
                # The very first drag of the title bar moves the window (in screen pixels).
                left, top, width, height = game.outer()
                grip = (left + width // 2, top + game.extents()[2] // 2)
                move_to(*grip)
                x("mousedown", 1)
                for step in range(1, 11):
                    x("mousemove", "--sync", grip[0] + 10 * step, grip[1] + 10 * step)
                    time.sleep(0.02)
                x("mouseup", 1)
                moved = (left + 100, top + 100, width, height)
                poll("the window to follow the drag", lambda: game.outer() == moved, 5)
                time.sleep(0.3)
                check(game.outer() == moved, "the dragged window went back to %r" % (game.outer(),))
            game.close()
        finally:
            game.kill()
        records.append(stored_placement(config))
        print("start %d: MainForm=%s" % (start + 1, records[-1]))
    check(len(set(records[1:])) == 1, "the record changes from start to start: %r" % records)


def hover_until_balloon(game, px, py):
    """Rests the pointer on a spot of the main window until a balloon shows; returns it."""
    before = {w[0] for w in game.windows()}
    cx, cy, _, _ = game.client()
    move_to(cx + px, cy + py + dev(80))  # off the tool bar first
    time.sleep(0.2)
    move_to(cx + px, cy + py)
    return poll("a balloon hint", lambda: game.window(other_than=before), 8)


def balloons(morvek, config, workdir):
    game = Game(morvek, config, workdir)
    try:
        trophy = dev(108 + 25, 4 + 25)
        best_list_size = dev(*HIGHSCORE_SIZE)
        for attempt in range(3):
            balloon = hover_until_balloon(game, *trophy)
            x("click", 1)  # where the pointer rests, under the balloon's nose
            best = poll("the best list after click %d under the balloon" % (attempt + 1),
                        lambda: game.window(size=best_list_size), 5)
            move_to(best[1] + dev(260 + 25), best[2] + dev(416 + 25))
            x("click", 1)  # OK
            poll("the best list to close", lambda: not game.window(size=best_list_size), 5)
        print("3 of 3 clicks under the balloon opened the best list")

        # The pointer leaves upwards through the balloon, or jumps far away.
        for how in ("up through the balloon", "jump away"):
            balloon = hover_until_balloon(game, *trophy)
            if how == "jump away":
                x("mousemove", 3, 3)
            else:
                # Straight up, over the balloon's top edge (past the button and the frame).
                cx, cy, _, _ = game.client()
                x("mousemove", cx + trophy[0], balloon[2] + 2)
            left = time.monotonic()
            poll("the balloon to go (%s)" % how, lambda: not viewable(balloon[0]), 1.0, 0.01)
            print("balloon gone %d ms after the pointer went %s" % ((time.monotonic() - left) * 1000, how))
        game.close()
    finally:
        game.kill()


def board_geometry(game, puzzle):
    """The board is laid out in screen pixels: the board area below the tool bar, as many
    pixels as its points times the scale, rounded up."""
    cols, rows, max_row_clues, max_col_clues, goal = puzzle
    cx, cy, cw, ch = game.client()
    toolbar = dev(TOOLBAR_HEIGHT)
    area_w = math.ceil(round(cw / SCALE) * SCALE - 1e-6)
    area_h = math.ceil((round(ch / SCALE) - TOOLBAR_HEIGHT) * SCALE - 1e-6)
    cell, left, top = e2e.compute_layout(area_w, area_h, cols, rows, max_row_clues, max_col_clues)
    unit = max(1, int(SCALE + 0.5))

    def centre(col, row):  # 1-based cells, screen coordinates
        return (cx + left + (col - 1) * cell + cell // 2,
                cy + toolbar + top + (row - 1) * cell + cell // 2)

    def probe(col, row):
        """Across the left edge of the cell's tile (3 units in, one unit wide), a pixel either
        side for the rounding of a fractional scale."""
        px, py = centre(col, row)
        return pixels(px - cell // 2 + 3 * unit - 1, py, unit + 2, 1)

    def uncovered(col, row):  # the black frame of an uncovered cell
        return (0, 0, 0) in probe(col, row)

    return cell, centre, uncovered, probe


def drag_and_repaint(morvek, config, workdir):
    printed = subprocess.run([morvek, "--print-puzzle", "--mode", "1", "--seed", str(SEED)],
                             capture_output=True, text=True, timeout=30)
    puzzle = e2e.parse_puzzle(printed.stdout)
    cols, _, _, _, goal = puzzle
    filled = lambda col, row: goal[(row - 1) * cols + col - 1] == "1"  # noqa: E731
    game = Game(morvek, config, workdir)
    try:
        cell, centre, uncovered, probe = board_geometry(game, puzzle)
        # Row 2 holds a run of filled cells from column 2 on: one pointer movement over five.
        check(all(filled(c, 2) for c in range(2, 7)), "unexpected board for seed %d" % SEED)
        move_to(*centre(2, 2))
        x("mousedown", 1)
        x("mousemove", *centre(6, 2))
        x("mouseup", 1)
        poll("the five cells to show uncovered", lambda: all(uncovered(c, 2) for c in range(2, 7)), 5)
        print("one pointer movement uncovered cells 2-6 of row 2")

        # Row 4: uncovering its last filled cell marks its six empty cells, 200 ms each. The
        # window is covered and uncovered meanwhile and must show the board again at once.
        row4 = [c for c in range(1, cols + 1) if filled(c, 4)]
        empties = [c for c in range(1, cols + 1) if not filled(c, 4)]
        for c in row4[:-1]:
            move_to(*centre(c, 4))
            x("click", 1)
        time.sleep(0.3)
        hidden_look = probe(empties[-1], 4)
        cx, cy, cw, _ = game.client()
        cover = (cx + 10, cy + dev(TOOLBAR_HEIGHT) + 5, dev(260), dev(90))
        xmessage = subprocess.Popen(["xmessage", "-bg", "magenta", "-fg", "magenta", "-geometry",
                                     "%dx%d+%d+%d" % (cover[2], cover[3], cover[0], cover[1]), " "],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            # Window managers place either the frame or the inside at the asked spot (KWin the
            # frame): look for the cover down the whole strip.
            poll("the cover window", lambda: MAGENTA in pixels(cover[0] + dev(30), cover[1], 1, cover[3]), 5)
            move_to(*centre(row4[-1], 4))
            x("click", 1)
            started = time.monotonic()
            time.sleep(0.2)
        finally:
            xmessage.kill()
            xmessage.wait()
        time.sleep(0.2)
        shot = pixels(*cover)
        still_marking = probe(empties[-1], 4) == hidden_look
        elapsed = time.monotonic() - started
        check(MAGENTA not in shot,
              "the board was not repainted %.2f s into the automatic marking" % elapsed)
        if still_marking:
            print("repainted %.2f s into the automatic marking" % elapsed)
        else:
            print("NOTE: the marking had ended before the check (%.2f s); repaint not proven" % elapsed)
        time.sleep(1.5)
        game.close()
    finally:
        game.kill()


def main():
    args = sys.argv[1:]
    placement_only = "--placement-only" in args
    args = [a for a in args if a != "--placement-only"]
    if len(args) != 1:
        print("usage: desktop_test.py <morvek> [--placement-only]")
        return 2
    for tool in ("xdotool", "xprop", "xdpyinfo", "import", "xmessage"):
        if not shutil.which(tool):
            print("SKIP: %s is not installed (scripts/install-deps.sh installs it)" % tool)
            return 77
    if "window id" not in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                         capture_output=True, text=True).stdout:
        print("SKIP: no window manager on this display (run it through run-under-openbox.sh)")
        return 77
    morvek = os.path.abspath(args[0])
    frame = os.environ.get("MORVEK_WM_FRAME", "title")
    workdir = tempfile.mkdtemp(prefix="morvek-desktop-")
    config = os.path.join(workdir, "config")
    os.makedirs(os.path.join(config, "Tallowin", "Morvek"))
    with open(os.path.join(config, "Tallowin", "Morvek", "V1.ini"), "w") as f:
        f.write("[common]\ntongue=0\nmusic=0\n")
    os.environ.update(XDG_CONFIG_HOME=config, SDL_AUDIODRIVER="dummy", QT_QPA_PLATFORM="xcb")
    SHOTS.append(workdir)
    ok = False
    try:
        placement_start_after_start(morvek, config, workdir, frame)
        if not placement_only:
            balloons(morvek, config, workdir)
            drag_and_repaint(morvek, config, workdir)
        ok = True
    except Failure as e:
        print("FAIL: %s" % e)
    if ok:
        shutil.rmtree(workdir, ignore_errors=True)
        print("PASS")
        return 0
    print("screenshot, game logs and settings are in " + workdir)
    return 1


if __name__ == "__main__":
    sys.exit(main())
