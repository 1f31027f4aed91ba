#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program in a real X window: clicks at the designed positions,
# types, calculates and reads boxes and the report back through the clipboard.
set -euo pipefail
program=$1
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
source "$(dirname "$0")/../lib/xwindow.sh"

start_display
"$program" & app=$!
win=$(find_window "$caption" 20)
[[ -n "$win" ]] || fail "no window"
sleep 0.5
read -r _ _ width height < <(geometry "$win")
[[ "$width x $height" == "504 x 419" ]] || fail "window is $width x $height"
# Without a window manager Qt's X window is the client area itself.
move() { xdotool mousemove --window "$win" "$@"; }

check_variants
check_errors
check_clear
echo "1 passed, 0 failed"
