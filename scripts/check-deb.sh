#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# CI: installs the Debian package into this machine with apt-get, starts the game under Xvfb,
# then removes the package and whatever it pulled in, leaving the machine as it found it.
# Needs root (CI runs as root). Usage: scripts/check-deb.sh [package] (default build-deb/morvek_*.deb)
#
# A morvek package installed before (say, by a run that was cut short) is replaced by the one
# under test and removed with it at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

shopt -s nullglob
if [ $# -ge 1 ]; then debs=("$1"); else debs=(build-deb/morvek_*.deb); fi
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "check-deb: no single package: ${debs[*]} (scripts/package-deb.sh)" >&2; exit 1; }
deb=$(readlink -f "${debs[0]}")
ddeb=$(dirname "$deb")/morvek-dbgsym_$(basename "$deb" | cut -d_ -f2-)
ddeb=${ddeb%.deb}.ddeb
[ "$(id -u)" -eq 0 ] || { echo "check-deb: needs root: it installs the package into this machine" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive

work=$(mktemp -d -t morvek-deb-XXXXXX)
# The installed game writes its log only into the player's own state folder, even as root.
debug_log=$work/home/.local/state/morvek/HHDebug.txt
installed_packages() { dpkg-query -W -f='${db:Status-Status} ${Package}\n' | awk '$1 == "installed" { print $2 }' | sort; }
installed_packages | grep -vx morvek >"$work/before" || true
xvfb=""
game=""
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# What a Debian maintainer checks before signing: lintian without an error or a warning (its
# remaining remarks are fixed or overridden with a reason inside the package) ...
if command -v lintian >/dev/null; then
    lintian -EviIL +pedantic --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
        { grep -v '^N:' "$work/lintian.log"; fail "lintian"; }
    grep '^[EWI]:' "$work/lintian.log" || echo "lintian: no remarks"
else
    fail "lintian is not installed (scripts/install-deps.sh package)"
fi
# ... the hardening of the program: stack protector, fortified functions, read-only relocations
# and immediate binding all "yes". Control-flow protection is compiled in, but Debian 12's C start
# files (crti.o's _init has no endbr64) keep the linker from marking the program, rightly; stack
# clash probes are in (unrolled), which hardening-check's pattern for probe loops does not see.
mkdir -p "$work/unpacked"
dpkg-deb -x "$deb" "$work/unpacked"
hardening-check --nocfprotection "$work/unpacked/usr/games/morvek" || fail "hardening-check"
# ... and the detached debug information for the program's build id.
build_id=$(readelf -n "$work/unpacked/usr/games/morvek" | sed -n 's/.*Build ID: \([0-9a-f]*\).*/\1/p')
[ -n "$build_id" ] || fail "the program has no build id"
dpkg-deb -c "$ddeb" >"$work/ddeb.list" 2>/dev/null || true
grep -q "usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug" "$work/ddeb.list" ||
    fail "no debug symbols for build id $build_id in $ddeb"
dpkg-deb -c "$deb" >"$work/deb.list"
grep -q './usr/share/doc/morvek/changelog.gz' "$work/deb.list" || fail "no changelog.gz"
dpkg-deb -f "$deb" Homepage | grep -q '^https://' || fail "no Homepage field"
cleanup() {
    [ -n "$game" ] && { kill -9 "$game" 2>/dev/null; wait "$game" 2>/dev/null; }
    [ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; }
    rm -f "$debug_log"
    if dpkg-query -W -f='${db:Status-Status}' morvek 2>/dev/null | grep -q installed; then
        apt-get purge -y -qq morvek >/dev/null || echo "check-deb: could not remove morvek" >&2
    fi
    # Exactly the packages that the install pulled in, nothing that was there before.
    installed_packages >"$work/after" || true
    mapfile -t pulled < <(comm -13 "$work/before" "$work/after")
    if [ ${#pulled[@]} -gt 0 ]; then
        echo "check-deb: removing what the package pulled in: ${pulled[*]}"
        apt-get purge -y -qq "${pulled[@]}" >/dev/null || echo "check-deb: could not remove ${pulled[*]}" >&2
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

if dpkg-query -W -f='${db:Status-Status}' morvek 2>/dev/null | grep -q installed; then
    echo "check-deb: morvek $(dpkg-query -W -f='${Version}' morvek) is installed already; it is replaced and removed afterwards"
fi
# --reinstall: the same version installed before would otherwise be kept, untested.
apt-get install -y -qq --reinstall --allow-downgrades "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install"; exit 1; }

# The files land where Debian keeps games, and the program runs from there.
for f in /usr/games/morvek /usr/share/morvek/mrvk.html /usr/share/applications/com.tallowin.morvek.desktop \
    /usr/share/metainfo/com.tallowin.morvek.metainfo.xml /usr/share/man/man6/morvek.6.gz /usr/share/doc/morvek/copyright \
    /usr/share/icons/hicolor/scalable/apps/com.tallowin.morvek.svg; do
    [ -e "$f" ] || fail "not installed: $f"
done
[ "$(/usr/games/morvek --version | head -n1)" = "morvek 1.0" ] || fail "/usr/games/morvek --version"
dpkg-query -L morvek | grep -q '^/usr/share/morvek/.*\.mid$' || fail "no music in /usr/share/morvek"

# Started for real under Xvfb, with a settings folder of its own: its window comes up, with its icon.
for n in $(shuf -i 100-999 -n 40); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    if kill -0 "$xvfb" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then display=:$n; break; fi
    xvfb=""
done
[ -n "$xvfb" ] || { fail "could not start Xvfb"; exit 1; }
mkdir -p "$work/config/Tallowin/Morvek" "$work/runtime"
chmod 700 "$work/runtime"
printf '[common]\ntongue=0\n' >"$work/config/Tallowin/Morvek/V1.ini"
# A home of its own too: caches the libraries write land in the folder that is removed.
mkdir -p "$work/home"
env -u QT_QPA_PLATFORM -u XDG_CACHE_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME HOME="$work/home" DISPLAY="$display" \
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy \
    /usr/games/morvek -debug >"$work/game.log" 2>&1 &
game=$!
window=""
for _ in $(seq 150); do
    window=$(DISPLAY="$display" xdotool search --name '^Morvek V1\.0$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.1
done
[ -n "$window" ] || { cat "$work/game.log"; fail "the installed game showed no window"; }
[ ! -e /usr/games/HHDebug.txt ] || { rm -f /usr/games/HHDebug.txt; fail "the game wrote its log into /usr/games"; }
# -debug: the help layer's log (in the player's state folder, never beside the program, though
# root may write there) names the rules file the game opened, which must be the package's.
grep -qF 'THookHelpSystem.Create("/usr/share/morvek/mrvk.html"' "$debug_log" 2>/dev/null ||
    fail "the installed game did not open /usr/share/morvek/mrvk.html: $(grep -F THookHelpSystem.Create "$debug_log" 2>/dev/null)"
if [ -n "$window" ] && command -v xprop >/dev/null; then
    icons=$(DISPLAY="$display" xprop -id "$window" _NET_WM_ICON)
    grep -q "Icon (16 x 16)" <<<"$icons" || fail "the window has no icon: $(head -c 300 <<<"$icons")"
fi
kill -0 "$game" 2>/dev/null || fail "the installed game ended by itself"
kill -9 "$game" 2>/dev/null
wait "$game" 2>/dev/null || true
game=""

# Removed cleanly: none of its files stay behind.
files=$(dpkg-query -L morvek | while read -r f; do [ -f "$f" ] && echo "$f"; done)
apt-get purge -y -qq morvek >/dev/null || fail "apt-get purge"
while read -r f; do
    [ -n "$f" ] && [ -e "$f" ] && fail "left after removal: $f"
done <<<"$files"
[ ! -e /usr/share/morvek ] || fail "left after removal: /usr/share/morvek"
# Nothing of the game anywhere in the system's folders: no log, no probe, no folder of its own.
left=$(find /usr /etc /var/lib/dpkg/info /var/games -xdev \( -iname '*morvek*' -o -name 'HHDebug.txt' \
    -o -name '$_Temp_$.$$$' \) 2>/dev/null | grep -v '^/usr/local/' || true)
[ -z "$left" ] || fail "left after purge: $left"

if [ "$failures" -ne 0 ]; then
    echo "check-deb: $failures check(s) failed"
    exit 1
fi
echo "check-deb: installed, started and removed $(basename "$deb")"
