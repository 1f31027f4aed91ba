#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a Wine prefix of its own: a copy of the fixture's
# $WINEPREFIX, made afresh, with a wineserver of its own, stopped and removed
# afterwards. Wine keeps one clipboard and one desktop per wineserver, so
# window tests that run side by side need one each. The system's DLLs, which
# nothing writes, are hard links rather than 630 MB copied.
# usage: own-prefix.sh NAME COMMAND [ARGUMENTS...]
set -euo pipefail
[[ $# -ge 2 ]] || { echo "usage: $0 name command [arguments...]" >&2; exit 2; }
: "${WINEPREFIX:?the wine fixture sets WINEPREFIX}"
[[ -f "$WINEPREFIX/.complete" ]] || { echo "$0: $WINEPREFIX is not made yet" >&2; exit 2; }
own=$WINEPREFIX-$1
shift
stop() {
    WINEPREFIX=$own wineserver -k 2>/dev/null || true
    rm -rf "$own"
}
stop
mkdir -p "$own"
tar -C "$WINEPREFIX" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/winsxs -cf - . |
    tar -C "$own" -xf -
cp -al "$WINEPREFIX/drive_c/windows/system32" "$WINEPREFIX/drive_c/windows/winsxs" "$own/drive_c/windows/"
trap stop EXIT
export WINEPREFIX=$own
status=0
"$@" || status=$?
exit "$status"
