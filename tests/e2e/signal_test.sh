#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP end the game once its audio is open (SDL would otherwise swallow
# them), saving what a close saves without asking; a second signal ends a slow save at once.
set -u
morvek="$1"
cfg=$(mktemp -d)
trap 'rm -rf "$cfg"' EXIT
ini="$cfg/Tallowin/Morvek/V1.ini"
failures=0

start_game() {
  rm -rf "$cfg/Tallowin"
  mkdir -p "$cfg/Tallowin/Morvek"
  printf '[common]\ntongue=0\n' > "$ini"
  XDG_CONFIG_HOME="$cfg" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$morvek" --seed 1 \
    2>"$cfg/stderr" &
  pid=$!
  sleep 2
  if ! kill -0 "$pid" 2>/dev/null; then echo "the game did not start"; exit 1; fi
}

# Waits up to $1 tenths of a second for the game to end; 0 when it did.
wait_end() {
  for _ in $(seq "$1"); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; return 0; }
    sleep 0.1
  done
  return 1
}

for sig in TERM INT HUP; do
  start_game
  kill -"$sig" "$pid"
  if ! wait_end 50; then
    kill -KILL "$pid"
    echo "the game ignored SIG$sig"
    failures=$((failures + 1))
    continue
  fi
  for line in 'sound=1' 'music=1' 'backmode=0' 'mode=1' 'MainForm="200,'; do
    if ! grep -q "^$line" "$ini"; then
      echo "SIG$sig: '$line' was not saved:"; cat "$ini"
      failures=$((failures + 1))
    fi
  done
  echo "ended on SIG$sig and saved"
done

# A folder in place of the lock makes every write wait before it fails: a second signal cuts that
# short.
start_game
mkdir "$ini.lock"
kill -TERM "$pid"
sleep 0.5
kill -TERM "$pid"
if wait_end 10; then
  echo "a second SIGTERM ended the game at once"
else
  kill -KILL "$pid"
  echo "a second SIGTERM did not end the game at once"
  failures=$((failures + 1))
fi
exit $((failures > 0))
