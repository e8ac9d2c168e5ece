#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz and runs one of them.
#   scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
# TARGET is parse_powers, parse_ns or query_int (the fuzz_ prefix is optional). The corpus
# grows in fuzz-out/<target>/corpus; crashing inputs are written to fuzz-out/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

if (($# < 2)); then
    echo "usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]" >&2
    exit 2
fi
name=${1#fuzz_}
seconds=$2
shift 2
case $name in
parse_powers | parse_ns | query_int) ;;
*)
    echo "unknown target '$name' (parse_powers, parse_ns or query_int)" >&2
    exit 2
    ;;
esac

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZENTRIMA_FUZZ=ON -DZENTRIMA_TESTS=OFF -DZENTRIMA_SANITIZE=ON >/dev/null
cmake --build build-fuzz -j2 --target "fuzz_$name"

out=fuzz-out/$name
mkdir -p "$out/corpus"
exec build-fuzz/fuzz/fuzz_$name -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$out/" "$@" "$out/corpus" "fuzz/seeds/$name"
