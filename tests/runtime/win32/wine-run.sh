#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one Windows program under Wine and returns its exit code; CTest's
# cross-compiling emulator. The prefix is $WINEPREFIX, else wine-prefix in the
# build folder above the program (made by the wine_prefix test fixture).
set -euo pipefail
[[ $# -ge 1 ]] || { echo "usage: $0 program.exe [arguments...]" >&2; exit 2; }
if [[ -z "${WINEPREFIX:-}" ]]; then
    dir=$(cd "$(dirname "$1")" && pwd)
    while [[ "$dir" != / && ! -f "$dir/CMakeCache.txt" ]]; do dir=$(dirname "$dir"); done
    [[ -f "$dir/CMakeCache.txt" ]] || { echo "$0: no WINEPREFIX and no build folder above $1" >&2; exit 2; }
    export WINEPREFIX="$dir/wine-prefix"
fi
# No Mono/Gecko download prompts, no menu entries written into the host's home.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The output goes through a file: Wine's helper processes, started on demand,
# inherit it and outlive the program; on a pipe they would keep CTest waiting.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
timeout --kill-after=10 "${WINE_RUN_TIMEOUT:-300}" wine "$@" </dev/null >"$output" 2>&1 || status=$?
cat "$output"
exit "$status"
