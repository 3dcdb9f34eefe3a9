#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# run_fuzzer.sh FUZZER CORPUS WORK RUNS [MAX_LEN]: runs FUZZER over the
# committed CORPUS and RUNS generated inputs of at most MAX_LEN bytes (4096
# unless given) with a fixed seed. New inputs go to WORK (emptied
# first), never into the committed corpus; a crash is saved in WORK too.
set -euo pipefail
fuzzer=$1 corpus=$2 work=$3 runs=$4 max_len=${5:-4096}
rm -rf "$work"
mkdir -p "$work/new"
exec "$fuzzer" -seed=1 -runs="$runs" -max_len="$max_len" -timeout=25 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/new" "$corpus"
