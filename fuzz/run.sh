#!/usr/bin/env bash
# Builds loadpass_fuzz with clang in build/fuzz, makes the seed corpus and
# fuzzes for SECONDS. Fails on any crash, leak, sanitizer report, input slower
# than one second or memory runaway.
#   fuzz/run.sh SECONDS
# Needs clang and libclang-rt-14-dev (libFuzzer and the sanitizer runtimes).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -ne 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
    echo "usage: fuzz/run.sh SECONDS" >&2
    exit 2
fi
seconds=$1
build=build/fuzz
mkdir -p build

# The whole tree needs Qt only to configure; the fuzz folder alone builds the
# core, so a tree that cannot be configured does not stop the fuzzing.
if CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DVELANTRO_FUZZ=ON -DVELANTRO_TESTS=OFF \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build.configure.log" 2>&1; then
    fuzzer=$build/fuzz/loadpass_fuzz
    ibggen=$build/tools/ibggen/ibggen
else
    echo "run.sh: the whole tree does not configure (see $build.configure.log); building fuzz/ alone" >&2
    build=build/fuzz-core
    CC=clang CXX=clang++ cmake -S fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fuzzer=$build/loadpass_fuzz
    ibggen=$build/ibggen/ibggen
fi
ninja -C "$build" loadpass_fuzz ibggen >/dev/null

# Seeds are made anew; what the fuzzer learns stays in the work corpus.
rm -rf "$build/seed"
fuzz/make_corpus.sh "$ibggen" "$build/seed"
rm -rf "$build/artifacts"
mkdir -p "$build/corpus" "$build/artifacts"

# A crash skips the fuzzer's own clean-up: its scratch folder lives in ours.
scratch=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/velantro-fuzz-run-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
"$fuzzer" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -max_len=16384 \
    -dict=fuzz/ibg.dict -print_final_stats=1 -artifact_prefix="$build/artifacts/" \
    "$build/corpus" "$build/seed" || status=$?

if [ "$status" -ne 0 ] || [ -n "$(ls -A "$build/artifacts")" ]; then
    echo "run.sh: the fuzzer found a problem (exit $status); inputs in $build/artifacts" >&2
    exit 1
fi
echo "run.sh: no finding in $seconds s"
