#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs one test program with a home and XDG folders of its own, made fresh
# for this run and removed afterwards, so no test reads or writes the real
# user's settings, colours or caches, and two suites on one machine (two
# checkouts) never share a file.
set -u
root=$(mktemp -d "${TMPDIR:-/tmp}/keypad-test.XXXXXX") || exit 1
trap 'rm -rf "$root"' EXIT
export HOME="$root/home"
export XDG_CONFIG_HOME="$root/config"
export XDG_DATA_HOME="$root/data"
export XDG_CACHE_HOME="$root/cache"
export XDG_RUNTIME_DIR="$root/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$@"
