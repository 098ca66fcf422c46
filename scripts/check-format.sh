#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file of the tree differs from the root .clang-format; prints the files that do.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bad=()
while IFS= read -r file; do
    if ! clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then
        bad+=("$file")
    fi
done < <(git ls-files '*.cpp' '*.h')
if ((${#bad[@]})); then
    printf 'Not formatted (run clang-format -i on them):\n' >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
fi
