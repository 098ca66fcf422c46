#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the manual's pictures of the windows (help/images/*.png): runs Fenwyx offscreen on a fresh sample
# library through fenwyx-shots. Arguments go to fenwyx-shots, e.g. --only main-window. With --screenshots it
# makes the software centres' screenshots instead (resources/screenshots/*.png, installed with the package).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FENWYX_BUILD_DIR:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    bash "$root/scripts/build.sh"
fi
cmake --build "$build" --target fenwyx-shots fenwyx-sample
library="$(mktemp -d)"
trap 'rm -rf "$library"' EXIT
"$build/bin/fenwyx-sample" "$library" --photos 60 --seed 7 >/dev/null
out="$root/help/images"
for argument in "$@"; do
    if [ "$argument" = --screenshots ]; then out="$root/resources/screenshots"; fi
done
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="qt.qpa.*=false" \
    "$build/bin/fenwyx-shots" --home "$library" --out "$out" "$@"
