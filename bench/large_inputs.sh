#!/usr/bin/env bash
# Memory and time of the load pass on large and hostile files, measured with
# /usr/bin/time -v (Debian package "time"). Figures, not a test: read them.
#   bench/large_inputs.sh [BUILD_DIR]      (default build/bench, Release)
# The files go to a private folder under $TMPDIR (or /tmp), removed at exit;
# about 1.5 GB is needed for a moment.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELANTRO_BENCH=ON -DVELANTRO_TESTS=OFF >/dev/null
ninja -C "$build" passrun ibggen velantro >/dev/null
passrun=$build/bench/passrun
ibggen=$build/tools/ibggen/ibggen
velantro=$build/src/app/velantro

work=$(mktemp -d "${TMPDIR:-/tmp}/velantro-large-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Runs passrun under time -v; prints the verdict, peak memory and wall time.
measure() {
    local label=$1
    shift
    /usr/bin/time -v "$passrun" "$@" >"$work/out" 2>"$work/time"
    local verdict peak wall
    verdict=$(sed -n 's/^verdict: //p' "$work/out")
    peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
    wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")
    printf '%-44s %-9s peak %7d kB  wall %s\n' "$label" "$verdict" "$peak" "$wall"
}

size() { printf '%d MB' $(($(stat -c %s "$1") / 1000000)); }

echo "== sample count against peak memory (both sections, averaged and raw)"
"$ibggen" --kind dvd-verify --samples 500 -o "$work/small.ibg"
"$ibggen" --kind dvd-verify --samples 5000000 -o "$work/large.ibg"
echo "10^3 samples: $(stat -c %s "$work/small.ibg") bytes; 10^7 samples: $(size "$work/large.ibg")"
measure "10^3 samples, averaged" "$work/small.ibg"
measure "10^7 samples, averaged" "$work/large.ibg"
measure "10^3 samples, raw" "$work/small.ibg" --raw
measure "10^7 samples, raw" "$work/large.ibg" --raw

# The burn report: the same reader, and memory as flat.
report() {
    local label=$1
    shift
    /usr/bin/time -v "$velantro" --report "$@" >/dev/null 2>"$work/time" || true
    printf '%-44s peak %7d kB  wall %s\n' "$label" \
        "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")" \
        "$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")"
}
report "--report, 10^3 samples" "$work/small.ibg"
report "--report, 10^7 samples" "$work/large.ibg"
report "--report --format json, 10^7 samples" --format json "$work/large.ibg"
rm -f "$work/large.ibg"

echo "== --report --format json on 1,000 files of 2,000 samples in one call"
mkdir "$work/batch"
for seed in $(seq 1 1000); do
    "$ibggen" --kind dvd-verify --samples 1000 --seed "$seed" -o "$work/batch/$seed.ibg"
done
report "1,000 files" --format json "$work"/batch/*.ibg
rm -rf "$work/batch"

echo "== one line of 100 MB"
head -c 100000000 /dev/zero | tr '\0' 'A' >"$work/line.ibg"
measure "100 MB line, no key" "$work/line.ibg"
# A line that is a key: its value is kept as the information text.
{ printf 'DATE='; head -c 100000000 /dev/zero | tr '\0' '7'; } >"$work/line.ibg"
measure "100 MB line, DATE= key" "$work/line.ibg"
rm -f "$work/line.ibg"

echo "== 1 GB of random bytes"
head -c 1000000000 /dev/urandom >"$work/random.ibg"
measure "1 GB random bytes" "$work/random.ibg"
rm -f "$work/random.ibg"

echo "== 1,000 passes on a 10^5-sample file, averaged and raw in turn"
"$ibggen" --kind dvd-verify --samples 50000 -o "$work/replot.ibg"
/usr/bin/time -v "$passrun" "$work/replot.ibg" 1000 --toggle >"$work/out" 2>"$work/time"
cat "$work/out"
sed -n 's/.*\(Elapsed (wall clock) time\).*: /wall: /p' "$work/time"
