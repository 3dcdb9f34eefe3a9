#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the formatting, then builds everything and runs every test: once in
# a normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of every fuzz target (clang, a build of its own); last, builds the Debian package,
# checks it with lintian and, where this machine allows, installs and purges it.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"

jobs=$(nproc)

bash tools/check-format.sh

cmake -S . -B build-tests -G Ninja -DZENTHRA_TESTS=ON -DZENTHRA_BENCH=ON >/dev/null
cmake --build build-tests -j "$jobs"
ctest --test-dir build-tests --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTHRA_SANITIZE=ON \
      -DZENTHRA_TESTS=ON -DZENTHRA_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
# Qt and fontconfig keep caches alive until exit; leak checks stay on for our
# plain code and are off for the window tests.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE gui
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -L gui

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DZENTHRA_FUZZ=ON -DZENTHRA_TESTS=OFF \
      -DZENTHRA_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$jobs" --target zenthra_fuzzers
ctest --test-dir build-fuzz --output-on-failure -j "$jobs" -L fuzz

bash tools/package-deb.sh
bash tools/test-deb-install.sh
