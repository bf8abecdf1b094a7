#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# A level in progress survives every way out of the real game under Xvfb: the door, SIGTERM and
# kill -9 (moves older than 10 s), and comes back paused with its cells and time; solved, its
# time with the earlier runs' counts in the best list. A damaged or linked kept level costs only
# itself.
#
# Usage: resume_test.py <path to morvek>
# Exit codes: 0 passed, 1 failed, 77 skipped (Xvfb or xdotool missing).
import configparser
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_test as e2e  # noqa: E402
from e2e_test import Failure, check, poll  # noqa: E402

SEED = 5
START_TIME = 100


def kept_path(s):
    return os.path.join(s.workdir, "state", "morvek", "level.ini")


def read_kept(s):
    with open(kept_path(s)) as f:
        values = dict(line.split("=", 1) for line in f.read().splitlines()[1:] if "=" in line)
    rows = [values["row%d" % r] for r in range(1, 8)]
    return values, rows


def write_kept(s, goal, cols, rows):
    """A level as an earlier run kept it: nothing uncovered yet, 100 s on the clock."""
    os.makedirs(os.path.dirname(kept_path(s)), exist_ok=True)
    lines = ["[level]", "version=1", "owner=0", "mode=1", "time=%d" % START_TIME, "random=12345",
             "tile=2", "rowsdone=" + "0" * rows, "colsdone=" + "0" * cols]
    for r in range(rows):
        lines.append("row%d=" % (r + 1) + "".join("#" if goal[r * cols + c] == "1" else "."
                                                  for c in range(cols)))
    with open(kept_path(s), "w") as f:
        f.write("\n".join(lines) + "\n")


def start(s, wait=True):
    log = open(os.path.join(s.workdir, "morvek.log"), "a")
    s.game = subprocess.Popen([s.morvek], env=s.env, stdout=log, stderr=subprocess.STDOUT)
    return s.wait_window("the main window", 30, name="Morvek V1.0") if wait else None


