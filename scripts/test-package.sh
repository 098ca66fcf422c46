#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (scripts/build-package.sh), installs it into a clean Debian 12 root and runs the
# installed programs there as an ordinary user and as root. Slow and needs Debian's mirror, so not part of
# scripts/test.sh; run as root. scripts/lint-package.sh checks the package itself without the root.
#   FENWYX_PACKAGE_BUILD_DIR  the package's build folder (build-package/)
#   FENWYX_PACKAGE_CACHE      where the clean root and the downloaded packages are kept between runs
#   FENWYX_DEBIAN_MIRROR      the mirror debootstrap reads (http://deb.debian.org/debian)
#   FENWYX_KEEP_ROOT=1        leave the used root behind for a look
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${FENWYX_PACKAGE_CACHE:-/var/cache/fenwyx-package-test}"
mirror="${FENWYX_DEBIAN_MIRROR:-http://deb.debian.org/debian}"

if [ "$(id -u)" -ne 0 ]; then
    echo "test-package.sh: run as root (debootstrap and chroot need it)" >&2
    exit 2
fi
bash "$root/scripts/setup.sh"

passed=0
failed=0
contains() { [[ $1 == *"$2"* ]]; }
check() { # check DESCRIPTION COMMAND...
    local what="$1"
    shift
    if "$@"; then
        echo "ok - $what"
        passed=$((passed + 1))
    else
        echo "FAILED - $what" >&2
        failed=$((failed + 1))
    fi
}

echo "== The package"
deb="$(bash "$root/scripts/build-package.sh" | tail -1)"
dpkg-deb --field "$deb" Package Version Maintainer Depends Recommends
contents="$(dpkg-deb --contents "$deb")"
for file in /usr/bin/fenwyx /usr/bin/fenwyx-cli /usr/bin/fenwyx-sample /usr/libexec/fenwyx/fenwyx-mdbread \
    /usr/share/fenwyx/VegCodes.txt /usr/share/fenwyx/help/FenwyxHelp.html \
    /usr/share/applications/org.fenwyx.Fenwyx.desktop /usr/share/mime/packages/org.fenwyx.Fenwyx.xml \
    /usr/share/metainfo/org.fenwyx.Fenwyx.metainfo.xml /usr/share/fenwyx/screenshots/main-window.png \
    /usr/share/man/man1/fenwyx.1.gz /usr/share/man/man1/fenwyx-cli.1.gz /usr/share/man/man1/fenwyx-sample.1.gz \
    /usr/share/doc/fenwyx/copyright /usr/share/doc/fenwyx/changelog.gz; do
    check "the package holds $file" grep -q " \.$file\$" <<<"$contents"
done
check "the package holds no photo database" bash -c '! grep -qi "photo\.mdb" <<<"$1"' _ "$contents"
check "the helper is not a user command" bash -c '! grep -q " \./usr/bin/fenwyx-mdbread$" <<<"$1"' _ "$contents"
check "the dependencies come from the linked libraries and name the fonts" \
    bash -c 'd=$(dpkg-deb --field "$1" Depends); [[ $d == *libqt6widgets6* && $d == *fonts-liberation2* ]]' _ "$deb"

echo "== A clean Debian 12 root"
base="$cache/bookworm-base"
if [ ! -f "$base/.fenwyx-complete" ]; then
    mkdir -p "$cache"
    rm -rf --one-file-system "$base.part"
    debootstrap --variant=minbase bookworm "$base.part" "$mirror"
    touch "$base.part/.fenwyx-complete"
    rm -rf --one-file-system "$base"
    mv "$base.part" "$base"
fi
work="$cache/run"
cleanup() {
    if mountpoint -q "$work/proc"; then umount "$work/proc"; fi
    if [ "${FENWYX_KEEP_ROOT:-0}" != 1 ]; then rm -rf --one-file-system "$work"; fi
}
trap cleanup EXIT
if mountpoint -q "$work/proc"; then umount "$work/proc"; fi
rm -rf --one-file-system "$work"
cp -a "$base" "$work"
mount -t proc proc "$work/proc"
cp /etc/resolv.conf "$work/etc/resolv.conf"
# The packages apt fetched last time are offered again, so a run downloads only what changed.
mkdir -p "$cache/archives"
cp "$cache/archives/"*.deb "$work/var/cache/apt/archives/" 2>/dev/null || true
cp "$deb" "$work/tmp/"
cp "$root/tests/data/fixtures/photo_jet4.mdb" "$work/tmp/"

