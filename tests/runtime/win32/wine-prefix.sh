#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CTest fixture of every test under Wine. "setup" makes the prefix $WINEPREFIX
# once (kept while Wine and this script are unchanged) and starts a persistent
# wineserver, so each test starts in a fraction of a second; "cleanup" stops it.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine's helper processes must not hold CTest's output pipe open.
log="$WINEPREFIX.log"
marker="$WINEPREFIX/.complete"
stamp="$(wine --version) $(sha256sum <"$0" | cut -c1-16)"

case "${1:-}" in
cleanup)
    wineserver -k 2>/dev/null || true
    exit 0 ;;
setup) ;;
*)  echo "usage: $0 setup|cleanup" >&2; exit 2 ;;
esac

wineserver -k 2>/dev/null || true  # one left over from an interrupted run
if [[ -f "$marker" && "$(cat "$marker")" == "$stamp" ]]; then
    echo "reusing $WINEPREFIX"
else
    echo "making $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    {
        timeout 180 wineboot --init
        timeout 120 wineserver -w
        # Times New Roman, the window's font, is Liberation Serif's metric twin.
        timeout 60 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
            /v 'Times New Roman' /t REG_SZ /d 'Liberation Serif' /f
        # No window manager in the tests: Wine draws the frame itself.
        timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f
        timeout 120 wineserver -w
    } </dev/null >"$log" 2>&1 || { cat "$log"; exit 1; }
    # Desktop, Documents and the like link to $HOME: the tests keep them inside.
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        [[ -L "$link" ]] && rm "$link" && mkdir "$link"
    done
    # Tahoma and Marlett, which window frames and message boxes use.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    echo "$stamp" >"$marker"
fi
locale -a 2>/dev/null | grep -qix 'bg_BG.utf8' ||
    echo "warning: locale bg_BG.UTF-8 is missing (tools/setup makes it)"
wineserver -p </dev/null >>"$log" 2>&1
# Wine's services start here, not in the first test.
timeout 60 wine cmd /c exit </dev/null >>"$log" 2>&1
