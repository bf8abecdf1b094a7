#!/bin/bash
# SPDX-License-Identifier: MIT
# The program's answers to --help, --version and a wrong option: exit code and first output line.
# Usage: program_options_test.sh <program>
set -uo pipefail
program=$1
failures=0

# check <exit code> <first line of stdout+stderr> <arguments...>
check() {
    local want_code=$1 want_line=$2
    shift 2
    local out code
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" 2>&1)
    code=$?
    if [ "$code" -ne "$want_code" ] || [ "$(head -n1 <<<"$out")" != "$want_line" ]; then
        echo "FAIL: morvek $*: exit $code (wanted $want_code), output:"
        echo "$out"
        failures=$((failures + 1))
    fi
}

check 0 "Usage: morvek [OPTION]..." --help
check 0 "Usage: morvek [OPTION]..." -h
check 0 "morvek 1.0" --version
check 0 "morvek 1.0" -v
check 2 "morvek: unknown option '--bogus'" --bogus
check 2 "morvek: --seed needs a number" --seed
check 2 "morvek: --mode must be a number from 1 to 9" --print-puzzle --mode 0
check 2 "morvek: --mode must be a number from 1 to 9" --print-puzzle --mode=abc
check 2 "morvek: --print-puzzle and --solutions cannot be used together" --print-puzzle --solutions
check 0 "width 19" --print-puzzle --mode=4 --seed=42

# GNU style: the version's licence and warranty lines; the help's keys and bug address.
version=$("$program" --version)
grep -q "^License MIT" <<<"$version" && grep -q "NO WARRANTY" <<<"$version" ||
  { echo "FAIL: --version without licence: $version"; failures=$((failures + 1)); }
help=$("$program" --help)
grep -q "KEYS in 'man morvek'" <<<"$help" && grep -q "^Report bugs to: <.*@.*>" <<<"$help" ||
  { echo "FAIL: --help without keys or bug address"; failures=$((failures + 1)); }

# Help goes to stdout (for a pager), the hint after an error to stderr.
[ "$("$program" --help 2>/dev/null | grep -c -- '--solutions')" -ge 1 ] || { echo "FAIL: --help on stdout"; failures=$((failures + 1)); }
[ -z "$("$program" --bogus 2>/dev/null)" ] || { echo "FAIL: error text on stdout"; failures=$((failures + 1)); }
hint=$("$program" --bogus 2>&1 >/dev/null)
grep -qF "Try 'morvek --help'" <<<"$hint" || { echo "FAIL: no hint after an error"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] || exit 1
echo "option checks passed"
