#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A display that cannot be opened, or a window system that does not exist, ends the game with its
# own one-line message and exit code 1 (Qt alone would abort after a screenful of text).
set -u
morvek="$1"
cfg=$(mktemp -d)
trap 'rm -rf "$cfg"' EXIT
failures=0
check() {
  local name="$1"; shift
  env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$cfg" SDL_AUDIODRIVER=dummy \
    timeout 20 "$@" >"$cfg/out" 2>"$cfg/err"
  local rc=$?
  if [ "$rc" -ne 1 ] || [ "$(wc -l <"$cfg/err")" -ne 1 ] || ! grep -q '^morvek: no display' "$cfg/err"; then
    echo "$name: exit code $rc, stderr:"; cat "$cfg/err"
    failures=$((failures + 1))
  else
    echo "$name: one line, exit code 1"
  fi
}
# A display number nobody serves (":999" unless another test's X server happens to have it).
n=999
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
check "-display :$n" env DISPLAY=":$n" "$morvek" -display ":$n"
check "-platform nonexistent" env DISPLAY=":$n" "$morvek" -platform nonexistent
check "DISPLAY=:$n" env DISPLAY=":$n" "$morvek"
exit $((failures > 0))
