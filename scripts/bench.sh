#!/usr/bin/env bash
# The benchmark command: builds the bench preset, runs every benchmark (five repetitions each) and
# prints each operation's median time beside the median of its floor from the same run, as a ratio.
# Extra arguments go to the benchmark program (e.g. --benchmark_filter=Claim).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

cmake --preset bench >build-bench.log 2>&1 && cmake --build --preset bench >>build-bench.log 2>&1 ||
    { cat build-bench.log; exit 1; }
rm -f build-bench.log

echo "machine: $(nproc) cores, $(sed -nE 's/^model name\s*:\s*//p' /proc/cpuinfo | head -n 1)"
csv=$(mktemp)
trap 'rm -f "$csv"' EXIT
build/bench/bin/corvane_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.5 --benchmark_format=csv "$@" >"$csv" 2>/dev/null

# Rows look like "InstallClaim/998_median",iterations,real_time,cpu_time,time_unit,...
awk -F, '
    BEGIN {
        floor["InstallClaim"] = "FloorClaim"; what["InstallClaim"] = "claim the next number, taken:"
        floor["ListSystems"] = "FloorList"; what["ListSystems"] = "list the base, entries:"
        floor["LoadCatalogue"] = "FloorRead"; what["LoadCatalogue"] = "load the catalogue, MiB/one token:"
    }
    $1 ~ /_median"$/ {
        name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
        split(name, part, "/"); size = substr(name, length(part[1]) + 2)
        t[part[1], size] = $3; unit[part[1], size] = $5; sizes[part[1]] = sizes[part[1]] " " size
    }
    END {
        printf "| %-36s | %-8s | %14s | %14s | %5s |\n", "operation", "size", "time", "floor", "ratio"
        printf "|%s|%s|%s|%s|%s|\n", "--------------------------------------", "----------", "----------------", "----------------", "-------"
        for (op in floor) {
            n = split(sizes[op], list, " ")
            for (i = 1; i <= n; i++) {
                s = list[i]; f = t[floor[op], s]
                printf "| %-36s | %-8s | %11.3f %-2s | %11.3f %-2s | %5.2f |\n", what[op], s, t[op, s], unit[op, s], f, unit[floor[op], s], t[op, s] / f
            }
        }
        for (key in t) {
            split(key, k, SUBSEP)
            if (k[1] == "WholeRead")
                printf "\nreading the whole file into one string (MiB/one token %s): %.3f %s\n", k[2], t[key], unit[key]
        }
    }' "$csv"
