#!/usr/bin/env bash
# The benchmark command: builds the bench preset (mingw-w64) and runs the benchmark under Wine, in
# its own prefix build/wine-bench, from C:\corvane-bench. It prints one table: each operation's
# median time beside the median of its floor from the same run, and their ratio. Extra arguments
# go to the benchmark program (claim, list or catalogue runs only that part).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/build-preset bench

export WINEPREFIX=$PWD/build/wine-bench
source scripts/wine-env.sh
wine_prefix_ready

# The prefix is the bench's alone: whatever an interrupted run left on its C: goes before and after.
drive=$WINEPREFIX/drive_c
clean_up() {
    stop_wine
    rm -rf "$drive/kel" "$drive/corvane-bench"
}
trap clean_up EXIT
clean_up
mkdir -p "$drive/corvane-bench"
cp build/bench/bin/corvane_bench.exe "$drive/corvane-bench/"

echo "machine: $(nproc) cores, $(sed -nE 's/^model name\s*:\s*//p' /proc/cpuinfo | head -n 1); $("$WINELOADER" --version)"
"$WINELOADER" 'C:\corvane-bench\corvane_bench.exe' "$@"
