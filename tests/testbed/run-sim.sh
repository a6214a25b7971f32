#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Starts keypadmgr against simulated keypads on a private virtual network,
# for trying the program without hardware (make run-sim):
#
#   tests/testbed/run-sim.sh <keypadmgr> <keypadsim> [keypadsim options...]
#
# Inside a private network namespace (scripts/in-netns.sh: root, or an
# unprivileged user namespace) it makes the bridge kpbr0 with the program's
# address 192.168.77.1/24, starts $SIM_KEYPADS keypads (default 1), each
# keypadsim in a namespace of its own at 192.168.77.10, .11, ... joined to
# the bridge by a veth pair, and starts the program. With SIM_ROUTED=k the
# last k keypads sit on 192.168.88.0/24 behind a router at 192.168.77.254
# instead (at 192.168.88.10, .11, ...): broadcasts do not reach them, a
# scan of that subnet does. Nothing reaches a real network.
#
# The terminal talks to the keypads: "help", "press 3", "press onoff",
# "config name=Hall", "fault error 1", ... go to keypad 1; "2: press 3"
# goes to keypad 2. "quit" or Ctrl-D ends everything; closing the program
# ends the keypads too. Keypad n logs its requests to $SIM_LOG.n (default:
# files in a temporary folder, shown at start; $SIM_LOG itself for one
# keypad).
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

keypads=${SIM_KEYPADS:-1}
routed=${SIM_ROUTED:-0}
if ! [[ "$keypads" =~ ^[0-9]+$ ]] || [ "$keypads" -lt 1 ] || [ "$keypads" -gt 200 ]; then
    echo "SIM_KEYPADS must be 1 to 200" >&2
    exit 2
fi
if ! [[ "$routed" =~ ^[0-9]+$ ]] || [ "$routed" -gt "$keypads" ]; then
    echo "SIM_ROUTED must be 0 to SIM_KEYPADS" >&2
    exit 2
fi

workdir=$(mktemp -d)
sim_pids=()
router_pid=
program_pid=
input_pid=

