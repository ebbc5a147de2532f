#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz, clang with the sanitizers) and
# runs each for SECONDS, starting from the seeds in fuzz/corpus/. A crash
# leaves its input in WORK_DIR and fails the script. BUILD_DIR is where the
# preset builds (build/fuzz unless given).
#
#   scripts/fuzz.sh [SECONDS [WORK_DIR [BUILD_DIR]]]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
work=${2:-build/fuzz-runs}
build=${3:-build/fuzz}

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" >/dev/null

for target in wordrow lineload dialogue; do
    corpus=$work/$target
    mkdir -p "$corpus"
    cp fuzz/corpus/"$target"/* "$corpus"/
    echo "=== fuzz_$target for ${seconds}s"
    log=$work/$target.log
    # -close_fd_mask=3: the targets' own output and messages are noise here.
    if ! "$build"/fuzz/fuzz_"$target" -max_total_time="$seconds" -close_fd_mask=3 \
        -artifact_prefix="$work/$target-" -print_final_stats=1 "$corpus" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "fuzz_$target found a failing input; see $work" >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$log"
done
echo "fuzzing: no failing input"
