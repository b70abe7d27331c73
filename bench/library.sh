#!/usr/bin/env bash
# The burn library over 10,000 generated burns of about 4,000 samples each
# (2,000 a section): the time until every row has its header, until every row
# has its report against the parse floor of the same bytes on as many
# threads, and the peak memory of the library alone (/usr/bin/time -v), then
# of `velantro --library` for the same folder. Figures, not a test: read them.
#   bench/library.sh [BUILD_DIR] [FILES] [SAMPLES_PER_SECTION]
# The files (about 1.3 GB) go to a private folder under $TMPDIR (or /tmp),
# removed at exit. Each figure is taken with the files in the page cache.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/bench}
files=${2:-10000}
samples=${3:-2000}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELANTRO_BENCH=ON -DVELANTRO_TESTS=OFF >/dev/null
ninja -C "$build" libraryrun ibggen velantro >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/velantro-library-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/burns"
"$build/tools/ibggen/ibggen" --library "$files" --samples "$samples" -o "$work/burns"
echo "$files files, $(du -sm "$work/burns" | cut -f1) MB, $(nproc) cores"
cat "$work"/burns/* >/dev/null

/usr/bin/time -v "$build/bench/libraryrun" "$work/burns" 2>"$work/time"
echo "peak memory (libraryrun)  $(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time") kB"
/usr/bin/time -v "$build/src/app/velantro" --library --format csv "$work/burns" >"$work/rows.csv" 2>"$work/time"
echo "velantro --library: $(($(wc -l <"$work/rows.csv") - 1)) rows, wall" \
    "$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time"), peak" \
    "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time") kB"
