#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time from its seed corpus and prints
# its figures; fails when an input crashes it or breaks an invariant.
#   run_fuzzer.sh FUZZER SEEDS WORK SECONDS [DICTIONARY]
# New inputs go to WORK (emptied first), never into the checked-in SEEDS. An
# input that failed is kept as WORK-crash-* (or -leak-*, -timeout-*) and its
# log as WORK.log.
set -uo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=$4 dictionary=${5:-}
rm -rf "$work" "$work"-crash-* "$work"-leak-* "$work"-timeout-* "$work"-oom-*
mkdir -p "$work"
args=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$work-")
if [ -n "$dictionary" ]; then
    args+=(-dict="$dictionary")
fi
"$fuzzer" "${args[@]}" "$work" "$seeds" >"$work.log" 2>&1
status=$?
name=$(basename "$fuzzer")
grep -E '^(Done [0-9]+ runs|stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb))' \
    "$work.log" | sed "s/^/$name: /"
echo "$name: corpus $(ls "$seeds" | wc -l) seeds, $(ls "$work" | wc -l) new inputs"
if [ "$status" -ne 0 ]; then
    echo "$name: FAILED (exit $status); the end of $work.log:"
    tail -n 40 "$work.log"
fi
exit "$status"
