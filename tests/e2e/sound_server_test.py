#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Sound reaches the desktop's sound server: a PulseAudio server with a null sink, the real game
# under Xvfb, and the sink's monitor recorded. A move's sound (SDL's pulse driver) shows in the
# recording soon after the click; a music piece plays as the server's own stream, and plays again
# once the server has restarted.
#
# Usage: sound_server_test.py <path to morvek>
# Exit codes: 0 passed, 1 failed, 77 skipped (pulseaudio, parec, Xvfb or xdotool missing).
import array
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

RATE = 44100
SEED = 7
# Generous: the figure itself is printed; this only catches a sound that never came.
LATEST_ONSET_MS = 500


def start_pulse(work):
    env = dict(os.environ, PULSE_RUNTIME_PATH=os.path.join(work, "pulse"),
               PULSE_STATE_PATH=os.path.join(work, "pulse-state"), HOME=work)
    os.makedirs(env["PULSE_RUNTIME_PATH"], mode=0o700, exist_ok=True)
    socket = os.path.join(env["PULSE_RUNTIME_PATH"], "native")
    log = open(os.path.join(work, "pulse.log"), "w")
    proc = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                             "--disable-shm=yes", "--load=module-null-sink sink_name=morvek_sink "
                             "rate=%d" % RATE,
                             "--load=module-native-protocol-unix socket=%s auth-anonymous=1" % socket],
                            env=env, stdout=log, stderr=subprocess.STDOUT)
    env["PULSE_SERVER"] = "unix:" + socket
    poll("the sound server", lambda: subprocess.run(["pactl", "info"], env=env, capture_output=True)
         .returncode == 0, 10, 0.1)
    return proc, env


def record(path, env):
    """Records the sink's monitor into `path` as raw interleaved stereo."""
    return subprocess.Popen(["parec", "-d", "morvek_sink.monitor", "--raw", "--format=s16le",
                             "--rate=%d" % RATE, "--channels=2", "--latency-msec=5", path], env=env)


def sink_inputs(env):
    """The server's playback streams with their properties, as pactl lists them."""
    return subprocess.run(["pactl", "list", "sink-inputs"], env=env, capture_output=True,
                          text=True).stdout


def samples(path):
    data = array.array("h")
    with open(path, "rb") as f:
        data.frombytes(f.read())
    return data  # interleaved stereo


def first_loud(data, from_frame, threshold=600):
    for i in range(from_frame * 2, len(data)):
        if abs(data[i]) > threshold:
            return i // 2
    return None


