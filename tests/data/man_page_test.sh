#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: man_page_test.sh PROGRAM PAGE.gz
# The man page names every option PROGRAM --help lists and the version
# PROGRAM --version prints, so a stale or hand-edited page shows.
set -euo pipefail
program=$1 page=$2
page_text=$(gzip -dc "$page" | sed 's/\\-/-/g')
missing=0
options=$("$program" --help | grep -oE -- '(^|[^[:alnum:]-])--?[[:alpha:]][[:alnum:]-]*' |
          grep -oE -- '--?[[:alpha:]][[:alnum:]-]*' | sort -u)
[ -n "$options" ] || { echo "no options found in $program --help"; exit 1; }
for option in $options "$("$program" --version)"; do
    if ! grep -qF -- "$option" <<<"$page_text"; then
        echo "$page does not mention: $option"
        missing=1
    fi
done
exit $missing
