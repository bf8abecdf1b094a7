#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# End-to-end run of the real game under Xvfb: language, a solved board, a best-list entry, close.
#
# Usage: e2e_test.py <path to morvek> [--seed N] [--mode M] [--keyboard] [--keep]
# Exit codes: 0 passed, 1 failed, 77 skipped (Xvfb or xdotool missing).
import argparse
import configparser
import contextlib
import importlib.util
import io
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SCRAMBLER_REFERENCE = os.path.join(HERE, "..", "platform", "fixtures", "scrambler_reference.py")

TOOLBAR_HEIGHT = 57
TONGUE_SIZE = (408, 162)
YESNO_SIZE = (319, 158)
HIGHSCORE_SIZE = (320, 476)
PLAYER = "Tester, QA"
SCRAMBLER_KEY = 47261
CURSOR_YELLOW = (254, 201, 18)
# Every wait ends by this many seconds after the start, well inside CTest's limit, so that a hang
# is reported here, with screenshots, and Xvfb and the game are stopped.
TOTAL_SECONDS = 100
DEADLINE = time.monotonic() + TOTAL_SECONDS


class Failure(Exception):
    pass


def check(condition, text):
    if not condition:
        raise Failure(text)


def poll(what, probe, timeout, interval=0.05):
    """Calls probe until it returns something true; fails after timeout seconds."""
    end = min(time.monotonic() + timeout, DEADLINE)
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > end:
            raise Failure("timed out waiting for %s" % what)
        time.sleep(interval)


def lock_owner(number):
    try:
        with open("/tmp/.X%d-lock" % number) as f:
            return int(f.read().strip())
    except (OSError, ValueError):
        return None


