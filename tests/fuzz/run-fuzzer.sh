#!/bin/bash
# One fuzz run: FUZZER SCRATCH SEEDS [libFuzzer options...]
# New inputs and crash reproducers go to SCRATCH (emptied first); SEEDS is only read.
set -euo pipefail
fuzzer=$1 scratch=$2 seeds=$3
shift 3
[ -x "$fuzzer" ] || { echo "run-fuzzer: $fuzzer not built" >&2; exit 1; }
rm -rf "$scratch"
mkdir -p "$scratch/corpus"
exec "$fuzzer" -artifact_prefix="$scratch/" -print_final_stats=1 "$@" "$scratch/corpus" "$seeds"
