#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up and memory of cylinder against the floor (one label) and an
# empty Qt window, alternating, in one run under Xvfb.
# usage: bench/startup.sh [RUNS] [BUILD_DIR]
# cylinder.exe against its Win32 floor under Wine: bench/startup-windows.sh.
set -euo pipefail
runs=${1:-15}
build=${2:-$(cd "$(dirname "$0")/.." && pwd)/build/default}
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
read -r display < <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "$!" >/tmp/startup-xvfb.$$)
xvfb=$(cat /tmp/startup-xvfb.$$); rm -f /tmp/startup-xvfb.$$
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$display"
"$build/bench/startup" "$runs" 300 \
    "cylinder=$build/app/cylinder" "floor=$build/bench/floor" "empty=$build/bench/floor empty"
