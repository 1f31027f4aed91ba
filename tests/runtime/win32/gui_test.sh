#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real cylinder.exe under Wine in its own X server: clicks at the designed
# positions, types, calculates and reads boxes and the report back through the
# clipboard, with the checks of tests/app/x11_test.sh for the Linux program.
#   gui_test.sh cylinder.exe [locale]     the test; bg_BG.UTF-8 types decimal commas
#   gui_test.sh --picture out.png [--solution solution.png [--line 7 caret.png]
#               [--task "r = 6 cm, l = 8 cm, S = ?" task.png]] cylinder.exe
#                                         only the sample calculation, saved as a picture
#                                         (and the solution's window beside it; then, F2,
#                                         Tab to its text and Down to its line 7, the window
#                                         again; then the task typed into its field, Enter)
# $WINEPREFIX names the prefix (the wine test fixture makes it).
set -euo pipefail
picture=
solution=
if [[ "${1:-}" == --picture ]]; then picture=$2; shift 2; fi
if [[ "${1:-}" == --solution ]]; then solution=$2; shift 2; fi
line=
if [[ "${1:-}" == --line ]]; then line=$2 caret=$3; shift 3; fi
task=
if [[ "${1:-}" == --task ]]; then task=$2 taskpng=$3; shift 3; fi
program=$1 locale=${2:-C.UTF-8}
: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The tools here read and write plain ASCII; only the program gets the locale.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
point=.
[[ "$locale" == bg_BG* ]] && point=,
source "$(dirname "$0")/../../lib/xwindow.sh"

close_program() {
    [[ -n "$app" ]] && kill -0 "$app" 2>/dev/null || return 0
    # No window manager: alt+F4 goes to the Wine window under the pointer.
    move 250 200 key alt+F4 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$app" 2>/dev/null; then
        kill "$app" 2>/dev/null || true
        fail "the program did not close on alt+F4"
    fi
    local status=0
    wait "$app" || status=$?
    app=
    [[ $status -eq 0 ]] || fail "the program exited with $status"
    echo "ok: closed"
}

start_display
# Output into a file: Wine's helper processes would hold a pipe open.
LANG=$locale LC_ALL=$locale wine "$program" </dev/null >"$work/wine.log" 2>&1 & app=$!

win=$(find_window "$caption" 30)
[[ -n "$win" ]] || { cat "$work/wine.log"; fail "no window"; }
sleep 0.5

# Wine draws the frame inside its X window: the client area is where the
# window's background colour is, found on a picture of the screen.
screen() { xwd -root -silent | convert xwd:- "$1"; }
screen "$work/screen.png"
read -r cw ch cx cy <<<"$(convert "$work/screen.png" -fill black +opaque 'rgb(192,192,255)' \
    -bordercolor black -border 1 -format '%@' info: | tr 'x+' '  ')"
cx=$((cx - 1)) cy=$((cy - 1))
[[ "$cw x $ch" == "504 x 419" ]] || fail "client area is $cw x $ch"
read -r wx wy ww wh < <(geometry "$win")
(( cx >= wx && cy >= wy && cx + cw <= wx + ww && cy + ch <= wy + wh )) ||
    fail "client area ${cw}x$ch+$cx+$cy outside the window ${ww}x$wh+$wx+$wy"
echo "ok: client area ${cw}x$ch at +$cx+$cy in a ${ww}x$wh window"
move() { xdotool mousemove $((cx + $1)) $((cy + $2)) "${@:3}"; }

# The screen's rectangle W H X Y into the picture $5, made small.
crop() {
    convert "$work/screen.png" -crop "${1}x$2+$3+$4" +repage -strip "$5"
    if command -v optipng >/dev/null; then optipng -quiet -o7 "$5"; fi
}

if [[ -n "$picture" ]]; then
    given 2 11 3 13 94.2477796076937
    calculate
    xdotool mousemove 1000 760
    sleep 0.5
    screen "$work/screen.png"
    crop "$ww" "$wh" "$wx" "$wy" "$picture"
    echo "ok: $picture, ${ww}x$wh"
    if [[ -n "$solution" ]]; then
        beside=$(find_window "Решение" 10)
        [[ -n "$beside" ]] || fail "no solution window"
        read -r sx sy sw sh < <(geometry "$beside")
        crop "$sw" "$sh" "$sx" "$sy" "$solution"
        echo "ok: $solution, ${sw}x$sh"
        if [[ -n "$line" ]]; then
            xdotool key F2  # the keyboard in the task field: Tab past its button and the list
            sleep 0.5
            xdotool key --delay 100 --repeat 3 Tab
            xdotool key --delay 100 --repeat "$line" Down
            sleep 0.5
            screen "$work/screen.png"
            crop "$sw" "$sh" "$sx" "$sy" "$caret"
            echo "ok: $caret, line $line marked"
        fi
        if [[ -n "$task" ]]; then
            # F2 is the main window's: close this one first, the keyboard goes back.
            [[ -n "$line" ]] && { xdotool key Escape; sleep 0.5; }
            xdotool key F2
            sleep 0.5
            xdotool type --delay 50 "$task"
            xdotool key Return
            sleep 1
            screen "$work/screen.png"
            crop "$sw" "$sh" "$sx" "$sy" "$taskpng"
            echo "ok: $taskpng"
        fi
        if [[ -n "$line$task" ]]; then
            xdotool key Escape  # closed: Alt+F4 goes to the main window again
            sleep 0.5
        fi
    fi
    close_program
    exit 0
fi

check_variants
check_errors
check_clear
close_program
echo "1 passed, 0 failed"
