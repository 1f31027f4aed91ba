#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real cylinder.exe under Wine in its own X server: clicks at the designed
# positions, types, calculates and reads boxes and the report back through the
# clipboard, as tests/app/x11_test.sh does for the Linux program.
#   gui_test.sh cylinder.exe [locale]     the test; bg_BG.UTF-8 types decimal commas
#   gui_test.sh --picture out.png cylinder.exe
#                                         only the sample calculation, saved as a picture
# $WINEPREFIX names the prefix (the wine test fixture makes it).
set -euo pipefail
picture=
if [[ "${1:-}" == --picture ]]; then picture=$2; shift 2; fi
program=$1 locale=${2:-C.UTF-8}
: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The tools here read and write plain ASCII; only the program gets the locale.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
point=.
[[ "$locale" == bg_BG* ]] && point=,
caption="Геометрия - прав кръгов цилиндър"
error_caption="Грешка при изчисляването"

fail() { echo "FAIL: $*"; exit 1; }
num() { echo "${1//./$point}"; }  # a number text as this locale writes it

work=$(mktemp -d)
app= xvfb=
close_program() {
    [[ -n "$app" ]] && kill -0 "$app" 2>/dev/null || return 0
    # No window manager: alt+F4 goes to the Wine window under the pointer.
    xdotool mousemove "$((cx + 250))" "$((cy + 200))" key alt+F4 2>/dev/null || true
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
cleanup() {
    [[ -n "$app" ]] && kill "$app" 2>/dev/null
    [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

read -r display < <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "$!" >"$work/xvfb.pid")
xvfb=$(cat "$work/xvfb.pid")
export DISPLAY=":$display"
# Output into a file: Wine's helper processes would hold a pipe open.
LANG=$locale LC_ALL=$locale wine "$program" </dev/null >"$work/wine.log" 2>&1 & app=$!

win=$(timeout 30 xdotool search --sync --onlyvisible --name "$caption" | head -n1) || true
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
geometry() {  # x y width height of an X window on the screen
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                             /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
read -r wx wy ww wh < <(geometry "$win")
(( cx >= wx && cy >= wy && cx + cw <= wx + ww && cy + ch <= wy + wh )) ||
    fail "client area ${cw}x$ch+$cx+$cy outside the window ${ww}x$wh+$wx+$wy"
echo "ok: client area ${cw}x$ch at +$cx+$cy in a ${ww}x$wh window"

# Twips to the centre of a control, in screen pixels.
click() {  # left top width height (twips)
    xdotool mousemove $((cx + ($1 + $3 / 2) / 15)) $((cy + ($2 + $4 / 2) / 15)) click 1
    sleep 0.15
}
box() { click $((1560 + 960 * ($1 % 5))) $((840 + 360 * ($1 / 5))) 975 405; }
# The selection of the focused box; the clipboard is emptied first, so that
# a copy that did not happen reads as nothing rather than the last text.
copy() {
    xclip -selection clipboard -i /dev/null >/dev/null 2>&1
    xdotool key --clearmodifiers ctrl+a ctrl+c
    local text=
    for _ in $(seq 20); do
        sleep 0.1
        text=$(timeout 5 xclip -o -selection clipboard 2>/dev/null) || true
        [[ -z "$text" ]] || break
    done
    printf '%s' "$text"
}
expect() {  # what, expected, actual
    [[ "$3" == "$2" ]] || fail "$1: expected '$2', got '$3'"
    echo "ok: $1 = $3"
}
option() { click 120 $((840 + 360 * $1)) 1455 375; }
calculate() { click 6480 1200 975 375; sleep 0.3; }
report() { click 1000 4440 5000 600; copy; }  # the strip of the report above the quotation
no_dialog() { ! xdotool search --onlyvisible --name "$error_caption" >/dev/null 2>&1; }

if [[ -n "$picture" ]]; then
    option 2
    box 11; xdotool type --delay 10 "3"
    box 13; xdotool type --delay 10 "$(num 94.2477796076937)"
    calculate
    xdotool mousemove 1000 760
    sleep 0.5
    screen "$work/screen.png"
    convert "$work/screen.png" -crop "${ww}x$wh+$wx+$wy" +repage -strip "$picture"
    if command -v optipng >/dev/null; then optipng -quiet -o7 "$picture"; fi
    echo "ok: $picture, ${ww}x$wh"
    close_program
    exit 0
fi

source "$(dirname "$0")/../../app/variant-cases.sh"
for line in "${cases[@]}"; do
    read -r k first second a b _ r0 r1 r2 r3 r4 _ <<<"$line"
    option "$k"
    box "$first"; xdotool type --delay 10 "$(num "$a")"
    box "$second"; xdotool type --delay 10 "$(num "$b")"
    calculate
    row=("$r0" "$r1" "$r2" "$r3" "$r4")
    for c in 0 1 2 3 4; do
        box $((5 * k + c))
        expect "variant $((k + 1)) box $((5 * k + c))" "$(num "${row[$c]}")" "$(copy)"
    done
done

report=$(report)
expect "report" "$(num $'Радиус на максималната вписана сфера: 1.5\nПовърхнина на сферата: 28.2743338823082')" \
    "$report"

# One error of each kind: a message box, then everything as it was. Wine's
# message box gives its text to no one, so each kind's box must at least
# look different from the others'.
errors=(
  "division_by_zero 1 5 0 7 5"
  "invalid_argument 8 42 5 43 4"
  "overflow 4 22 1 24 1e308"
)
declare -A looks=()
for line in "${errors[@]}"; do
    read -r name k first a second b <<<"$line"
    option "$k"
    box "$first"; xdotool type --delay 10 "$(num "$a")"
    box "$second"; xdotool type --delay 10 "$(num "$b")"
    calculate
    dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "$error_caption" | head -n1) || true
    [[ -n "$dialog" ]] || fail "$name: no error message"
    sleep 0.3
    read -r dx dy dw dh < <(geometry "$dialog")
    look=$(xwd -root -silent | convert xwd:- -crop "${dw}x$dh+$dx+$dy" rgb:- | sha256sum | cut -c1-16)
    [[ -z "${looks[$look]:-}" ]] || fail "$name: the same message box as ${looks[$look]}"
    looks[$look]=$name
    echo "ok: $name: message box ${dw}x$dh, unlike the others"
    # Keys go to the Wine window under the pointer.
    xdotool mousemove --window "$dialog" 100 40 key Return
    # Closing a window waits two seconds for a window manager that is not here.
    timeout 10 bash -c "while xdotool search --onlyvisible --name '$error_caption' >/dev/null 2>&1; do sleep 0.1; done" ||
        fail "$name: Enter did not close the message box"
    sleep 0.3
    no_dialog || fail "$name: another message box after Enter"
    box "$first"
    expect "$name: box $first after the error" "$(num "$a")" "$(copy)"
    box "$second"
    expect "$name: box $second after the error" "$(num "$b")" "$(copy)"
    expect "$name: report after the error" "$report" "$(report)"
done

click 6480 3000 975 375                # "Изчисти"
box 24
expect "box 24 after clear" "" "$(copy)"
box 22; xdotool type "7"               # an emptied box holds only what is typed now
expect "box 22 after clear" "7" "$(copy)"
close_program
echo "1 passed, 0 failed"
