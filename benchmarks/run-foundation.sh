#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the foundation's speed targets against their yardsticks; prints hyperfine summaries.
# usage: benchmarks/run-foundation.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
bin="$build/bin"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

"$bin/fenwyx-sample" "$work/big" --photos 100000 --no-images
"$bin/fenwyx-sample" "$work/default"

echo "== list of 100,000 photos vs sqlite3 -csv"
hyperfine -N -w 2 -r 15 \
    "sqlite3 -csv $work/big/Photo.mdb 'SELECT * FROM Photos'" \
    "$bin/fenwyx-cli --home $work/big list" 2>&1 | grep -E 'Time|faster|±'

echo "== filling the results list with 100,000 photos"
"$bin/bench_resultslist" "$work/big" 5

# The 20,000-photo Access fixture lives beside the repository, in ../shared/fixtures.
access="${FENWYX_ACCESS_20K:-$root/../shared/fixtures/photo_jet4_20k.mdb}"
if [ -f "$access" ]; then
    echo "== reading a 20,000-photo Access file vs mdb-export of both tables"
    hyperfine -w 1 -r 10 \
        "mdb-export $access Photos > /dev/null; mdb-export $access Books > /dev/null" \
        "$bin/fenwyx-mdbread $access $work/copy.sqlite && rm -f $work/copy.sqlite" 2>&1 | grep -E 'Time|faster|±'
fi

echo "== start-up on the default library vs an empty Qt main window"
hyperfine -N -w 5 -r 60 "$bin/bench_emptywindow" \
    "env FENWYX_HOME=$work/default FENWYX_QUIT_AFTER_STARTUP=1 $bin/fenwyx" 2>&1 | grep -E 'Time|faster|±'

# Instructions do not depend on what else the machine is doing; the wall clock does.
if command -v valgrind >/dev/null; then
    echo "== instructions on the start-up path (callgrind)"
    count() { valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 | sed -n 's/.*Collected : //p'; }
    echo "empty window: $(count "$bin/bench_emptywindow")"
    echo "fenwyx:       $(FENWYX_HOME=$work/default FENWYX_QUIT_AFTER_STARTUP=1 count "$bin/fenwyx")"
fi
