#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ source or header does not follow .clang-format; lists the
# files. Generated tables (*.inc) are left as their generators write them.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=()
while IFS= read -r -d '' file; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || bad+=("$file")
done < <(find src tools tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ ${#bad[@]} -gt 0 ]; then
    printf 'Not formatted as .clang-format says (run clang-format -i on them):\n' >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "Formatting: every C++ file follows .clang-format"