cleanup() {
    set +e
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$input_pid" ] && kill "$input_pid" 2>/dev/null
    for pid in "${sim_pids[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "$router_pid" ] && kill "$router_pid" 2>/dev/null
    wait 2>/dev/null
    for ((n = 0; n < keypads; n++)); do ip link del "kp${n}h" 2>/dev/null; done
    ip link del kprt0h 2>/dev/null
    ip link del kpbr0 2>/dev/null
    [ -z "${SIM_LOG:-}" ] && rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Waits until process $1 runs in a network namespace other than ours.
wait_for_namespace() {
    for _ in $(seq 100); do
        if [ "$(readlink "/proc/$1/ns/net" 2>/dev/null)" != "$(readlink /proc/self/ns/net)" ]; then
            return 0
        fi
        sleep 0.05
    done
    return 1
}

ip link set lo up
# A fixed MAC keeps the bridge's address stable whatever its ports are.
ip link add kpbr0 address 02:4b:50:00:00:01 type bridge
ip addr add 192.168.77.1/24 brd 192.168.77.255 dev kpbr0
ip link set kpbr0 up

if [ "$routed" -gt 0 ]; then
    # The router: one leg on kpbr0, the other the bridge of 192.168.88.0/24.
    unshare --net -- sleep infinity &
    router_pid=$!
    wait_for_namespace "$router_pid"
    ip link add kprt0h type veth peer name kprt0 netns "$router_pid"
    ip link set kprt0h master kpbr0 up
    nsenter -t "$router_pid" -n sh -c '
        ip link set lo up
        ip addr add 192.168.77.254/24 brd + dev kprt0
        ip link set kprt0 up
        ip link add kpbr1 type bridge
        ip addr add 192.168.88.1/24 brd + dev kpbr1
        ip link set kpbr1 up
        echo 1 > /proc/sys/net/ipv4/ip_forward'
    ip route add 192.168.88.0/24 via 192.168.77.254
fi

# Each keypad reads its commands from a pipe that the terminal loop below
# feeds (a background job would otherwise get /dev/null, so the terminal is
# kept as fd 3). Without a terminal they run until the program ends.
exec 3<&0
quit_on_eof=()
if [ -t 0 ]; then
    quit_on_eof=(--quit-on-eof)
fi
local_count=$((keypads - routed))
for ((n = 0; n < keypads; n++)); do
    if [ "$n" -lt "$local_count" ]; then
        address=192.168.77.$((10 + n))
    else
        address=192.168.88.$((10 + n - local_count))
    fi
    name=${SIM_NAME:-Lumetra Keypad}
    [ "$keypads" -gt 1 ] && name="$name $((n + 1))"
    if [ "$keypads" -eq 1 ]; then log=${SIM_LOG:-$workdir/requests.log}; else log=${SIM_LOG:-$workdir/requests.log}.$((n + 1)); fi
    mkfifo "$workdir/control.$n"
    unshare --net -- "$simulator" --name "$name" --address "$address/24" \
        --mac "$(printf '02:4c:4b:00:00:%02x' $((n + 1)))" \
        --interface kp0 --log "$log" "${quit_on_eof[@]}" "$@" <"$workdir/control.$n" &
    pid=$!
    sim_pids+=("$pid")
    exec {fd}>"$workdir/control.$n"
    eval "control_$n=$fd"
    wait_for_namespace "$pid"
    if [ "$n" -lt "$local_count" ]; then
        ip link add "kp${n}h" type veth peer name kp0 netns "$pid"
        ip link set "kp${n}h" master kpbr0 up
        gateway=
    else
        nsenter -t "$router_pid" -n ip link add "kp${n}h" type veth peer name kp0 netns "$pid"
        nsenter -t "$router_pid" -n ip link set "kp${n}h" master kpbr1 up
        gateway=192.168.88.1
    fi
    nsenter -t "$pid" -n ip link set lo up
    nsenter -t "$pid" -n ip addr add "$address/24" brd + dev kp0
    nsenter -t "$pid" -n ip link set kp0 up
    [ -n "$gateway" ] && nsenter -t "$pid" -n ip route add default via "$gateway"
    echo "Simulated keypad $((n + 1)) \"$name\" at $address."
done

echo "The program's side is 192.168.77.1. Request logs: ${SIM_LOG:-$workdir/requests.log}*."
if [ "$routed" -gt 0 ]; then
    echo "Keypads on 192.168.88.0/24 are behind a router: scan that subnet in the Keypads list."
fi
echo "Type 'help' for keypad commands ('2: press 3' for keypad 2), 'quit' or Ctrl-D to stop."

"$program" </dev/null &
program_pid=$!

# The terminal: "n: command" goes to keypad n, anything else to keypad 1.
(
    while IFS= read -r line; do
        target=0
        if [[ "$line" =~ ^[[:space:]]*([0-9]+):[[:space:]]*(.*)$ ]]; then
            target=$((BASH_REMATCH[1] - 1))
            line=${BASH_REMATCH[2]}
        fi
        if [ "$target" -lt 0 ] || [ "$target" -ge "$keypads" ]; then
            echo "no keypad $((target + 1))" >&2
            continue
        fi
        fd_name=control_$target
        if [ "$line" = quit ]; then
            for ((n = 0; n < keypads; n++)); do fd_name=control_$n; echo quit >&"${!fd_name}"; done
            break
        fi
        echo "$line" >&"${!fd_name}"
    done
    # Leaving closes the pipes: end of input ends every keypad that quits on it.
) <&3 &
input_pid=$!
# Only the loop above keeps the keypads' pipes open.
for ((n = 0; n < keypads; n++)); do
    fd_name=control_$n
    eval "exec ${!fd_name}>&-"
done

# Whichever ends first ends the others.
set +e
wait -n "${sim_pids[0]}" "$program_pid"
exit $?