def cell_centre(main, layout, c, r):
    cell, left, top = layout
    return (main[1] + left + c * cell + cell // 2,
            main[2] + e2e.TOOLBAR_HEIGHT + top + r * cell + cell // 2)


def close_by_door(s, main, question_seen=True):
    s.click(main[1] + main[3] - 52 + 25, main[2] + 4 + 25)
    question = s.wait_window("the close question", 10, size=e2e.YESNO_SIZE)
    s.key(question[0], "y")
    poll("the game to end", lambda: s.game.poll() is not None, 20, 0.1)


def run(s):
    s.start_xvfb()
    config = os.path.join(s.workdir, "config")
    os.makedirs(os.path.join(config, "Tallowin", "Morvek"))
    with open(os.path.join(config, "Tallowin", "Morvek", "V1.ini"), "w") as f:
        f.write("[common]\ntongue=0\nmusic=0\n")
    runtime = os.path.join(s.workdir, "runtime")
    os.makedirs(runtime, mode=0o700)
    s.env = dict(os.environ, DISPLAY=s.display, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime,
                 XDG_STATE_HOME=os.path.join(s.workdir, "state"), SDL_AUDIODRIVER="dummy",
                 QT_QPA_PLATFORM="xcb")
    s.env.pop("WAYLAND_DISPLAY", None)
    printed = subprocess.run([s.morvek, "--print-puzzle", "--seed", str(SEED)], env=s.env,
                             capture_output=True, text=True, timeout=30)
    cols, rows, max_row_clues, max_col_clues, goal = e2e.parse_puzzle(printed.stdout)
    filled = [(c, r) for r in range(rows) for c in range(cols) if goal[r * cols + c] == "1"]
    write_kept(s, goal, cols, rows)

    # 1. The kept level comes back paused; a click on the board goes on; moves; the door.
    main = start(s)
    layout = e2e.compute_layout(main[3], main[4] - e2e.TOOLBAR_HEIGHT, cols, rows,
                                max_row_clues, max_col_clues)
    s.screenshot("resumed-paused")
    time.sleep(3)  # paused: the clock stands still
    resumed_at = time.monotonic()
    s.click(*cell_centre(main, layout, *filled[0]))  # goes on, no move
    for c, r in filled[:3]:
        s.click(*cell_centre(main, layout, c, r))
    time.sleep(1.2)
    close_by_door(s, main)
    played = time.monotonic() - resumed_at
    values, board = read_kept(s)
    check(values["owner"] == "0", "a closed level names no owner: %r" % values["owner"])
    check(START_TIME < int(values["time"]) <= START_TIME + played + 1,
          "%s s kept after %.1f s of play from %d s" % (values["time"], played, START_TIME))
    check(all(board[r][c] == "o" for c, r in filled[:3]), "the moves were not kept: %r" % board)
    check(int(values["time"]) >= START_TIME + 1, "the time was not kept: %s" % values["time"])
    print("door: kept %s s and 3 moves" % values["time"])

    # 2. SIGTERM keeps the moves since.
    main = start(s)
    s.click(*cell_centre(main, layout, *filled[0]))  # goes on
    s.click(*cell_centre(main, layout, *filled[3]))
    time.sleep(0.5)
    s.game.send_signal(signal.SIGTERM)
    poll("the game to end on SIGTERM", lambda: s.game.poll() is not None, 20, 0.1)
    values, board = read_kept(s)
    check(board[filled[3][1]][filled[3][0]] == "o", "SIGTERM lost the move: %r" % board)
    print("SIGTERM: kept")

    # 3. kill -9: a move older than 10 s is kept, the dead copy's level is taken again.
    main = start(s)
    s.click(*cell_centre(main, layout, *filled[0]))
    s.click(*cell_centre(main, layout, *filled[4]))
    time.sleep(11)
    s.game.kill()
    s.game.wait()
    values, board = read_kept(s)
    check(board[filled[4][1]][filled[4][0]] == "o", "kill -9 lost a move older than 10 s")
    check(values["owner"] == str(s.game.pid), "the running copy names itself: %r" % values["owner"])
    kept_time = int(values["time"])
    print("kill -9: kept after 10 s, %d s" % kept_time)

    # 4. Solved at last: the best list holds the time of every run, and the level is kept no more.
    main = start(s)
    s.click(*cell_centre(main, layout, *filled[0]))
    clicks = []
    for c, r in filled[5:]:
        clicks += ["mousemove", *cell_centre(main, layout, c, r), "click", "1"]
    s.x(*clicks, timeout=60)
    solved = s.wait_window("the solved message", 60, size=e2e.YESNO_SIZE)
    s.key(solved[0], "Return")
    best = s.wait_window("the best list", 10, size=e2e.HIGHSCORE_SIZE)
    s.x("windowfocus", "--sync", best[0])
    s.x("key", "--delay", 30, "ctrl+a")
    s.x("type", "--delay", 30, "Resumer")
    s.x("key", "Return")
    s.wait_gone("the best list", best[0], 10)
    check(not os.path.exists(kept_path(s)), "a solved level is still kept")
    main = s.wait_window("the main window", 10, name="Morvek V1.0")
    close_by_door(s, main)
    check(not os.path.exists(kept_path(s)), "a fresh level without a move was kept")
    scrambler = e2e.load_scrambler()

    parser = configparser.RawConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    parser.read(os.path.join(config, "Tallowin", "Morvek", "V1.ini"))
    entry = scrambler.scramble(e2e.ini_text(parser.get("common", "hs10")), e2e.SCRAMBLER_KEY,
                               backwards=True)
    score, name = entry.split(",", 1)
    check(name == "Resumer" and int(score) >= kept_time,
          "best list entry %r, expected Resumer with at least %d s" % (entry, kept_time))
    print("solved over four runs in %s s" % score)

    # 5. A damaged kept level: told once, kept aside, a new level begins.
    with open(kept_path(s), "wb") as f:
        f.write(b"[level]\nversion=1\nmode=\x00\xff\n")
    start(s, wait=False)
    notice = s.wait_window("the notice of the damaged level", 30)
    s.screenshot("damaged-notice")
    check("Morvek V1.0" not in notice[5], "no notice of the damaged level")
    poll("the damaged level kept aside", lambda: os.path.exists(kept_path(s) + ".damaged"), 10)
    check(not os.path.exists(kept_path(s)), "the damaged level is still in place")
    s.game.kill()
    s.game.wait()

    # 6. A link in place of the kept level is not followed, nor written through.
    target = os.path.join(s.workdir, "elsewhere.txt")
    with open(target, "w") as f:
        f.write("not a level\n")
    os.symlink(target, kept_path(s))
    start(s, wait=False)
    s.wait_window("the notice of the link", 30)
    s.game.send_signal(signal.SIGTERM)
    poll("the game to end", lambda: s.game.poll() is not None, 20, 0.1)
    with open(target) as f:
        check(f.read() == "not a level\n", "the link was written through")
    check(os.path.islink(kept_path(s)), "the link was replaced")
    print("damaged and linked kept levels: left alone")


def main():
    if len(sys.argv) != 2:
        print("usage: resume_test.py <path to morvek>")
        return 2
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            print("SKIP: %s is not installed" % tool)
            return 77

    def stop(number, frame):
        raise Failure("stopped by signal %d" % number)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    workdir = tempfile.mkdtemp(prefix="morvek-resume-")
    e2e.DEADLINE = time.monotonic() + 150
    s = e2e.Session(workdir, os.path.abspath(sys.argv[1]), SEED)
    ok = False
    try:
        run(s)
        ok = True
    except Failure as e:
        s.screenshot("failure")
        print("FAIL: %s" % e)
    finally:
        if s.game and s.game.poll() is None:
            s.game.kill()
            s.game.wait()
        if s.xvfb:
            s.xvfb.terminate()
            s.xvfb.wait(timeout=10)
    if ok:
        shutil.rmtree(workdir, ignore_errors=True)
        print("PASS")
        return 0
    print("screenshots and the game's output are in " + workdir)
    return 1


if __name__ == "__main__":
    sys.exit(main())
