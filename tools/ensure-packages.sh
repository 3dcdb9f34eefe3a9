# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the build scripts: installs the Debian packages given as
# arguments when any of them is missing.
ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing ${missing[*]}" >&2
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# libqt6sql6-sqlite: Qt SQL's SQLite driver, for the saved births; libnova: the
# Sun and the Moon; qt6-svg-dev: the chart wheel saved as SVG.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libqt6sql6-sqlite
                zlib1g-dev libnova-dev fonts-dejavu-core)
TEST_PACKAGES=(clang-format libgtest-dev libbenchmark-dev appstream desktop-file-utils poppler-utils help2man)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The Debian package: help2man writes zenthra-calc(1); dpkg-shlibdeps (dpkg-dev,
# with file) works out the libraries it depends on; lintian checks it.
PACKAGE_PACKAGES=(dpkg-dev file help2man lintian)
# Installing the package as a user would: its man pages and Tab completion.
INSTALL_TEST_PACKAGES=(man-db bash-completion appstream desktop-file-utils)
