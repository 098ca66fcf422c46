#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds Fenwyx in build/ (the program folder with the sample library is build/bin).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FENWYX_BUILD_DIR:-$root/build}"
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build" -j"$(nproc)"
