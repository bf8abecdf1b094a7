#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
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
  printf "${1:-[common]\ntongue=0\n}" > "$ini"
  run_game
}

# Another copy on the same settings, as it is.
run_game() {
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
  # The placement is saved; options this copy did not change are left as they are.
  if ! grep -q '^MainForm="200,' "$ini" || ! grep -q '^tongue=0' "$ini" ||
     grep -q '^sound=\|^music=\|^mode=' "$ini"; then
    echo "SIG$sig: not saved as a close saves:"; cat "$ini"
    failures=$((failures + 1))
  fi
  echo "ended on SIG$sig and saved"
done

# A signal while a notice of the start is open (a value of the wrong kind) ends the game too.
start_game '[common]\ntongue=0\nmode=@Rect(1 2 3 4)\n'
kill -TERM "$pid"
if wait_end 50; then
  echo "ended on SIGTERM during a notice at the start"
else
  kill -KILL "$pid"
  echo "SIGTERM during a notice at the start did not end the game"
  failures=$((failures + 1))
fi

# Two copies on one settings file, and a third that stores its choices while they run: each
# close keeps what the others stored, and the file stays whole.
start_game
first=$pid
run_game
second=$pid
printf '[common]\ntongue=0\nbackmode=4\nsound=0\n' > "$ini.new" && mv "$ini.new" "$ini"
kill -TERM "$first" "$second"
pid=$first
wait_end 50 || { kill -KILL "$first"; failures=$((failures + 1)); }
pid=$second
wait_end 50 || { kill -KILL "$second"; failures=$((failures + 1)); }
if ! grep -q '^backmode=4' "$ini" || ! grep -q '^sound=0' "$ini" ||
   ! grep -q '^MainForm="200,' "$ini" || [ "$(grep -c '^\[common\]' "$ini")" != 1 ] ||
   ls "$cfg/Tallowin/Morvek" | grep -qv '^V1\.ini$'; then
  echo "two copies lost or left something:"; cat "$ini"; ls -a "$cfg/Tallowin/Morvek"
  failures=$((failures + 1))
else
  echo "two copies kept the third's options"
fi

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
