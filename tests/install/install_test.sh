#!/bin/bash
# SPDX-License-Identifier: MIT
# Installs the game with --prefix and with DESTDIR, checks every installed file, starts the
# program where it lies and where it was moved to, and uninstalls.
# Usage: install_test.sh <build dir> <bin folder> <data folder> <share folder> <man folder> <id>
set -uo pipefail
build=$1 bindir=$2 datadir=$3 sharedir=$4 mandir=$5 appid=$6

tmp=$(mktemp -d)
manifest=$build/install_manifest.txt
record=$build/morvek-installed.txt
# cmake --install rewrites the build folder's manifest and the game's install record: keep the
# player's own for uninstalling.
for f in "$manifest" "$record"; do
    if [ -e "$f" ]; then cp -p "$f" "$tmp/$(basename "$f").saved"; fi
done
game=""
cleanup() {
    if [ -n "$game" ]; then kill -9 "$game" 2>/dev/null; wait "$game" 2>/dev/null; fi
    for f in "$manifest" "$record"; do
        if [ -e "$tmp/$(basename "$f").saved" ]; then mv -f "$tmp/$(basename "$f").saved" "$f"; else rm -f "$f"; fi
    done
    rm -rf "$tmp"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# check_tree <root> <what>: the installed files under <root> (a prefix as seen from here).
check_tree() {
    local root=$1 what=$2
    [ -x "$root/$bindir/morvek" ] || fail "$what: no program $root/$bindir/morvek"
    [ -f "$root/$datadir/mrvk.html" ] || fail "$what: no rules file in $datadir"
    compgen -G "$root/$datadir/*.mid" >/dev/null || fail "$what: no music in $datadir"
    [ -f "$root/$sharedir/applications/$appid.desktop" ] || fail "$what: no menu entry"
    [ -f "$root/$sharedir/metainfo/$appid.metainfo.xml" ] || fail "$what: no metainfo"
    [ -f "$root/$mandir/man6/morvek.6" ] || fail "$what: no manual page"
    for doc in LICENSE LICENSES.md; do
        [ -f "$root/$sharedir/doc/morvek/$doc" ] || fail "$what: no $doc"
    done
    for size in 16 22 24 32 48 64 128 256; do
        local icon=$root/$sharedir/icons/hicolor/${size}x$size/apps/$appid.png
        [ -s "$icon" ] || fail "$what: no ${size}px icon"
        if command -v identify >/dev/null && [ -s "$icon" ]; then
            [ "$(identify -format '%wx%h' "$icon")" = "${size}x$size" ] || fail "$what: $icon is not ${size}x$size"
        fi
    done
    local svg=$root/$sharedir/icons/hicolor/scalable/apps/$appid.svg
    python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' "$svg" 2>/dev/null ||
        fail "$what: no well-formed scalable icon"
}

# check_runs <program> <what>: the program starts where it lies.
check_runs() {
    local out
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$1" --print-puzzle --seed 1 2>&1)
    [ "$(head -n1 <<<"$out")" = "width 10" ] || fail "$2: program printed: $out"
    grep -q '^goal "[01]*"$' <<<"$out" || fail "$2: no goal line"
}

# check_data <program> <folder> <what> [beside]: the game, started for real, opens the rules file
# in <folder>. Its help layer's debug log names the file; the log lies beside the program when
# the data do ("beside"), else, for an installed game, in the player's state folder.
check_data() {
    local program=$1 want=$2/mrvk.html what=$3
    local log
    if [ "${4:-}" = beside ]; then
        log=$(dirname "$program")/HHDebug.txt
    else
        log=$tmp/state/morvek/HHDebug.txt
    fi
    rm -f "$log"
    mkdir -p "$tmp/config/Tallowin/Morvek"
    printf '[common]\ntongue=0\n' >"$tmp/config/Tallowin/Morvek/V1.ini"
    XDG_CONFIG_HOME=$tmp/config XDG_STATE_HOME=$tmp/state QT_QPA_PLATFORM=offscreen \
        SDL_AUDIODRIVER=dummy \
        "$program" -debug >/dev/null 2>&1 &
    game=$!
    local found=""
    for _ in $(seq 100); do
        if grep -qF "THookHelpSystem.Create(\"$want\"" "$log" 2>/dev/null; then found=yes; break; fi
        kill -0 "$game" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$game" 2>/dev/null
    wait "$game" 2>/dev/null
    game=""
    [ -n "$found" ] || fail "$what: the game did not open $want; its log says: $(grep -F 'THookHelpSystem.Create' "$log" 2>/dev/null)"
    [ "${4:-}" = beside ] || [ ! -e "$(dirname "$program")/HHDebug.txt" ] ||
        fail "$what: the installed game wrote its log beside the program"
    rm -f "$log"
}

# An ordinary user install into a prefix, no root needed.
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "cmake --install --prefix"; }
check_tree "$prefix" "--prefix"
check_runs "$prefix/$bindir/morvek" "--prefix"
# Nothing lies beside the installed program: it finds the data folder relative to itself.
check_data "$prefix/$bindir/morvek" "$(cd "$prefix/$datadir" && pwd)" "installed"
grep -qxF "file $prefix/$bindir/morvek" "$record" || fail "the program is not in the install record"

