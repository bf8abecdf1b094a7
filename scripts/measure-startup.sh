#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up of Morvek side by side with sgt-pattern (Debian's sgt-puzzles), when installed.
#
# Usage: scripts/measure-startup.sh [runs (default 7)] [morvek ...] [--music off|on|both] [--hover S]
#                                   [--audio server|dummy] [--no-pattern]
#   With several Morvek programs (say the build before and after a change) all of them run, in
#   turn, in the same runs.
#
# Method: one Xvfb server (1280x1024x24, no window manager) and one D-Bus session bus, as a desktop
# has, for all runs; each run starts every program once, in turn. Morvek gets a fresh
# XDG_CONFIG_HOME and XDG_STATE_HOME (no level kept by an earlier start), whose settings hold
# "tongue=0" (no language question) and music off and on (each Morvek program runs twice; --music
# off or on for one of them; on is what the default settings give). Sound goes to a PulseAudio
# server with a null sink, as a desktop has a sound server (--audio dummy, or without pulseaudio:
# SDL_AUDIODRIVER=dummy and no server). A Python helper talks to the X server through libX11 and
# records from just before each process starts:
#   mapped      - the first moment its viewable top-level window exists;
#   first frame - the first moment from which ten probe pixels of the window (one near the top,
#                 a 3 x 3 grid over the rest) show the colours they still show 1.5 s after the
#                 mapping;
#   libraries   - the shared libraries mapped into the process at that first frame;
#   click       - 1.5 s after the mapping the pointer moves to the middle of the game area, rests
#                 there (--hover S, default 0.5 s) and clicks through XTest: the time from the
#                 press to the first changed pixel of the 21 x 21 area around the pointer.
# Probes run about every 2 ms. The programs are then killed. Each run, the medians and each
# program's ratio to sgt-pattern are printed.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
bash "$ROOT/scripts/install-measure-deps.sh"
exec python3 "$ROOT/scripts/measure.py" startup --root "$ROOT" "$@"
