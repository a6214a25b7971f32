#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# run-each-function.sh <test program>
#
# Runs every test function of a QtTest program alone, each in a fresh run
# with its own home and XDG folders (run-isolated.sh), and then all of
# them once in reverse order, so that no function relies on what an
# earlier one left behind. Fails if any run fails.
set -u
here=$(cd "$(dirname "$0")" && pwd)
program=$1
functions=$(bash "$here/run-isolated.sh" "$program" -functions | sed -e 's/()$//') || exit 1
[ -n "$functions" ] || { echo "$program lists no test functions" >&2; exit 1; }

failed=()
for function in $functions; do
    echo "=== $function alone"
    if ! bash "$here/run-isolated.sh" "$program" "$function"; then
        failed+=("$function")
    fi
done

echo "=== every function in reverse order"
# shellcheck disable=SC2046
if ! bash "$here/run-isolated.sh" "$program" $(printf '%s\n' $functions | tac); then
    failed+=("(reverse order)")
fi

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}" >&2
    exit 1
fi
echo "every function passed alone and in reverse order"
