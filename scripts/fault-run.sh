#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves under real faults, counted: saves and reports onto a full tmpfs (as root), saves killed at random
# moments, and two programs saving different profiles at once. Prints what held and what did not; exits 1 when
# anything was lost. Options: KILLS (500) and CONCURRENT (200) runs, FULL (100) saves onto the full disk.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="${FENWYX_BUILD_DIR:-$root/build}/bin"
cli="$bin/fenwyx-cli"
[ -x "$cli" ] || { echo "fault-run: build first ($cli is missing)" >&2; exit 2; }
kills="${KILLS:-500}" concurrent="${CONCURRENT:-200}" full="${FULL:-100}"
work="$(mktemp -d)"
mounted=""
cleanup() {
    [ -n "$mounted" ] && umount -l "$mounted" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
lost=0

# A profile of the given name with notes of the given size, written by the program itself.
make_profile() { # NAME NOTE_BYTES OUT
    {
        printf '"%s"\r\n"' "$1"
        head -c "$2" /dev/zero | tr '\0' n
        printf '"\r\n"GB-01/01"\r\n1.25\r\n0\r\n0\r\n""\r\n0\r\n""\r\n""\r\n0\r\n0\r\n'
    } >"$work/raw.pro"
    "$cli" --home "$work/home" profile save "$work/raw.pro" "$3" >/dev/null
}
mkdir -p "$work/home"
make_profile New 400000 "$work/new.pro"
make_profile Old 300000 "$work/old.pro"
make_profile Small 200 "$work/small.pro"

# 1. A full disk: every save and report must fail and leave the old file byte for byte.
if [ "$(id -u)" -eq 0 ]; then
    disk="$work/disk"
    mkdir -p "$disk"
    mount -t tmpfs -o size=1m tmpfs "$disk" && mounted="$disk"
    cp "$work/old.pro" "$disk/site.pro" 2>/dev/null || cp "$work/small.pro" "$disk/site.pro"
    cp "$work/small.pro" "$disk/small.pro"
    printf '%%PDF-1.4 old\n%%%%EOF\n' >"$disk/report.pdf"
    head -c 2000000 /dev/zero >"$disk/filler" 2>/dev/null || true
    before=$(cd "$disk" && md5sum site.pro small.pro report.pdf)
    wrong=0
    for i in $(seq "$full"); do
        for target in site.pro small.pro; do
            if "$cli" --home "$work/home" profile save "$work/small.pro" "$disk/$target" >/dev/null 2>&1; then
                wrong=$((wrong + 1))
            fi
        done
        if "$cli" --home "$work/home" report profile "$work/small.pro" --pdf "$disk/report.pdf" >/dev/null 2>&1; then
            wrong=$((wrong + 1))
        fi
    done
    after=$(cd "$disk" && md5sum site.pro small.pro report.pdf)
    changed=0
    [ "$before" = "$after" ] || changed=1
    echo "full disk: $((full * 3)) saves and reports, $wrong reported success, old files changed: $changed"
    lost=$((lost + wrong + changed))
    umount -l "$disk" && mounted=""
else
    echo "full disk: skipped (mounting a tmpfs needs root)"
fi

# 2. Saves killed at random moments: the file always opens, as the old or the new profile.
broken=0 killed=0
for i in $(seq "$kills"); do
    cp "$work/old.pro" "$work/out.pro"
    "$cli" --home "$work/home" profile save "$work/new.pro" "$work/out.pro" >/dev/null 2>&1 &
    pid=$!
    sleep "0.0$(printf '%02d' $((RANDOM % 60)))"
    kill -9 "$pid" 2>/dev/null && killed=$((killed + 1))
    wait "$pid" 2>/dev/null || true
    name=$("$cli" --home "$work/home" profile show "$work/out.pro" 2>/dev/null | tr -d "\r" | sed -n 's/^txtName,//p')
    case "$name" in New | Old) ;; *) broken=$((broken + 1)) ;; esac
done
echo "killed saves: $kills runs, $killed killed before they finished, $broken left a profile that does not open"
lost=$((lost + broken))

# 3. Two programs saving different profiles at once: every save reported as entered is in the list.
rm -f "$work/home/BrackelFileList.txt"
saver() { # PREFIX
    for i in $(seq "$concurrent"); do
        if "$cli" --home "$work/home" profile save "$work/small.pro" "$work/$1$i.pro" >/dev/null 2>&1; then
            echo "$work/$1$i.pro" >>"$work/$1.ok"
        else
            echo "$work/$1$i.pro" >>"$work/$1.failed"
        fi
    done
}
: >"$work/a.ok" >"$work/b.ok" >"$work/a.failed" >"$work/b.failed"
saver a &
saver b &
wait
missing=0 phantom=0
while read -r path; do grep -qF "\"$path\"" "$work/home/BrackelFileList.txt" || missing=$((missing + 1)); done \
    < <(cat "$work/a.ok" "$work/b.ok")
while read -r path; do grep -qF "\"$path\"" "$work/home/BrackelFileList.txt" && phantom=$((phantom + 1)); done \
    < <(cat "$work/a.failed" "$work/b.failed")
echo "concurrent saves: 2 x $concurrent, $(cat "$work/a.ok" "$work/b.ok" | wc -l) reported entered," \
    "$missing of them missing from the list, $phantom reported failed yet listed"
lost=$((lost + missing + phantom))

[ "$lost" -eq 0 ] && echo "fault run: nothing lost" || echo "fault run: $lost faults"
[ "$lost" -eq 0 ]
