#!/bin/bash
# Installs the game with --prefix and with DESTDIR, then starts each copy through its launcher.
# Usage: install_test.sh <build dir> <program folder> <bin folder> <data folder>
set -uo pipefail
build=$1 progdir=$2 bindir=$3 datadir=$4

tmp=$(mktemp -d)
manifest=$build/install_manifest.txt
# cmake --install rewrites the build folder's manifest; keep the player's own for uninstalling.
if [ -e "$manifest" ]; then cp -p "$manifest" "$tmp/manifest.saved"; fi
cleanup() {
    if [ -e "$tmp/manifest.saved" ]; then mv -f "$tmp/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
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
    local dir=$root/$progdir
    [ -x "$dir/morvek" ] || fail "$what: no program $dir/morvek"
    [ -f "$dir/mrvk.html" ] || fail "$what: no rules file beside the program"
    compgen -G "$dir/*.mid" >/dev/null || fail "$what: no music beside the program"
    [ -x "$root/$bindir/morvek" ] || fail "$what: no launcher $root/$bindir/morvek"
    local desktop=$root/$datadir/applications/morvek.desktop
    [ -f "$desktop" ] || fail "$what: no menu entry"
    for size in 48 256; do
        local icon=$root/$datadir/icons/hicolor/${size}x$size/apps/morvek.png
        [ -s "$icon" ] || fail "$what: no ${size}px icon"
        if command -v identify >/dev/null && [ -s "$icon" ]; then
            [ "$(identify -format '%wx%h' "$icon")" = "${size}x$size" ] || fail "$what: $icon is not ${size}x$size"
        fi
    done
}

# check_launch <launcher> <what>: the launcher passes its arguments on to the real program.
check_launch() {
    local out
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$1" --print-puzzle --seed 1 2>&1)
    [ "$(head -n1 <<<"$out")" = "width 10" ] || fail "$2: launcher printed: $out"
    grep -q '^goal "[01]*"$' <<<"$out" || fail "$2: no goal line from the launcher"
}

# An ordinary user install into a prefix, no root needed.
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "cmake --install --prefix"; }
check_tree "$prefix" "--prefix"
check_launch "$prefix/$bindir/morvek" "--prefix"
grep -qxF "$prefix/$progdir/morvek" "$manifest" || fail "the program is not in the install manifest"

# Moved afterwards, and started through a symbolic link elsewhere (a ~/bin link, say).
mv "$prefix" "$tmp/moved"
check_launch "$tmp/moved/$bindir/morvek" "moved tree"
mkdir "$tmp/links"
ln -s "$tmp/moved/$bindir/morvek" "$tmp/links/morvek"
check_launch "$tmp/links/morvek" "symbolic link"
cd "$tmp/moved/$bindir" && check_launch ./morvek "relative call"
cd - >/dev/null
# It must start the installed copy, not the one in the build folder.
chmod -x "$tmp/moved/$progdir/morvek"
"$tmp/moved/$bindir/morvek" --print-puzzle --seed 1 >/dev/null 2>&1 && fail "the launcher runs another program"
chmod +x "$tmp/moved/$progdir/morvek"

# A staged install, as packagers do it: the files land under DESTDIR + prefix.
DESTDIR=$tmp/stage cmake --install "$build" --prefix /opt/morvek >"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "DESTDIR install"; }
check_tree "$tmp/stage/opt/morvek" "DESTDIR"
check_launch "$tmp/stage/opt/morvek/$bindir/morvek" "DESTDIR"

# An empty run path entry would make the loader look for libraries in the current folder.
for program in "$build/bin/morvek" "$tmp/stage/opt/morvek/$progdir/morvek"; do
    [ -f "$program" ] || continue
    runpath=$(readelf -d "$program" 2>/dev/null | grep -E 'R(UN)?PATH')
    if grep -qE '\[:|::|:\]|\[\]' <<<"$runpath"; then
        fail "$program has an empty run path entry"
    fi
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$tmp/moved/$datadir/applications/morvek.desktop" || fail "menu entry does not validate"
else
    echo "desktop-file-validate not found; menu entry not validated"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install checks passed"
