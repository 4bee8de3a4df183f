#!/usr/bin/env bash
# The test command: installs what is missing, builds the native, sanitized, Windows (64-bit and
# 32-bit) and fuzz presets, runs every test (natively, sanitized, under valgrind's memcheck, and the
# Windows ones under Wine on a virtual display), runs each fuzzer briefly from its seed corpus,
# checks the release command, then prints one summary.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/deps.sh || exit 1

for preset in host host-asan windows windows-x86 fuzz; do
    echo "=== build: $preset"
    scripts/build-preset "$preset" || exit 1
done

passed=0
failed=0
skipped=0
summary=

# Runs one test command, showing its output, and sets `summary` to the last line of it that
# matches `pattern`; a command that printed none counts as one failure.
run_summarised() {
    local label=$1 pattern=$2
    shift 2
    echo "=== tests: $label"
    local out
    out=$(mktemp)
    "$@" 2>&1 | tee "$out"
    summary=$(grep -E "$pattern" "$out" | tail -n 1)
    rm -f "$out"
    if [ -z "$summary" ]; then
        failed=$((failed + 1))
        echo "$label: no test summary"
    fi
}

# Runs one ctest invocation and adds its counts to the totals.
run_ctest() {
    local label=$1 bad total
    shift
    run_summarised "$label" '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$@"
    [ -n "$summary" ] || return 0
    bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

# The native test program once more under memcheck: every gtest case counts, and any memory error
# (or a definite leak) in the run counts as one more failure. Its children (the stub command and the
# concurrent installers) are ordinary programs already run natively and sanitized above.
run_memcheck() {
    echo "=== tests: memcheck"
    local out
    out=$(mktemp)
    valgrind --tool=memcheck --trace-children=no --leak-check=full --errors-for-leak-kinds=definite \
        --error-exitcode=99 build/host/bin/corvane_tests >"$out" 2>&1
    local status=$? good bad
    grep -E '^\[  (PASSED|FAILED) +\]|ERROR SUMMARY' "$out"
    good=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$out")
    bad=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$out")
    passed=$((passed + ${good:-0}))
    failed=$((failed + ${bad:-0}))
    if [ "$status" -eq 99 ] || [ -z "$good" ]; then
        failed=$((failed + 1))
        echo "memcheck: memory errors or no test summary (exit status $status)"
        grep -E '^==[0-9]+==' "$out" | head -n 40
    fi
    rm -f "$out"
}

# Each fuzzer for half a minute from its seed corpus; one result per fuzzer.
run_fuzzers() {
    local target
    for target in FuzzNames FuzzCommandLines FuzzCatalogue; do
        echo "=== fuzz: $target"
        if scripts/fuzz.sh 30 "$target"; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
        fi
    done
}

# The release command's checks (tests/package): they print their own summary line.
run_package() {
    local good bad skip
    run_summarised package '^package: [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped$' tests/package/test-package.sh
    [ -n "$summary" ] || return 0
    read -r _ good _ bad _ skip _ <<<"$summary"
    passed=$((passed + good))
    failed=$((failed + bad))
    skipped=$((skipped + skip))
}

run_ctest native ctest --preset host
run_ctest sanitized ctest --preset host-asan
run_memcheck
run_fuzzers
# Every Windows suite runs in a locale made and named here (scripts/locales.sh), never the caller's.
source scripts/locales.sh
# Dialogs need a display: one virtual display and one Wine server for the whole Windows run.
run_ctest wine in_code_page en_US 1252 xvfb-run -a -s "-screen 0 1280x1024x24" scripts/with-wine ctest --preset windows
# Every test that opens no dialog once more in a Cyrillic and a Japanese code page.
run_ctest wine-cp1251 in_code_page ru_RU 1251 xvfb-run -a -s "-screen 0 1280x1024x24" scripts/with-wine \
    ctest --preset windows -L code-page
run_ctest wine-cp932 in_code_page ja_JP 932 xvfb-run -a -s "-screen 0 1280x1024x24" scripts/with-wine \
    ctest --preset windows -L code-page
# The 32-bit build in a 32-bit Windows of its own: its unit tests and one install and upgrade end
# to end. Where the kernel runs no 32-bit programs there is no 32-bit Wine (see deps.sh).
if (source scripts/wine-env.sh && wine32_runs); then
    run_ctest wine32 in_code_page en_US 1252 xvfb-run -a -s "-screen 0 1280x1024x24" env WINEARCH=win32 scripts/with-wine \
        ctest --preset windows-x86
else
    echo "=== tests: wine32"
    echo "skipped: this kernel runs no 32-bit programs, so there is no 32-bit Wine; the 32-bit build was only compiled"
    skipped=$((skipped + 1))
fi
run_package

echo
echo "total: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
