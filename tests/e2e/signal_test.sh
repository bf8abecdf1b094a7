#!/usr/bin/env bash
# The game must end on SIGTERM once its audio is open (SDL would otherwise swallow the signal).
set -u
morvek="$1"
cfg=$(mktemp -d)
trap 'rm -rf "$cfg"' EXIT
mkdir -p "$cfg/Tallowin/Morvek"
printf '[common]\ntongue=0\n' > "$cfg/Tallowin/Morvek/V1.ini"
XDG_CONFIG_HOME="$cfg" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$morvek" --seed 1 &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then echo "the game did not start"; exit 1; fi
kill -TERM "$pid"
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || { echo "ended on SIGTERM"; exit 0; }
  sleep 0.1
done
kill -KILL "$pid"
echo "the game ignored SIGTERM"
exit 1
