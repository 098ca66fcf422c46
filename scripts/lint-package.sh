#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (scripts/build-package.sh) and checks it as a distribution would take it: lintian
# --pedantic must report no error, warning or pedantic tag (informational tags are shown; each one that stays is
# overridden in packaging/lintian-overrides with its reason), and the desktop entry and AppStream data in the
# package must pass their validators. Needs no clean Debian root and no network; about a minute after the build.
#   FENWYX_PACKAGE_BUILD_DIR  the package's build folder (build-package/)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
deb="$(bash "$root/scripts/build-package.sh" | tail -1)"

echo "== lintian --pedantic $(basename "$deb")"
dpkg-deb --field "$deb" Package Version Maintainer Depends Recommends
lintian --pedantic --display-info --fail-on error,warning,pedantic "$deb"
overridden="$(lintian --pedantic --display-info --show-overrides "$deb" | grep -c '^O: ' || true)"
echo "lintian: no error, warning or pedantic tag; $overridden informational tags overridden with their reasons"

echo "== the desktop entry and the AppStream data"
contents="$(mktemp -d)"
trap 'rm -rf "$contents"' EXIT
dpkg-deb --extract "$deb" "$contents"
desktop-file-validate "$contents/usr/share/applications/org.fenwyx.Fenwyx.desktop"
appstreamcli validate --no-net "$contents/usr/share/metainfo/org.fenwyx.Fenwyx.metainfo.xml"
echo "lint-package.sh: $(basename "$deb") passed"
