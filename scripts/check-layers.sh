#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The layers and their direction: every include names its folder, and a folder includes only the
# folders below it.
#
#   app -> dialogs -> view, audio -> platform;  every folder -> logic;  nothing -> app
#
# logic/ includes nothing but logic/ and the standard library (no Qt, no SDL). Tests, benchmarks
# and tools may include any folder. Exit code 1 lists every include that breaks a rule.
set -euo pipefail
cd "$(dirname "$0")/.."

allowed() { # folder -> the folders it may include
  case "$1" in
    logic) echo "logic" ;;
    platform) echo "platform logic" ;;
    view) echo "view platform logic" ;;
    audio) echo "audio platform logic" ;;
    dialogs) echo "dialogs view audio platform logic" ;;
    app) echo "app dialogs view audio platform logic" ;;
  esac
}

bad=0
for layer in logic platform view audio dialogs app; do
  may=$(allowed "$layer")
  while IFS= read -r hit; do
    file=${hit%%:*}
    header=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$hit")
    base=$(basename "$file")
    # A source's own header and the generated moc files stand beside it.
    if [[ $header != */* ]]; then
      [[ $header == *.moc || $header == moc_* ]] && continue
      echo "$file: \"$header\" does not name its folder"; bad=1; continue
    fi
    top=${header%%/*}
    if [[ " $may " != *" $top "* ]]; then
      echo "$file: $layer/ may not include $header"; bad=1
    fi
  done < <(grep -rHn '#include "' "$layer" --include='*.cpp' --include='*.h' || true)
done

# The rules build without Qt or SDL: only the standard library among the angle-bracket includes.
while IFS= read -r hit; do
  echo "logic must not include ${hit#*:}"; bad=1
done < <(grep -rHn '#include <\(Q\|SDL\|fluid\|X11\|xcb\)' logic --include='*.cpp' --include='*.h' || true)

[ $bad = 0 ] && echo "layers: every include goes down" || exit 1
