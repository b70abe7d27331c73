#!/usr/bin/env bash
# Builds the seed corpus for loadpass_fuzz in OUT_DIR: the examples, cut to
# a few kilobytes where they are larger, and short generated files of every
# kind and line ending.
#   fuzz/make_corpus.sh IBGGEN OUT_DIR
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -ne 2 ]; then
    echo "usage: fuzz/make_corpus.sh IBGGEN OUT_DIR" >&2
    exit 2
fi
ibggen=$1
out=$2
limit=4096

mkdir -p "$out"
for example in examples/*.ibg; do
    name=$(basename "$example" .ibg)
    head -c "$limit" "$example" > "$out/example-$name"
done

kinds=$("$ibggen" --help | sed -n 's/^kinds: *//p')
for kind in $kinds; do
    for eol in crlf lf cr; do
        for samples in 1 3 30; do
            "$ibggen" --kind "$kind" --samples "$samples" --eol "$eol" --seed "$samples" \
                -o "$out/gen-$kind-$eol-$samples"
        done
    done
done
echo "corpus: $(ls "$out" | wc -l) files in $out"
