#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package as Debian builds its own: with the flags of dpkg-buildflags (stack protector,
# _FORTIFY_SOURCE, full RELRO with -z now), stripped, every time stamp the last commit's, so that two builds of one
# commit give the same package. Prints the package's path on its last line.
#   FENWYX_PACKAGE_BUILD_DIR  the package's build folder (build-package/)
#   SOURCE_DATE_EPOCH         the time stamp of every file (default: the last commit's time)
#   DEBFULLNAME, DEBEMAIL     the packager named in the Maintainer field (default: git's user.name, user.email)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FENWYX_PACKAGE_BUILD_DIR:-$root/build-package}"

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH="$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)"
fi
if [ -z "$SOURCE_DATE_EPOCH" ]; then # a tree without its history: the newest release's date
    SOURCE_DATE_EPOCH="$(date -u -d "$(sed -n 's/^Fenwyx [^ ]* (\(.*\))$/\1/p' "$root/CHANGES" | head -1)" +%s)"
fi
export SOURCE_DATE_EPOCH
# rcc records each resource file's time, which is the checkout's, not the commit's.
export QT_RCC_SOURCE_DATE_OVERRIDE="$SOURCE_DATE_EPOCH"
# Without the compiler cache, as Debian builds: a cache's own settings (base_dir) change the paths in the debugging
# information, and with them the build id that stays in the stripped programs.
export CCACHE_DISABLE=1

# dpkg-buildflags maps the folder it is run in out of the programs (-ffile-prefix-map), so it runs at the root.
cd "$root"
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"

generator=()
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null; then generator=(-G Ninja); fi
# The tested optimisation level (-O2 and NDEBUG, as RelWithDebInfo); the package's programs are stripped.
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DFENWYX_BUILD_TESTS=OFF -DFENWYX_SAMPLE_LIBRARY=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >&2
cmake --build "$build" -j"$(nproc)" >&2
rm -f "$build"/fenwyx_*.deb
(cd "$build" && cpack -G DEB) >&2
ls "$build"/fenwyx_*.deb
