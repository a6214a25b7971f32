#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the start-up benchmark in a release build and runs it inside a
# private network namespace (keypadmgr binds its ports and broadcasts at
# start-up):
#
#   scripts/bench-startup.sh [build dir, default build/bench] [bench_startup options]
#
# e.g. scripts/bench-startup.sh build/bench --runs=50 --phases
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build/bench}
[ $# -gt 0 ] && shift
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKEYPAD_BUILD_TESTS=OFF -DKEYPAD_BUILD_BENCH=ON > /dev/null
cmake --build "$dir" -j "${JOBS:-2}" --target bench_startup
if [ $# -eq 0 ]; then
    set -- --runs=30 --phases
fi
exec scripts/in-netns.sh "$dir/bin/bench_startup" "$@"
