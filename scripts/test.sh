#!/usr/bin/env bash
# The test command: installs what is missing, builds the native, sanitized and Windows presets and
# runs every test (the Windows ones under Wine, on a virtual display), then prints one summary.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/deps.sh || exit 1

for preset in host host-asan windows; do
    echo "=== build: $preset"
    cmake --preset "$preset" >"build-$preset.log" 2>&1 || { cat "build-$preset.log"; exit 1; }
    cmake --build --preset "$preset" 2>&1 | grep -vE '^\[ *[0-9]+%\]|^(gmake|make)\[' || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "build of $preset failed"; exit 1; }
    rm -f "build-$preset.log"
done

passed=0
failed=0
# Runs one ctest invocation and adds its counts to the totals.
run_ctest() {
    local label=$1
    shift
    echo "=== tests: $label"
    local out
    out=$(mktemp)
    "$@" 2>&1 | tee "$out"
    local line total bad
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -n 1)
    if [ -z "$line" ]; then
        failed=$((failed + 1))
        echo "$label: ctest gave no summary"
    else
        bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
        total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    fi
    rm -f "$out"
}

run_ctest native ctest --preset host
run_ctest sanitized ctest --preset host-asan
# Dialogs need a display: one virtual display and one Wine server for the whole Windows run.
run_ctest wine xvfb-run -a -s "-screen 0 1280x1024x24" scripts/with-wine ctest --preset windows

echo
echo "all runs: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
