#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs $ZENTHRA_CALC with the given options for help2man, which takes the
# synopsis from usage lines of the GNU form ("Usage: prog ...", "   or: prog
# ..."): each form of the usage block becomes one such line, with the lines
# that continue it joined on. The rest of the output passes unchanged.
set -e
"${ZENTHRA_CALC:?names the zenthra-calc to run}" "$@" | awk '
    /^Usage:$/ { usage = 1; n = 0; next }
    usage && /^ *$/ {
        for (i = 1; i <= n; i++)
            print (i == 1 ? "Usage: " : "   or: ") form[i]
        usage = 0
    }
    usage && /^  [^ ]/ { sub(/^ +/, ""); form[++n] = $0; next }
    usage { sub(/^ +/, ""); form[n] = form[n] " " $0; next }
    { print }'