class Session:
    def __init__(self, workdir, morvek, seed):
        self.workdir = workdir
        self.morvek = morvek
        self.seed = seed
        self.shots = 0
        self.xvfb = None
        self.game = None
        self.env = None

    # --- X server -------------------------------------------------------------------------

    def start_xvfb(self):
        if os.environ.get("MORVEK_WM"):
            # Run by the window-manager harness: its display, its window manager.
            self.display = os.environ["DISPLAY"]
            return
        # Try displays from a random start; Xvfb refuses a display that holds a lock, and the
        # socket check skips the ones in use without waiting for that refusal. Without -noreset
        # the server resets when its last client leaves (the readiness probe below), and a game
        # starting just then finds no display.
        first = 90 + random.randrange(400)
        for number in range(first, first + 40):
            if os.path.exists("/tmp/.X11-unix/X%d" % number) or os.path.exists(
                "/tmp/.X%d-lock" % number
            ):
                continue
            log = open(os.path.join(self.workdir, "xvfb.log"), "w")
            proc = subprocess.Popen(
                ["Xvfb", ":%d" % number, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
                stdout=log,
                stderr=subprocess.STDOUT,
            )
            env = dict(os.environ, DISPLAY=":%d" % number)
            end = time.monotonic() + 10
            while time.monotonic() < end and proc.poll() is None:
                # Ours only when its lock names our server: another one may have won the number.
                if lock_owner(number) == proc.pid and subprocess.run(
                        ["xdotool", "getmouselocation"], env=env, stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL).returncode == 0:
                    self.xvfb = proc
                    self.display = ":%d" % number
                    return
                time.sleep(0.05)
            proc.kill()
            proc.wait()
        raise Failure("could not start Xvfb on any display")

    def x(self, *args, check_rc=True, timeout=30):
        r = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True,
                           timeout=timeout)
        if check_rc and r.returncode != 0:
            raise Failure("xdotool %s failed: %s" % (" ".join(map(str, args)), r.stderr.strip()))
        return r.stdout

    def screenshot(self, name):
        if not self.env or not shutil.which("import"):
            return
        self.shots += 1
        path = os.path.join(self.workdir, "%02d-%s.png" % (self.shots, name))
        subprocess.run(["import", "-window", "root", path], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)

    def pixel(self, x, y):
        """The colour of one screen pixel as (r, g, b)."""
        out = subprocess.run(["import", "-window", "root", "-crop", "1x1+%d+%d" % (x, y), "-depth", "8",
                              "txt:-"], env=self.env, capture_output=True, text=True, timeout=30).stdout
        m = re.search(r"\((\d+),(\d+),(\d+)", out.splitlines()[-1] if out else "")
        return tuple(map(int, m.groups())) if m else None

    # --- windows of the game ---------------------------------------------------------------

    def windows(self):
        """Visible windows of the game process: list of (id, x, y, w, h, name)."""
        out = self.x("search", "--onlyvisible", "--pid", self.game.pid, check_rc=False)
        found = []
        for wid in out.split():
            # xwininfo, not xdotool: xdotool counts a window manager's frame twice.
            info = subprocess.run(["xwininfo", "-id", wid], env=self.env, capture_output=True,
                                  text=True).stdout
            values = dict(re.findall(r"^\s*(Absolute upper-left X|Absolute upper-left Y|Width|Height):"
                                     r"\s+(-?\d+)", info, re.M))
            if len(values) != 4:
                continue
            name = self.x("getwindowname", wid, check_rc=False).strip()
            found.append((wid, int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                          int(values["Width"]), int(values["Height"]), name))
        return found

    def frame(self, wid):
        """The window manager's frame round a window: left, right, top, bottom (0 without one)."""
        out = subprocess.run(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"], env=self.env,
                             capture_output=True, text=True).stdout
        m = re.search(r"= (\d+), (\d+), (\d+), (\d+)", out)
        return tuple(map(int, m.groups())) if m else (0, 0, 0, 0)

    def window(self, what, size=None, name=None):
        for w in self.windows():
            if (size is None or w[3:5] == size) and (name is None or w[5] == name):
                return w
        return None

    def wait_window(self, what, timeout, size=None, name=None):
        def probe():
            self.check_alive()
            return self.window(what, size, name)

        return poll(what, probe, timeout)

    def wait_gone(self, what, wid, timeout):
        poll(what + " to close",
             lambda: self.check_alive() or all(w[0] != wid for w in self.windows()), timeout)

    def check_alive(self):
        if self.game.poll() is not None:
            raise Failure("the game ended early with exit code %d" % self.game.returncode)

    def click(self, x, y, button=1):
        self.x("mousemove", "--sync", x, y, "click", button)

    def key(self, wid, *keys):
        # No window manager: give the dialog the focus ourselves, then type.
        self.x("windowfocus", "--sync", wid)
        self.x("key", "--delay", 30, *keys)


def parse_puzzle(text):
    lines = text.splitlines()
    width = int(lines[0].split()[1])
    height = int(lines[1].split()[1])
    check(lines[2] == "rows" and lines[3 + height] == "columns", "unexpected puzzle text:\n" + text)
    rows = [l.split(",") if l else [] for l in lines[3:3 + height]]
    cols = [l.split(",") if l else [] for l in lines[4 + height:4 + height + width]]
    goal = re.fullmatch(r'goal "([01]*)"', lines[4 + height + width]).group(1)
    check(len(goal) == width * height, "goal has %d cells, expected %d" % (len(goal), width * height))
    return width, height, max(map(len, rows)), max(map(len, cols)), goal


def compute_layout(W, H, col_count, row_count, max_row_clues, max_col_clues):
    """The game's board layout: cell size and the board's top left corner in the board area."""
    cw = W // (col_count + max_row_clues + 1)
    ch = H // (row_count + max_col_clues + 1)
    cell = min(cw, ch)
    left = (W - cell * (col_count + max_row_clues)) // 2 + max_row_clues * cell
    top = (H - cell * (row_count + max_col_clues)) // 2 + max_col_clues * cell
    return cell, left, top


def load_scrambler():
    module_spec = importlib.util.spec_from_file_location("scrambler_reference", SCRAMBLER_REFERENCE)
    module = importlib.util.module_from_spec(module_spec)
    with contextlib.redirect_stdout(io.StringIO()):  # it prints its vectors when loaded
        module_spec.loader.exec_module(module)
    return module


