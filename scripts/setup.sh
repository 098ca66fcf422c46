#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Fenwyx needs to build, run and test (only those that are missing).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev libqt6sql6-sqlite qt6-image-formats-plugins libgl-dev
    mdbtools-dev mdbtools libsqlite3-dev sqlite3
    # photo series delivered as .zip files (the photo manager)
    libzip-dev
    poppler-utils fonts-liberation2 xvfb xauth clang-format
    # the desktop integration's tests: the MIME type and the desktop entry as the desktop tools read them
    shared-mime-info xdg-utils desktop-file-utils libglib2.0-bin
    # the Debian package (cpack -G DEB) and its test in a clean Debian root (scripts/test-package.sh)
    dpkg-dev file debootstrap
    # the package's checks: lintian (scripts/lint-package.sh), the AppStream validator, man for the manual pages
    lintian appstream man-db
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
