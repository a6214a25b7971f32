#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark binary (named bench_*) in the given folder, each
# inside a private network namespace, with repetitions so medians are shown.
set -euo pipefail
dir=$1
status=0
for b in "$dir"/bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$(dirname "$0")/in-netns.sh" "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || status=1
done
exit $status
