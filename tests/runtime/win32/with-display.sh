#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command with DISPLAY set to a fresh Xvfb screen of its own, and
# stops that Xvfb afterwards; Wine needs an X display to make any window.
# usage: with-display.sh COMMAND [ARGUMENTS...]
set -euo pipefail
[[ $# -ge 1 ]] || { echo "usage: $0 command [arguments...]" >&2; exit 2; }
pidfile=$(mktemp)
read -r display < <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "$!" >"$pidfile")
xvfb=$(cat "$pidfile")
rm -f "$pidfile"
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
[[ -n "$display" ]] || { echo "$0: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"
status=0
"$@" || status=$?
exit "$status"
