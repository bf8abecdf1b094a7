#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Memory and idle cost of Morvek side by side with sgt-pattern (Debian's sgt-puzzles), when
# installed: what a game shown on screen and left alone costs.
#
# Usage: scripts/measure-idle.sh [runs (default 7)] [morvek ...] [--seconds S (default 30)]
#                                [--size WxH] [--music off|on|both] [--audio server|dummy]
#                                [--no-pattern]
#
# Method: one Xvfb server, each run starts every program once, in turn, settings as in
# measure-startup.sh; --size resizes the window as soon as it shows. Per program:
#   RSS        - resident memory 3 s after the start;
#   idle CPU   - CPU time of all its threads in the S seconds after that (from schedstat, in ns);
#   wake-ups/s - how often its threads were scheduled in that span;
#   libraries  - shared libraries mapped 3 s after the start.
# Medians and each program's ratio to sgt-pattern are printed.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
bash "$ROOT/scripts/install-measure-deps.sh"
exec python3 "$ROOT/scripts/measure.py" idle --root "$ROOT" "$@"
