#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: completion_test.sh ZENTHRA_CALC COMPLETION_SCRIPT
# Runs the bash completion as bash does on Tab, in plain bash: it offers every
# option --help lists, the zone positions of --zones, file names where a file
# is due, the values of --format and --sidereal, and nothing for free text.
set -euo pipefail
calc=$1
[[ $calc != */* ]] || calc=$(realpath "$calc")
# shellcheck source=/dev/null
source "$2"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"
touch births.csv births.sqlite notes.txt
failed=0

# The candidates for the last of WORDS, sorted, one a line.
offered() {
    COMP_WORDS=("$calc" "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _zenthra_calc "$calc" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    [ ${#COMPREPLY[@]} -eq 0 ] || printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
}

expect() { # WHAT EXPECTED WORDS...
    local what=$1 expected=$2 actual
    shift 2
    actual=$(offered "$@")
    if [ "$actual" != "$expected" ]; then
        echo "FAIL: $what: after '$*' expected [${expected//$'\n'/ }], got [${actual//$'\n'/ }]"
        failed=1
    fi
}

options=$("$calc" --help | grep -oE -- '(^|[^[:alnum:]-])--[[:alpha:]][[:alnum:]-]*' |
          grep -oE -- '--[[:alnum:]-]+' | LC_ALL=C sort -u)
zones=$("$calc" --zones | awk '{ print $1 }' | LC_ALL=C sort)
[ "$(wc -l <<<"$zones")" -eq 71 ] || { echo "FAIL: --zones lists $(wc -l <<<"$zones") zones"; failed=1; }

expect "every option of --help" "$options" --
expect "options by prefix" $'--import-births' --im
expect "zone positions" "$zones" --date 2000-01-01 --zone ""
expect "zone positions after =" "$zones" --zone =
expect "zone positions by prefix" "$(grep '^3' <<<"$zones")" --zone = 3
expect "a file to store in" $'births.csv\nbirths.sqlite' --list --store bir
expect "a file to import" $'births.csv\nbirths.sqlite\nnotes.txt' --import-births ""
expect "a file to export to" "births.csv" --export-births births.c
expect "formats" $'csv\ntext' --day --format ""
expect "ayanamsas" $'fagan-bradley\nkrishnamurti\nlahiri\nraman' --sidereal ""
expect "no files for a place" "" --place ""
expect "no files as arguments" "" --date 2000-01-01 ""
exit $failed
