#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs dist/zenthra_*.deb with apt as a user would, checks what a user
# meets (a chart from any folder, both man pages, Tab completion, the menu
# entry that starts the program, valid metadata), then purges the package and
# checks that every file it brought is gone. Needs root and apt; skipped
# without them, or with ZENTHRA_DEB_INSTALL_TEST=0.
set -euo pipefail
cd "$(dirname "$0")/.."

skip() {
    echo "Package install test skipped: $*"
    exit 0
}
[ "${ZENTHRA_DEB_INSTALL_TEST:-1}" != 0 ] || skip "ZENTHRA_DEB_INSTALL_TEST=0"
[ "$(id -u)" -eq 0 ] || skip "it installs a package, which needs root"
command -v apt-get >/dev/null || skip "no apt-get on this machine"
if dpkg-query -W -f='${Status}' zenthra 2>/dev/null | grep -q 'ok installed'; then
    skip "zenthra is installed here already, and the test would remove it"
fi
debs=(dist/zenthra_*_amd64.deb)
if [ ! -f "${debs[0]}" ] || [ ${#debs[@]} -ne 1 ]; then
    echo "expected one dist/zenthra_*_amd64.deb; run bash tools/package-deb.sh" >&2
    exit 1
fi
. tools/ensure-packages.sh
ensure_packages "${INSTALL_TEST_PACKAGES[@]}"

scratch=$(mktemp -d)
installed=0
cleanup() {
    if [ $installed = 1 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y zenthra >/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

export DEBIAN_FRONTEND=noninteractive
apt-get install -y "./${debs[0]}" >"$scratch/apt.log" 2>&1 ||
    { apt-get update >/dev/null && apt-get install -y "./${debs[0]}" >"$scratch/apt.log" 2>&1; } ||
    { cat "$scratch/apt.log" >&2; fail "apt-get install"; }
installed=1
dpkg-query -L zenthra >"$scratch/files"
echo "Installed ${debs[0]}: $(wc -l <"$scratch/files") paths"

# A chart from any folder, the atlas inside the program. India's independence,
# 15 August 1947 00:00 IST at Delhi: the chart as commonly published (sidereal,
# Lahiri) has Taurus about 7 degrees 45' rising; with that ayanamsa, about 23
# degrees 07' in 1947, added back, the tropical ascendant is early Gemini.
chart=$(cd / && /usr/bin/zenthra-calc --date 1947-08-15 --time 00:00 --place "Delhi, India") ||
    fail "zenthra-calc --place from /"
grep -q "^Sign: *Gem (Gemini)$" <<<"$chart" || fail "Delhi 1947 chart without Gemini rising: $chart"

for page in zenthra zenthra-calc; do
    man -w "$page" >/dev/null || fail "man -w $page"
    man -P cat "$page" 2>/dev/null | grep -q -- "--version" || fail "man $page does not show"
done

desktop=/usr/share/applications/org.zenthra.Zenthra.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
# validate-tree also checks that the metadata's launchable is the desktop file.
mkdir -p "$scratch/tree/usr/share/metainfo" "$scratch/tree/usr/share/applications"
cp /usr/share/metainfo/org.zenthra.Zenthra.metainfo.xml "$scratch/tree/usr/share/metainfo/"
cp "$desktop" "$scratch/tree/usr/share/applications/"
appstreamcli validate-tree --no-net "$scratch/tree" || fail "appstreamcli validate-tree"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 32 48 64 128 256 512; do
    [ -f "/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png" ] || fail "no $size px icon"
done
[ -f "/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"

# bash-completion finds the completion by the command's name on first Tab.
bash -c '. /usr/share/bash-completion/bash_completion; _completion_loader zenthra-calc
         complete -p zenthra-calc' | grep -q -- "-F _zenthra_calc" ||
    fail "bash-completion does not load the completion of zenthra-calc"

# The menu entry's command starts the window, which stays up: headless, with
# folders of its own (a saved birth, its single-copy lock).
exec_line=$(sed -n 's/^Exec=//p' "$desktop" | sed 's/ *%[a-zA-Z]//g')
grep -qxF "$(command -v "${exec_line%% *}")" "$scratch/files" ||
    fail "the desktop entry's command '$exec_line' is not the package's"
mkdir -p "$scratch/data" "$scratch/tmp" "$scratch/runtime"
chmod 700 "$scratch/runtime"
# shellcheck disable=SC2086 # the Exec line is a command and its arguments
(cd "$scratch" && exec env QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$scratch/data" \
     TMPDIR="$scratch/tmp" XDG_RUNTIME_DIR="$scratch/runtime" $exec_line) >"$scratch/gui.log" 2>&1 &
gui=$!
sleep 2
kill -0 $gui 2>/dev/null || { cat "$scratch/gui.log" >&2; fail "'$exec_line' ended at once"; }
kill $gui
wait $gui 2>/dev/null || true
[ -f "$scratch/data/Zenthra/births.sqlite" ] || fail "'$exec_line' did not open its store"

apt-get purge -y zenthra >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log" >&2; fail "apt-get purge"; }
installed=0
left=()
while read -r path; do
    [ "$path" != /. ] || continue
    # Folders other packages share stay; everything only this package had goes.
    if [ -e "$path" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
        left+=("$path")
    fi
done <"$scratch/files"
[ ${#left[@]} -eq 0 ] || fail "left after purge: ${left[*]}"
echo "Package install test passed: installed, used and purged without a trace"