def ini_text(raw):
    """A value as QSettings writes it in an INI file: maybe quoted, with backslash escapes."""
    raw = raw.strip()
    if len(raw) >= 2 and raw[0] == raw[-1] == '"':
        raw = raw[1:-1]
    out, i = [], 0
    while i < len(raw):
        c = raw[i]
        if c != "\\" or i + 1 == len(raw):
            out.append(c)
            i += 1
            continue
        n = raw[i + 1]
        if n == "x":
            m = re.match(r"[0-9a-fA-F]{1,4}", raw[i + 2:])
            out.append(chr(int(m.group(0), 16)))
            i += 2 + len(m.group(0))
            continue
        out.append({"n": "\n", "r": "\r", "t": "\t", "0": "\0"}.get(n, n))
        i += 2
    return "".join(out)


def check_settings(path, layout_window, mode):
    check(os.path.exists(path), "no settings file at " + path)
    with open(path, encoding="utf-8") as f:
        text = f.read()
    parser = configparser.RawConfigParser(interpolation=None, strict=False)
    parser.optionxform = str  # value names keep their case
    parser.read_string(text)
    check(parser.has_section("common"), "no [common] group in the settings:\n" + text)
    values = {k: ini_text(v) for k, v in parser.items("common")}
    # Only what this run changed is written: the options left as they were stay out of the file.
    expected = {"mode": None if mode == 1 else str(mode), "tongue": "0", "sound": None,
                "music": None, "backmode": None}
    for name, want in expected.items():
        check(values.get(name) == want,
              "settings value %r is %r, expected %r\n%s" % (name, values.get(name), want, text))
    check(values.get("player") == PLAYER, "player is %r, expected %r" % (values.get("player"), PLAYER))

    placement = values.get("MainForm", "").split(",")
    check(len(placement) == 7 and placement[0] == "200" and all(re.fullmatch(r"-?\d+", f) for f in placement),
          "MainForm is %r, expected 7 integers starting with 200" % values.get("MainForm"))
    check(placement[2] == "1", "MainForm show command is %r, expected 1 (normal)" % placement[2])
    left, top, right, bottom = map(int, placement[3:])
    _, x, y, w, h, _ = layout_window
    check((left, top, right - left, bottom - top) == (x, y, w, h),
          "MainForm rectangle %r does not match the window at %d,%d %dx%d" % (placement[3:], x, y, w, h))

    scrambler = load_scrambler()
    key = "hs%d" % mode
    scrambled = values.get(key + "0")
    check(scrambled, "no best-list entry %s0 in the settings:\n%s" % (key, text))
    plain = scrambler.scramble(scrambled, SCRAMBLER_KEY, backwards=True)
    m = re.fullmatch(r"(\d+),(.*)", plain)
    check(m and m.group(2) == PLAYER and int(m.group(1)) < 600,
          "%s0 unscrambles to %r, expected '<seconds>,%s'" % (key, plain, PLAYER))
    # The other 14 rows are the defaults that the dialog wrote back with the new entry.
    for i in range(1, 15):
        row = scrambler.scramble(values.get("%s%d" % (key, i), ""), SCRAMBLER_KEY, backwards=True)
        check(row == "9999999,Mr. Brain", "%s%d unscrambles to %r, expected a default row" % (key, i, row))
    return int(m.group(1))


