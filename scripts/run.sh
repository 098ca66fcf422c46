#!/usr/bin/env bash
# Installs what is missing, builds, and opens Fenwyx on the sample photo library.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
exec "${FENWYX_BUILD_DIR:-$root/build}/bin/fenwyx" "$@"
