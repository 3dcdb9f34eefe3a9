#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the desktop program (installing what it needs first) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DZENTHRA_TESTS=OFF -DZENTHRA_BENCH=OFF >/dev/null
cmake --build build --target zenthra
exec ./build/zenthra "$@"