def play_by_mouse(s, main, cell, left, top, cols, rows, goal):
    _, wx, wy, _, _, _ = main
    # Uncover every filled cell. Completed lines mark themselves with a pause per cell while the
    # game handles no events; the X server queues our clicks meanwhile, so they keep their order.
    clicks = []
    for r in range(rows):
        for c in range(cols):
            if goal[r * cols + c] == "1":
                clicks += ["mousemove", wx + left + c * cell + cell // 2,
                           wy + TOOLBAR_HEIGHT + top + r * cell + cell // 2, "click", "1"]
    # xdotool waits while the game is busy marking, so the clicks take as long as the marking.
    s.x(*clicks, timeout=30 + cols * rows // 4)


def play_by_keyboard(s, main, cell, left, top, cols, rows, goal):
    """Uncovers every filled cell with the arrow keys and Space, the board cursor in view."""
    _, wx, wy, _, _, _ = main
    s.x("windowfocus", "--sync", main[0])
    # The first arrow shows the cursor on the top-left cell: a yellow frame along its edge.
    s.x("key", "Right")
    if shutil.which("import"):  # ImageMagick reads the screen
        corner = (wx + left, wy + TOOLBAR_HEIGHT + top)
        poll("the cursor's frame on the top-left cell",
             lambda: s.pixel(*corner) == CURSOR_YELLOW, 10)
        s.screenshot("cursor")
    # Row by row from the left: Space on each filled cell, Home and Down to the next row.
    keys = []
    for r in range(rows):
        for c in range(cols):
            if goal[r * cols + c] == "1":
                keys.append("space")
            if c + 1 < cols:
                keys.append("Right")
        keys += ["Home", "Down"]
    # The game queues the keys while it marks completed lines, as it does with clicks.
    s.x("key", "--delay", 20, *keys, timeout=30 + cols * rows // 4)


def run(session):
    s = session
    s.start_xvfb()
    config = os.path.join(s.workdir, "config")
    runtime = os.path.join(s.workdir, "runtime")
    os.makedirs(config)
    os.makedirs(runtime, mode=0o700)
    if s.mode != 1:
        # The size level the player chose last time: the first board comes at that size.
        os.makedirs(os.path.join(config, "Tallowin", "Morvek"))
        with open(os.path.join(config, "Tallowin", "Morvek", "V1.ini"), "w") as f:
            f.write("[common]\nmode=%d\n" % s.mode)
    s.env = dict(os.environ, DISPLAY=s.display, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime,
                 SDL_AUDIODRIVER="dummy", QT_QPA_PLATFORM="xcb", LC_MESSAGES="de_DE.UTF-8")
    s.env.pop("LC_ALL", None)
    s.env.pop("WAYLAND_DISPLAY", None)

    printed = subprocess.run([s.morvek, "--print-puzzle", "--mode", str(s.mode), "--seed", str(s.seed)],
                             env=s.env, capture_output=True, text=True, timeout=30)
    check(printed.returncode == 0, "--print-puzzle failed: " + printed.stderr)
    cols, rows, max_row_clues, max_col_clues, goal = parse_puzzle(printed.stdout)

    log = open(os.path.join(s.workdir, "morvek.log"), "w")
    started = time.monotonic()
    s.game = subprocess.Popen([s.morvek, "--seed", str(s.seed)], env=s.env, stdout=log,
                              stderr=subprocess.STDOUT)

    main = s.wait_window("the main window", 30, name="Morvek V1.0")
    print("main window after %.2f s: %r" % (time.monotonic() - started, main[1:5]))

    # First run: the language question, centred on the screen.
    tongue = s.wait_window("the language question", 20, size=TONGUE_SIZE)
    check(tongue[1:3] == ((1280 - 408) // 2, (1024 - 162) // 2),
          "the language question is at %r, not centred" % (tongue[1:3],))
    s.screenshot("language")
    if s.keyboard:
        # A German desktop: the focus starts on German; Tab moves it to English, Enter presses it.
        s.key(tongue[0], "Tab", "Return")
    else:
        s.click(tongue[1] + 108 + 16 + 25, tongue[2] + 12 + 71 + 25)  # "I speak English"
    s.wait_gone("the language question", tongue[0], 10)

    main = s.wait_window("the main window", 10, name="Morvek V1.0")
    _, wx, wy, ww, wh, _ = main
    fl, fr, ft, fb = s.frame(main[0])
    check(ww + fl + fr >= 750 and wh + ft + fb >= 480,
          "main window %dx%d is below the minimum 750x480" % (ww + fl + fr, wh + ft + fb))
    cell, left, top = compute_layout(ww, wh - TOOLBAR_HEIGHT, cols, rows, max_row_clues, max_col_clues)
    check(cell > 4, "cell size %d is too small to click" % cell)
    s.screenshot("board")

    if s.keyboard:
        play_by_keyboard(s, main, cell, left, top, cols, rows, goal)
    else:
        play_by_mouse(s, main, cell, left, top, cols, rows, goal)

    # Each automatically marked cell holds the game for 200 ms.
    solved = s.wait_window('message 1 ("Hurrah, you did it!")', 60 + cols * rows // 4,
                           size=YESNO_SIZE)
    s.screenshot("solved")
    s.key(solved[0], "Return")
    s.wait_gone("message 1", solved[0], 10)

    best = s.wait_window("the best list in entry mode", 10, size=HIGHSCORE_SIZE)
    # Type the name only once the name field has the keyboard focus.
    s.x("windowfocus", "--sync", best[0])
    s.x("key", "--delay", 30, "ctrl+a")
    s.x("type", "--delay", 30, PLAYER)
    s.screenshot("name-typed")
    s.x("key", "--delay", 30, "Return")  # Enter confirms the name as the tick does
    s.wait_gone("the best list", best[0], 10)

    main = s.wait_window("the main window", 10, name="Morvek V1.0")
    main_frame = s.frame(main[0])
    s.screenshot("after-best-list")
    if s.keyboard:
        s.x("windowfocus", "--sync", main[0])
        s.x("key", "Escape")
    else:
        s.click(main[1] + main[3] - 52 + 25, main[2] + 4 + 25)  # exit button
    quit_msg = s.wait_window('message 3 ("Do you really want to go?")', 10, size=YESNO_SIZE)
    s.screenshot("quit-question")
    s.key(quit_msg[0], "y")

    poll("the game to end after answering Yes", lambda: s.game.poll() is not None, 20, 0.1)
    code = s.game.returncode
    check(code == 0, "the game ended with exit code %d" % code)

    # The record holds the outer rectangle, frame included.
    fl, fr, ft, fb = main_frame
    outer = (main[0], main[1] - fl, main[2] - ft, main[3] + fl + fr, main[4] + ft + fb, main[5])
    seconds = check_settings(os.path.join(config, "Tallowin", "Morvek", "V1.ini"), outer, s.mode)
    print("solved board with seed %d in %d s; settings as expected" % (s.seed, seconds))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("morvek")
    parser.add_argument("--seed", type=int, default=20240611)
    parser.add_argument("--mode", type=int, default=1, choices=range(1, 10), help="size level")
    parser.add_argument("--keep", action="store_true", help="keep the work folder on success")
    parser.add_argument("--keyboard", action="store_true", help="answer the dialogs and play the board with keys only")
    args = parser.parse_args()

    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            print("SKIP: %s is not installed (scripts/install-deps.sh installs it)" % tool)
            return 77
    if not os.access(args.morvek, os.X_OK):
        print("FAIL: no program at " + args.morvek)
        return 1

    # A kill of this script (a CTest time-out, Ctrl+C) still stops Xvfb and the game below.
    def stop(number, frame):
        raise Failure("stopped by signal %d" % number)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    workdir = tempfile.mkdtemp(prefix="morvek-e2e-")
    global DEADLINE
    # A larger board needs more time for its automatic marking.
    DEADLINE = time.monotonic() + TOTAL_SECONDS + (3 * args.mode + 7) * (2 * args.mode + 5) // 4
    session = Session(workdir, os.path.abspath(args.morvek), args.seed)
    session.mode = args.mode
    session.keyboard = args.keyboard
    ok = False
    try:
        run(session)
        ok = True
    except Failure as e:
        session.screenshot("failure")
        print("FAIL: %s" % e)
    finally:
        if session.game and session.game.poll() is None:
            session.game.kill()
            session.game.wait()
        if session.xvfb:
            session.xvfb.terminate()
            try:
                session.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                session.xvfb.kill()
                session.xvfb.wait()
    if ok and not args.keep:
        shutil.rmtree(workdir, ignore_errors=True)
        print("PASS")
        return 0
    print("screenshots, game log and settings are in " + workdir)
    if not ok:
        log = os.path.join(workdir, "morvek.log")
        if os.path.exists(log):
            with open(log) as f:
                print("--- game output ---\n" + f.read())
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
