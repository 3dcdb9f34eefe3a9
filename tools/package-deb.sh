#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package dist/zenthra_<version>_amd64.deb (installing the
# Debian packages it needs first) and checks it with lintian, which fails on
# any error.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

# Debian's hardening flags, all of them (stack protector, fortify, read-only
# relocations bound at start); a Release build of the programs, no tests.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
! command -v ccache >/dev/null || launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DZENTHRA_TESTS=OFF -DZENTHRA_BENCH=OFF -DCMAKE_CXX_FLAGS="$cxxflags" \
      -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "${launcher[@]}" >/dev/null
cmake --build build-deb -j "$(nproc)"

rm -rf build-deb/cpack
cpack --config build-deb/CPackConfig.cmake -B build-deb/cpack >/dev/null
mkdir -p dist
rm -f dist/zenthra_*.deb
mv build-deb/cpack/zenthra_*.deb dist/
deb=$(echo dist/zenthra_*.deb)
echo "Built $deb"
lintian --fail-on error --display-info "$deb"
echo "lintian: no errors"
