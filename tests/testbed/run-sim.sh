#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Starts keypadmgr against one simulated keypad on a private virtual
# network, for trying the program without hardware (make run-sim):
#
#   tests/testbed/run-sim.sh <keypadmgr> <keypadsim> [keypadsim options...]
#
# Inside a private network namespace (scripts/in-netns.sh: root, or an
# unprivileged user namespace) it makes the bridge kpbr0 with the program's
# address 192.168.77.1/24, starts keypadsim in a namespace of its own at
# 192.168.77.10/24 joined to the bridge by a veth pair, and starts the
# program. Nothing reaches a real network.
#
# The terminal talks to the keypad: type "help", "press 3", "press onoff",
# "config name=Hall", "fault error 1", ...; "quit" or Ctrl-D ends both.
# Closing the program ends the keypad too. The keypad's request log goes
# to $SIM_LOG (default: a file in a temporary folder, shown at start).
set -euo pipefail

if [ "$#" -lt 2 ]; then
    echo "usage: $0 <keypadmgr> <keypadsim> [keypadsim options...]" >&2
    exit 2
fi
program=$(realpath "$1")
simulator=$(realpath "$2")
shift 2

if [ "${KEYPAD_IN_NETNS:-}" != 1 ]; then
    exec "$(dirname "$0")/../../scripts/in-netns.sh" "$0" "$program" "$simulator" "$@"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
fi

workdir=$(mktemp -d)
log=${SIM_LOG:-$workdir/requests.log}
sim_pid=
program_pid=

cleanup() {
    set +e
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
    wait 2>/dev/null
    ip link del kp0h 2>/dev/null
    ip link del kpbr0 2>/dev/null
    [ -z "${SIM_LOG:-}" ] && rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

ip link set lo up
# A fixed MAC keeps the bridge's address stable whatever its ports are.
ip link add kpbr0 address 02:4b:50:00:00:01 type bridge
ip addr add 192.168.77.1/24 brd 192.168.77.255 dev kpbr0
ip link set kpbr0 up

# The keypad reads its commands from this terminal (a background job would
# otherwise get /dev/null). Without a terminal it runs until the program ends.
exec 3<&0
quit_on_eof=()
if [ -t 0 ]; then
    quit_on_eof=(--quit-on-eof)
fi
unshare --net -- "$simulator" --name "${SIM_NAME:-Lumetra Keypad}" --address 192.168.77.10/24 \
    --interface kp0 --log "$log" "${quit_on_eof[@]}" "$@" <&3 &
sim_pid=$!

# Wait until unshare has made the keypad's namespace, then move its link in.
for _ in $(seq 100); do
    if [ "$(readlink "/proc/$sim_pid/ns/net" 2>/dev/null)" != "$(readlink /proc/self/ns/net)" ]; then
        break
    fi
    sleep 0.05
done
ip link add kp0h type veth peer name kp0 netns "$sim_pid"
ip link set kp0h master kpbr0 up
nsenter -t "$sim_pid" -n ip link set lo up
nsenter -t "$sim_pid" -n ip addr add 192.168.77.10/24 brd + dev kp0
nsenter -t "$sim_pid" -n ip link set kp0 up

echo "Simulated keypad \"${SIM_NAME:-Lumetra Keypad}\" at 192.168.77.10; the program's side is 192.168.77.1."
echo "Request log: $log. Type 'help' for keypad commands, 'quit' or Ctrl-D to stop."

"$program" </dev/null &
program_pid=$!

# Whichever ends first ends the other.
set +e
wait -n "$sim_pid" "$program_pid"
status=$?
exit "$status"
