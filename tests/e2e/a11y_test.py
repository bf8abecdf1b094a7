#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# What a screen reader sees of the real game: the accessibility tree over AT-SPI under Xvfb.
# The tool bar buttons are named push buttons with their hints, the counters say their values,
# and the board names the cell under the keyboard cursor once an arrow key has shown it.
#
# Usage: a11y_test.py <path to morvek> [--seed N]
# Exit codes: 0 passed, 1 failed, 77 skipped (a tool is missing).
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_test as e2e  # noqa: E402  (Xvfb, windows, puzzle text)

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
TOOLS = ("Xvfb", "xdotool", "dbus-daemon", "gdbus")


class Tree:
    """Reads the accessibility tree from the AT-SPI bus with gdbus."""

    def __init__(self, address):
        self.address = address

    def call(self, dest, path, method, *args):
        r = subprocess.run(["gdbus", "call", "--address", self.address, "--dest", dest,
                            "--object-path", path, "--method", method, *args],
                           capture_output=True, text=True, timeout=10)
        return r.stdout.strip()

    def text(self, dest, path, name):
        out = self.call(dest, path, "org.freedesktop.DBus.Properties.Get",
                        "org.a11y.atspi.Accessible", name)
        m = re.search(r"<(['\"])(.*)\1>", out)
        return m.group(2) if m else ""

    def children(self, dest, path):
        out = self.call(dest, path, "org.a11y.atspi.Accessible.GetChildren")
        return re.findall(r"\('([^']*)', (?:objectpath )?'([^']*)'\)", out)

    def role(self, dest, path):
        m = re.search(r"'(.*)'", self.call(dest, path, "org.a11y.atspi.Accessible.GetRoleName"))
        return m.group(1) if m else ""

    def nodes(self):
        """Every object below the applications: (role, name, description)."""
        found = []
        todo = self.children("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
        while todo and len(found) < 200:
            dest, path = todo.pop(0)
            found.append((self.role(dest, path), self.text(dest, path, "Name"),
                          self.text(dest, path, "Description")))
            todo += self.children(dest, path)
        return found


def run(s, workdir, seed):
    s.start_xvfb()
    config = os.path.join(workdir, "config")
    os.makedirs(os.path.join(config, "Tallowin", "Morvek"))
    with open(os.path.join(config, "Tallowin", "Morvek", "V1.ini"), "w") as f:
        f.write("[common]\ntongue=0\nmusic=0\n")
    runtime = os.path.join(workdir, "runtime")
    os.makedirs(runtime, mode=0o700)
    env = dict(os.environ, DISPLAY=s.display, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime,
               HOME=workdir, SDL_AUDIODRIVER="dummy", QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    env.pop("WAYLAND_DISPLAY", None)

    # A session bus of our own, and the accessibility bus on it.
    s.dbus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                              env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    env["DBUS_SESSION_BUS_ADDRESS"] = s.dbus.stdout.readline().strip()
    s.launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def a11y_address():
        out = subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus",
                              "--object-path", "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress"],
                             env=env, capture_output=True, text=True, timeout=10).stdout
        m = re.search(r"'(unix:[^']*)'", out)
        return m.group(1) if m else None

    tree = Tree(e2e.poll("the accessibility bus", a11y_address, 20, 0.2))
    s.env = env

    printed = subprocess.run([s.morvek, "--print-puzzle", "--seed", str(seed)], env=env,
                             capture_output=True, text=True, timeout=30)
    e2e.check(printed.returncode == 0, "--print-puzzle failed: " + printed.stderr)
    lines = printed.stdout.splitlines()
    rows = int(lines[1].split()[1])
    first_row_clues = lines[3].replace(",", " ")
    first_col_clues = lines[4 + rows].replace(",", " ")

    s.game = subprocess.Popen([s.morvek, "--seed", str(seed)], env=env,
                              stdout=open(os.path.join(workdir, "morvek.log"), "w"),
                              stderr=subprocess.STDOUT)
    main = s.wait_window("the main window", 30, name="Morvek V1.0")

    def node_named(pattern):
        def probe():
            s.check_alive()
            return next((n for n in tree.nodes() if re.fullmatch(pattern, n[1])), None)
        return probe

    board = e2e.poll("the board in the accessibility tree", node_named("Board"), 20, 0.3)
    e2e.check(board[2].startswith("Arrow keys move the frame"), "board description %r" % (board[2],))
    nodes = tree.nodes()
    expected = [("push button", "New game", "I want to start again. (F2)"),
                ("push button", "Pause", "I need a break. (P)"),
                ("push button", "Exit", "I have enough! (Esc)"),
                ("label", "Size: 10 by 7", "Columns by rows of the board"),
                ("label", "Time: 0 seconds", "Seconds of this game, penalties included")]
    for node in expected:
        e2e.check(node in nodes, "no %r in the accessibility tree:\n%s" % (node, "\n".join(map(repr, nodes))))

    # The first arrow key shows the cursor on the top-left cell; the board says which cell.
    s.x("windowfocus", "--sync", main[0])
    s.x("key", "Right")
    cell = "row 1, column 1, hidden; row clues %s, column clues %s" % (first_row_clues, first_col_clues)
    e2e.poll("the board to name the cursor's cell %r" % cell, node_named(re.escape(cell)), 10, 0.3)
    print("accessibility tree as expected; the board reads %r" % cell)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("morvek")
    parser.add_argument("--seed", type=int, default=20240611)
    args = parser.parse_args()
    missing = [t for t in TOOLS if not shutil.which(t)] + (
        [] if os.access(BUS_LAUNCHER, os.X_OK) else [BUS_LAUNCHER])
    if missing:
        print("SKIP: not installed: %s (scripts/install-deps.sh installs them)" % ", ".join(missing))
        return 77
    workdir = tempfile.mkdtemp(prefix="morvek-a11y-")
    s = e2e.Session(workdir, os.path.abspath(args.morvek), args.seed)
    s.dbus = s.launcher = None
    ok = False
    try:
        run(s, workdir, args.seed)
        ok = True
    except e2e.Failure as e:
        s.screenshot("failure")
        print("FAIL: %s" % e)
    finally:
        for proc in (s.game, s.launcher, s.dbus, s.xvfb):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
    if ok:
        shutil.rmtree(workdir, ignore_errors=True)
        print("PASS")
        return 0
    print("screenshots and game log are in " + workdir)
    return 1


if __name__ == "__main__":
    sys.exit(main())
