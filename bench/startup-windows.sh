#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of cylinder.exe against the Win32 floor under Wine, alternating, in
# one run under Xvfb, timed by the Linux bench/startup. The prefix is the
# bench's own, with a persistent wineserver, so each start times the program
# and not Wine's boot; a first untimed round starts Wine's services and
# desktop process.
# usage: bench/startup-windows.sh [RUNS] [WINDOWS_BUILD_DIR] [LINUX_BUILD_DIR]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
windows=$(cd "${2:-$source_dir/build/windows}" && pwd)
linux=$(cd "${3:-$source_dir/build/default}" && pwd)
wine=$(command -v wine)
for file in "$windows/app/cylinder.exe" "$windows/bench/floor_win32.exe" "$linux/bench/startup"; do
    [[ -x "$file" ]] || { echo "$0: $file is missing (tools/build windows; tools/build default)" >&2; exit 2; }
done
export WINEPREFIX="$windows/bench-wine-prefix" LANG=bg_BG.UTF-8
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WAYLAND_DISPLAY LC_ALL

pidfile=$(mktemp)
read -r display < <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "$!" >"$pidfile")
xvfb=$(cat "$pidfile"); rm -f "$pidfile"
prefix_tool="$source_dir/tests/runtime/win32/wine-prefix.sh"
trap '"$prefix_tool" cleanup; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$display"
# Makes the prefix once, as the tests' fixture does, and keeps its wineserver up.
"$prefix_tool" setup >/dev/null

programs=("cylinder.exe=$wine $windows/app/cylinder.exe"
          "floor_win32.exe=$wine $windows/bench/floor_win32.exe")
"$linux/bench/startup" 1 300 "${programs[@]}" >/dev/null
"$linux/bench/startup" "$runs" 300 "${programs[@]}"