in_root() { chroot "$work" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
in_root apt-get update -q
# Without the recommended packages: the dependencies alone must be enough to run.
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")"
cp "$work/var/cache/apt/archives/"*.deb "$cache/archives/" 2>/dev/null || true

echo "== The installed programs"
in_root useradd --create-home fuels
uid="$(in_root id -u fuels)"
gid="$(in_root id -g fuels)"
in_root install -d -o fuels -g fuels -m 700 /tmp/runtime-fuels
as_user() {
    chroot --userspec="$uid:$gid" "$work" env -i PATH=/usr/bin:/bin HOME=/home/fuels USER=fuels \
        XDG_RUNTIME_DIR=/tmp/runtime-fuels QT_QPA_PLATFORM=offscreen "$@"
}
folder=/home/fuels/.local/share/Fenwyx

check "fenwyx starts and quits for a new user" as_user env FENWYX_QUIT_AFTER_STARTUP=1 fenwyx
set +e
out="$(as_user env -u QT_QPA_PLATFORM fenwyx 2>&1)"
status=$?
set -e
check "without a display fenwyx says so and names fenwyx-cli" \
    bash -c '[ "$1" -eq 1 ] && [[ $2 == *"graphical desktop"*fenwyx-cli* ]]' _ "$status" "$out"
for file in VegCodes.txt ActCodes.txt DangerRatingCodes.txt BehaveCodes.txt help/FenwyxHelp.html data; do
    check "the user's folder has $file" test -e "$work$folder/$file"
done
check "the user's code files are the installed ones" cmp "$work$folder/VegCodes.txt" "$work/usr/share/fenwyx/VegCodes.txt"
check "nothing was written beside the programs" test ! -e "$work/usr/bin/data"

set +e
out="$(as_user fenwyx-cli list 2>&1)"
status=$?
set -e
check "fenwyx-cli list without photo series fails" test "$status" -ne 0
check "and names where Photo.mdb is looked for" contains "$out" "$folder/Photo.mdb"
cp "$work/tmp/photo_jet4.mdb" "$work$folder/Photo.mdb"
chown "$uid:$gid" "$work$folder/Photo.mdb"
out="$(as_user fenwyx-cli list)" || true
check "fenwyx-cli list reads an Access photo series through the installed fenwyx-mdbread" \
    test "$(wc -l <<<"$out")" -eq 41
check "fenwyx starts on the photo series" as_user env FENWYX_QUIT_AFTER_STARTUP=1 fenwyx
check "fenwyx-sample writes a library" as_user fenwyx-sample /tmp/sample --photos 8 --no-images
out="$(as_user fenwyx-cli --home /tmp/sample list)" || true
check "fenwyx-cli --home lists it" test "$(wc -l <<<"$out")" -eq 9

in_root install -d -m 700 /tmp/runtime-root
check "fenwyx starts as root without writing into /usr/bin" \
    in_root env HOME=/root QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/runtime-root FENWYX_QUIT_AFTER_STARTUP=1 \
    fenwyx
check "root's program folder is its own" test -f "$work/root/.local/share/Fenwyx/VegCodes.txt"
check "still nothing beside the programs" test ! -e "$work/usr/bin/data" -a ! -e "$work/usr/bin/BrackelFileList.txt"

echo "== The desktop"
in_root apt-get install -y -q --no-install-recommends shared-mime-info desktop-file-utils
cp "$work/var/cache/apt/archives/"*.deb "$cache/archives/" 2>/dev/null || true
check "the MIME database knows the fuel-profile type" test -f "$work/usr/share/mime/application/x-fenwyx-profile.xml"
check "the desktop entry opens fuel profiles" \
    grep -q "application/x-fenwyx-profile=org.fenwyx.Fenwyx.desktop" "$work/usr/share/applications/mimeinfo.cache"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
