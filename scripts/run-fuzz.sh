#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs every fuzz target (named fuzz_*) in the given folder for the given
# number of seconds, one after the other, inside a private network
# namespace. Each target starts from its committed seeds (fuzz/corpus/<name>)
# and keeps what it learns in <work>/<name>, so later runs go on from there.
# Inputs that crash land in <work>/findings/ and the full output in
# <work>/<name>.log; the run fails if a target found something.
#
#   scripts/run-fuzz.sh build/fuzz/bin 60 build/fuzz/corpus [fuzz_ovrcolor ...]
set -euo pipefail
bin=$1
seconds=$2
work=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
seeds="$here/../fuzz/corpus"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for t in "$bin"/fuzz_*; do
        [ -x "$t" ] && targets+=("$(basename "$t")")
    done
fi

# The leaks Qt's platform plugins and font libraries make once per process
# are the same ones the tests let pass.
export LSAN_OPTIONS="suppressions=$here/../cmake/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

mkdir -p "$work/findings"
failed=()
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    corpus=("$work/$name")
    mkdir -p "$work/$name"
    [ -d "$seeds/$name" ] && corpus+=("$seeds/$name")
    dict=()
    [ -f "$here/../fuzz/$name.dict" ] && dict=(-dict="$here/../fuzz/$name.dict")
    log="$work/$name.log"
    echo "== $target: $seconds s (log: $log)"
    if ! "$here/in-netns.sh" "$bin/$target" -max_total_time="$seconds" -print_final_stats=1 \
            -max_len=8192 -rss_limit_mb=2048 -artifact_prefix="$work/findings/$name-" "${dict[@]}" "${corpus[@]}" 2> "$log"; then
        failed+=("$target")
        grep -E '^(==[0-9]+==ERROR|SUMMARY|artifact_prefix)|runtime error' "$log" || tail -n 20 "$log"
    fi
    grep -E '^(Done|stat::number_of_executed_units)' "$log" || true
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Findings from: ${failed[*]} (inputs in $work/findings/)" >&2
    exit 1
fi
echo "No findings."
