#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The game on a Wayland compositor (weston, headless) with Qt's wayland platform: it starts, and
# the window keeps its size over several starts (the compositor places it, so only the inside is
# stored). Usage: wayland_test.sh <morvek>. Exit codes: 0 passed, 1 failed, 77 skipped.
set -uo pipefail
morvek=$1
command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
[ -n "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland*' -print -quit 2>/dev/null)" ] ||
  { echo "SKIP: Qt's wayland platform is not installed (qt6-wayland)"; exit 77; }
work=$(mktemp -d /tmp/morvek-wayland.XXXXXX)
weston_pid=""
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=morvek-test-$$
weston --backend=headless-backend.so --socket="$socket" --width=1280 --height=800 \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && break; sleep 0.05; done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || { cat "$work/weston.log"; echo "FAIL: weston did not start"; exit 1; }

ini=$work/config/Tallowin/Morvek/V1.ini
mkdir -p "$(dirname "$ini")"
printf '[common]\ntongue=0\nmusic=0\n' >"$ini"
records=()
for start in 1 2 3 4; do
  env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland XDG_CONFIG_HOME="$work/config" \
    XDG_STATE_HOME="$work/state" SDL_AUDIODRIVER=dummy "$morvek" --seed 1 >"$work/game.log" 2>&1 &
  game=$!
  sleep 3
  kill -0 "$game" 2>/dev/null || { cat "$work/game.log"; echo "FAIL: the game did not start"; exit 1; }
  kill -TERM "$game"
  wait "$game"
  record=$(sed -n 's/^MainForm="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' "$ini")
  echo "start $start: MainForm=$record"
  records+=("$record")
done
[ "$(printf '%s\n' "${records[@]}" | sort -u | wc -l)" = 1 ] ||
  { echo "FAIL: the window's size changes from start to start"; exit 1; }
IFS=, read -r _ _ _ left top right bottom <<<"${records[0]}"
[ $((right - left)) -ge 750 ] && [ $((bottom - top)) -ge 480 ] ||
  { echo "FAIL: below the smallest size: ${records[0]}"; exit 1; }
echo "PASS"