# Moved afterwards, and started through a symbolic link elsewhere (a ~/bin link, say).
mv "$prefix" "$tmp/moved"
check_runs "$tmp/moved/$bindir/morvek" "moved tree"
check_data "$tmp/moved/$bindir/morvek" "$(cd "$tmp/moved/$datadir" && pwd)" "moved tree"
mkdir "$tmp/links"
ln -s "$tmp/moved/$bindir/morvek" "$tmp/links/morvek"
check_runs "$tmp/links/morvek" "symbolic link"
(cd "$tmp/moved/$bindir" && check_runs ./morvek "relative call")

# Files beside the program come first: the build folder's layout, copied elsewhere as a whole.
mkdir "$tmp/beside"
cp "$build/bin/morvek" "$build/bin/mrvk.html" "$build"/bin/*.mid "$tmp/beside/"
check_data "$tmp/beside/morvek" "$tmp/beside" "files beside the program" beside
cp "$tmp/beside/mrvk.html" "$tmp/moved/$bindir/"
check_data "$tmp/moved/$bindir/morvek" "$tmp/moved/$bindir" "beside before the data folder" beside
rm "$tmp/moved/$bindir/mrvk.html"

# The installed metadata passes the desktop's own checks.
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$tmp/moved/$sharedir/applications/$appid.desktop" || fail "menu entry does not validate"
else
    echo "desktop-file-validate not found; menu entry not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --pedantic --no-net --explain "$tmp/moved/$sharedir/metainfo/$appid.metainfo.xml" ||
        fail "metainfo does not validate"
else
    echo "appstreamcli not found; metainfo not validated"
fi
if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$tmp/moved/$mandir/man6/morvek.6" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
else
    echo "man not found; manual page not checked"
fi

# A staged install, as packagers do it: the files land under DESTDIR + prefix, and the program
# finds its data there too.
DESTDIR=$tmp/stage cmake --install "$build" --prefix /opt/morvek >"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "DESTDIR install"; }
check_tree "$tmp/stage/opt/morvek" "DESTDIR"
check_runs "$tmp/stage/opt/morvek/$bindir/morvek" "DESTDIR"

# An empty run path entry would make the loader look for libraries in the current folder.
for program in "$build/bin/morvek" "$tmp/stage/opt/morvek/$bindir/morvek"; do
    [ -f "$program" ] || continue
    runpath=$(readelf -d "$program" 2>/dev/null | grep -E 'R(UN)?PATH')
    if grep -qE '\[:|::|:\]|\[\]' <<<"$runpath"; then
        fail "$program has an empty run path entry"
    fi
done

# Uninstalling removes what the last real install put down, and nothing of a staged install:
# its manifest names bare paths, which here hold files of the same names that this build did
# not install (as a system's own copy would).
uninstall() { cmake --build "$build" --target uninstall >"$tmp/log" 2>&1; }
real=$tmp/real
cmake --install "$build" --prefix "$real" >/dev/null 2>&1 || fail "install before uninstalling"
victim=$tmp/victim
mkdir -p "$victim"
cp -a "$tmp/stage/opt/morvek/." "$victim/"
DESTDIR=$tmp/stage2 cmake --install "$build" --prefix "$victim" >/dev/null 2>&1 || fail "second DESTDIR install"
grep -qxF "$victim/$bindir/morvek" "$manifest" || fail "the staged manifest does not name the bare path (test premise)"
echo "a player's own note" >"$real/$datadir/notes.txt"
uninstall || { cat "$tmp/log"; fail "uninstall"; }
left=$(find "$real" -type f ! -name notes.txt)
[ -z "$left" ] || fail "uninstall left: $left"
[ -f "$real/$datadir/notes.txt" ] || fail "uninstall removed a file it did not install"
[ ! -e "$real/$sharedir/doc/morvek" ] || fail "uninstall left the emptied documentation folder"
[ -x "$victim/$bindir/morvek" ] && [ -f "$victim/$datadir/mrvk.html" ] ||
    fail "uninstall removed files named by a staged install's manifest"
[ -x "$tmp/stage2/$victim/$bindir/morvek" ] || fail "uninstall removed staged files"
rm "$real/$datadir/notes.txt"

# The folders the install made go with it, when empty; a folder that was there before stays.
fresh=$tmp/fresh/prefix
mkdir -p "$tmp/fresh/prefix/share/icons"
cmake --install "$build" --prefix "$fresh" --strip >/dev/null 2>&1 || fail "install into a fresh prefix"
uninstall || { cat "$tmp/log"; fail "uninstall of a fresh prefix"; }
[ "$(find "$tmp/fresh" | sort | tr '\n' ' ')" = "$tmp/fresh $tmp/fresh/prefix $tmp/fresh/prefix/share $tmp/fresh/prefix/share/icons " ] ||
    fail "uninstall left folders the install made, or removed ones it did not: $(find "$tmp/fresh")"
# With the record gone, and after a staged install alone, there is nothing to uninstall.
DESTDIR=$tmp/stage3 cmake --install "$build" --prefix "$victim" >/dev/null 2>&1
if uninstall; then fail "uninstall without a record succeeded"; fi
grep -q "Nothing to uninstall" "$tmp/log" || { cat "$tmp/log"; fail "no reason given for refusing"; }
[ -x "$victim/$bindir/morvek" ] || fail "a refused uninstall removed files"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install checks passed"
