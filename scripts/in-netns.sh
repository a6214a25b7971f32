#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a command inside a fresh private network namespace (and a private
# mount namespace, so the test bed's named namespaces stay private too)
# with only loopback up. Nothing the command sends can leave the machine.
#
#   scripts/in-netns.sh ctest --test-dir build/test
set -euo pipefail

if [ "${KEYPAD_IN_NETNS:-}" = 1 ]; then
    ip link set lo up
    exec "$@"
fi

flags=(--net --mount --propagation private)
if [ "$(id -u)" -ne 0 ]; then
    # Unprivileged: a user namespace maps us to root inside it.
    flags+=(--map-root-user)
fi
export KEYPAD_IN_NETNS=1
exec unshare "${flags[@]}" -- "$0" "$@"
