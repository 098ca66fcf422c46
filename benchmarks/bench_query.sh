#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Query timing: each kind through fenwyx-cli against the same SELECT in the sqlite3 shell, and the
# query-parameter load, on a generated library. Usage: bench_query.sh BUILD_BIN_DIR [PHOTOS]
set -eu
bin=${1:?usage: bench_query.sh BUILD_BIN_DIR [PHOTOS]}
photos=${2:-100000}
lib=$(mktemp -d)
trap 'rm -rf "$lib"' EXIT
"$bin/fenwyx-sample" "$lib" --photos "$photos" --no-images >/dev/null
db="$lib/Photo.mdb"
runs=5

# Best of $runs wall-clock seconds of a command line.
best() {
    b=
    i=0
    while [ $i -lt $runs ]; do
        s=$(date +%s.%N)
        sh -c "$1" >/dev/null
        e=$(date +%s.%N)
        t=$(echo "$e - $s" | bc)
        if [ -z "$b" ] || [ "$(echo "$t < $b" | bc)" = 1 ]; then b=$t; fi
        i=$((i + 1))
    done
    echo "$b"
}

book=$(sqlite3 "$db" "SELECT BookLabel FROM Books LIMIT 1")
veg=$(sqlite3 "$db" "SELECT VegType FROM Photos WHERE VegType IS NOT NULL LIMIT 1")
dr=$(sqlite3 "$db" "SELECT DangerRatingFM FROM Photos WHERE DangerRatingFM IS NOT NULL LIMIT 1")
fine="(TonsPerAcreBreak1+TonsPerAcreBreak2+TonsPerAcreBreak3)"
coarse="(TonsPerAcreBreak4+TonsPerAcreBreak5+TonsPerAcreBreak6+TonsPerAcreBreak7)"

compare() { # name, cli arguments, SQL condition
    c=$(best "'$bin/fenwyx-cli' --home '$lib' query $2")
    q=$(best "sqlite3 -csv -header '$db' \"SELECT * FROM Photos $3\"")
    rows=$("$bin/fenwyx-cli" --home "$lib" query $2 | wc -l)
    printf '%-8s rows %-7s fenwyx-cli %6.3fs  sqlite3 %6.3fs  ratio %5.2f\n' "$1" $((rows - 1)) "$c" "$q" \
        "$(echo "$c / $q" | bc -l)"
}

echo "library: $photos photos"
compare all "all" ""
compare book "book --book $book" "WHERE BookLabel = '$book' COLLATE NOCASE"
compare total "total --from 0 --to 40 --veg $veg" \
    "WHERE TotalFL >= 0 AND TotalFL <= 40 AND (VegType = '$veg' COLLATE NOCASE)"
compare size "size --fine-from 0 --fine-to 10 --coarse-from 0 --coarse-to 30" \
    "WHERE $fine >= 0 AND $fine <= 10 AND $coarse >= 0 AND $coarse <= 30"
compare models "models --danger $dr" "WHERE (DangerRatingFM = '$dr' COLLATE NOCASE)"
printf 'params (LoadQueryParameters lists, incl. process start and database open) %6.3fs\n' \
    "$(best "'$bin/fenwyx-cli' --home '$lib' params")"
printf 'process start and database open alone (query book --book none)          %6.3fs\n' \
    "$(best "'$bin/fenwyx-cli' --home '$lib' query book --book __none__ 2>/dev/null || true")"
