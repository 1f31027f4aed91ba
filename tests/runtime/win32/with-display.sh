#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command with DISPLAY set to a fresh Xvfb screen of its own, and
# stops that Xvfb afterwards; Wine needs an X display to make any window.
# usage: with-display.sh COMMAND [ARGUMENTS...]
set -euo pipefail
[[ $# -ge 1 ]] || { echo "usage: $0 command [arguments...]" >&2; exit 2; }
source "$(dirname "$0")/../../lib/xwindow.sh"
start_display
status=0
"$@" || status=$?
exit "$status"
