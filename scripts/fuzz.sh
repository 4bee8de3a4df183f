#!/usr/bin/env bash
# Builds the fuzz preset and runs libFuzzer targets, each for the given number of seconds
# (default 600), starting from its seed corpus in tests/fuzz/corpus/<target>.
# Usage: scripts/fuzz.sh [seconds] [target...]   (targets: FuzzNames FuzzCommandLines FuzzCatalogue)
# New inputs go to build/fuzz/corpus/<target>, crashing inputs to build/fuzz/crashes/<target>;
# the seeds in the repository are only read. Exits non-zero when any target finds a fault.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(FuzzNames FuzzCommandLines FuzzCatalogue)

scripts/build-preset fuzz || exit 1

status=0
for target in "${targets[@]}"; do
    work=build/fuzz/corpus/$target
    crashes=build/fuzz/crashes/$target
    mkdir -p "$work" "$crashes"
    log=$(mktemp)
    # Catalogue inputs may be padded past the reader's 64 KiB chunks by the target itself, so the
    # raw inputs stay small everywhere.
    build/fuzz/bin/"$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$crashes/" -print_final_stats=1 "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1
    result=$?
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log")
    if [ "$result" -eq 0 ]; then
        echo "fuzz $target: passed, ${runs:-?} runs in ${seconds} s"
    else
        status=1
        grep -E 'ERROR|SUMMARY|Test unit written|^==' "$log" | head -n 20
        echo "fuzz $target: FAILED after ${runs:-?} runs (input saved in $crashes)"
    fi
    rm -f "$log"
done
exit "$status"
