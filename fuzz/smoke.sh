#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, starting from the committed seeds. New inputs go
# to a scratch folder, so the corpus stays as committed; a failing input is kept in
# BUILD/fuzz-failures.
#
#   fuzz/smoke.sh BUILD_DIR [SECONDS]     (default 20 s per target)
set -euo pipefail
build=$(cd "$1" && pwd)
# A smaller quarantine and shorter allocation stacks: several times the executions per second.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32:malloc_context_size=2}
seconds=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

passed=0
failed=0
for target in fuzz_map_store fuzz_voltage_store fuzz_receive fuzz_config_file fuzz_command_line; do
    mkdir -p "$scratch/$target"
    log="$scratch/$target.log"
    if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -max_len=16384 \
        -print_final_stats=1 -artifact_prefix="$scratch/$target-" \
        "$scratch/$target" "$here/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
        echo "fuzz: $target passed: $runs executions in ${seconds} s, $cov"
        passed=$((passed + 1))
    else
        echo "fuzz: $target FAILED"
        tail -n 40 "$log"
        mkdir -p "$build/fuzz-failures"
        cp "$scratch/$target"-* "$build/fuzz-failures/" 2>/dev/null || true
        failed=$((failed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
