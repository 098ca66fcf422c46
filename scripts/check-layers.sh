#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source includes a header of a higher layer, or when a widget-free source includes a window's.
# Layers, lowest first: platform shell data present profile print help mainwindow app.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root/src"
layers=(platform shell data present profile print help mainwindow app)
rank() {
    local i
    for i in "${!layers[@]}"; do
        [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }
    done
    echo -1
}
status=0
while IFS= read -r file; do
    own=$(rank "${file%%/*}")
    own_ui=0
    [[ "$file" == */ui/* ]] && own_ui=1
    while IFS= read -r header; do
        layer=$(rank "${header%%/*}")
        [ "$layer" -lt 0 ] && continue
        if [ "$layer" -gt "$own" ]; then
            echo "$file includes $header from a higher layer" >&2
            status=1
        fi
        if [ "$own_ui" -eq 0 ] && [[ "$header" == */ui/* ]] && [ "${file%%/*}" != app ]; then
            echo "$file has no windows but includes $header" >&2
            status=1
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort)
exit $status