def run(s):
    s.start_xvfb()
    pulse, penv = start_pulse(s.workdir)
    try:
        config = os.path.join(s.workdir, "config")
        os.makedirs(os.path.join(config, "Tallowin", "Morvek"))
        ini = os.path.join(config, "Tallowin", "Morvek", "V1.ini")
        printed = subprocess.run([s.morvek, "--print-puzzle", "--seed", str(SEED)],
                                 capture_output=True, text=True, timeout=30)
        cols, rows, max_row_clues, max_col_clues, goal = e2e.parse_puzzle(printed.stdout)
        s.env = dict(penv, DISPLAY=s.display, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb",
                     XDG_STATE_HOME=os.path.join(s.workdir, "state"), SDL_AUDIODRIVER="pulseaudio")
        s.env.pop("WAYLAND_DISPLAY", None)
        recording = os.path.join(s.workdir, "monitor.raw")
        rec = record(recording, penv)
        poll("the recording to run", lambda: os.path.exists(recording) and
             os.path.getsize(recording) > RATE, 10, 0.05)

        # 1. A move's sound, music off: the first sound of the run, library and device included.
        with open(ini, "w") as f:
            f.write("[common]\ntongue=0\nmusic=0\n")
        log = open(os.path.join(s.workdir, "morvek.log"), "a")
        s.game = subprocess.Popen([s.morvek, "--seed", str(SEED)], env=s.env, stdout=log,
                                  stderr=subprocess.STDOUT)
        main = s.wait_window("the main window", 30, name="Morvek V1.0")
        cell, left, top = e2e.compute_layout(main[3], main[4] - e2e.TOOLBAR_HEIGHT, cols, rows,
                                             max_row_clues, max_col_clues)
        c, r = next((c, r) for r in range(rows) for c in range(cols) if goal[r * cols + c] == "1")
        x, y = main[1] + left + c * cell + cell // 2, main[2] + e2e.TOOLBAR_HEIGHT + top + r * cell + cell // 2
        s.x("mousemove", "--sync", x, y)
        time.sleep(1.0)  # quiet before the click
        clicked_at = os.path.getsize(recording) // 4
        s.x("click", 1)
        streams = sink_inputs(penv)
        for prop in ('application.name = "Morvek"', 'media.name = "Sounds"'):
            check(prop in streams, "the sounds' stream lacks %s:\n%s" % (prop, streams))
        time.sleep(1.5)
        data = samples(recording)
        onset = first_loud(data, clicked_at)
        check(onset is not None, "the move's sound never reached the sound server")
        latency = (onset - clicked_at) * 1000.0 / RATE
        print("a move's sound reached the sink %.1f ms after the click (recording's own delay "
              "included)" % latency)
        check(latency < LATEST_ONSET_MS, "the move's sound came %.0f ms after the click" % latency)
        s.game.send_signal(signal.SIGTERM)
        s.game.wait(timeout=20)

        # 2. Music on, no audio driver named (a desktop's case): a piece plays as a stream of the
        # server's own, named for the desktop's mixer, and SDL is not loaded for it.
        with open(ini, "w") as f:
            f.write("[common]\ntongue=0\nmusic=1\n")
        s.x("mousemove", "--sync", 0, 0)  # no effects' warm-up from a pointer over the board
        before = os.path.getsize(recording) // 4
        music_env = dict(s.env)
        music_env.pop("SDL_AUDIODRIVER", None)
        s.game = subprocess.Popen([s.morvek, "--seed", str(SEED)], env=music_env, stdout=log,
                                  stderr=subprocess.STDOUT)
        s.wait_window("the main window", 30, name="Morvek V1.0")
        time.sleep(4)
        data = samples(recording)
        loud = sum(1 for v in data[before * 2:] if abs(v) > 600)
        print("music: %d loud samples in %.1f s" % (loud, (len(data) // 2 - before) / RATE))
        check(loud > RATE // 10, "no music reached the sound server")
        with open("/proc/%d/maps" % s.game.pid) as f:
            mapped = {os.path.basename(line.split()[-1]) for line in f if ".so" in line}
        check(any(name.startswith("libpulse.so") for name in mapped),
              "the music does not use the sound server's client")
        check(not any(name.startswith("libSDL2") for name in mapped),
              "SDL was loaded for the music alone")
        streams = sink_inputs(penv)
        for prop in ('application.name = "Morvek"', 'media.role = "music"', 'media.name = "Music"'):
            check(prop in streams, "the music's stream lacks %s:\n%s" % (prop, streams))

        # 3. The sound server restarts while the music plays (as a desktop's may): the piece
        # starts again on the new server.
        rec.terminate()
        rec.wait()
        pulse.terminate()
        pulse.wait()
        pulse, penv = start_pulse(s.workdir)
        recording = os.path.join(s.workdir, "monitor-after-restart.raw")
        rec = record(recording, penv)

        def music_again():
            return os.path.exists(recording) and sum(1 for v in samples(recording)
                                                     if abs(v) > 600) > RATE // 10
        poll("the music on the restarted sound server", music_again, 15, 0.5)
        check(s.game.poll() is None, "the game ended with the sound server")
        s.game.send_signal(signal.SIGTERM)
        s.game.wait(timeout=20)
        rec.terminate()
        rec.wait()
    finally:
        pulse.terminate()
        pulse.wait()


def main():
    if len(sys.argv) != 2:
        print("usage: sound_server_test.py <path to morvek>")
        return 2
    for tool in ("pulseaudio", "parec", "pactl", "Xvfb", "xdotool"):
        if not shutil.which(tool):
            print("SKIP: %s is not installed" % tool)
            return 77
    workdir = tempfile.mkdtemp(prefix="morvek-sound-")
    e2e.DEADLINE = time.monotonic() + 100
    s = e2e.Session(workdir, os.path.abspath(sys.argv[1]), SEED)
    ok = False
    try:
        run(s)
        ok = True
    except Failure as e:
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
    print("the recording and logs are in " + workdir)
    return 1


if __name__ == "__main__":
    sys.exit(main())
