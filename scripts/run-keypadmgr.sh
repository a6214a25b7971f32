#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Starts keypadmgr. The program broadcasts discovery requests as soon as it
# starts, so by default it runs inside a private network namespace where it
# sees no keypad and offers demo mode. On site, with a real keypad on the
# PC's network, start it with LIVE=1 to use the real network.
# Without a display it runs on Qt's offscreen platform.
set -euo pipefail
program=$1; shift
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
fi
if [ "${LIVE:-0}" = 1 ]; then
    exec "$program" "$@"
fi
exec "$(dirname "$0")/in-netns.sh" "$program" "$@"
