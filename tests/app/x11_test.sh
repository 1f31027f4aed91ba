#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program in a real X window: clicks at the designed positions,
# types, calculates and reads boxes and the report back through the clipboard.
set -euo pipefail
program=$1
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

fail() { echo "FAIL: $*"; exit 1; }

read -r display < <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "$!" >"${TMPDIR:-/tmp}/xvfb.$$")
xvfb=$(cat "${TMPDIR:-/tmp}/xvfb.$$"); rm -f "${TMPDIR:-/tmp}/xvfb.$$"
export DISPLAY=":$display"
"$program" & app=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT

win=$(timeout 20 xdotool search --sync --onlyvisible --name "Геометрия - прав кръгов цилиндър" | head -n1)
[[ -n "$win" ]] || fail "no window"
sleep 0.5

read -r width height < <(xwininfo -id "$win" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
[[ "$width x $height" == "504 x 419" ]] || fail "window is $width x $height"

# Twips to the centre of a control, in window pixels.
click() {  # left top width height (twips)
    xdotool mousemove --window "$win" $(( ($1 + $3 / 2) / 15 )) $(( ($2 + $4 / 2) / 15 )) click 1
    sleep 0.15
}
box() { click $((1560 + 960 * ($1 % 5))) $((840 + 360 * ($1 / 5))) 975 405; }
copy() {
    xdotool key --clearmodifiers ctrl+a ctrl+c
    sleep 0.15
    xclip -o -selection clipboard
}
expect() {  # what, expected, actual
    [[ "$3" == "$2" ]] || fail "$1: expected '$2', got '$3'"
    echo "ok: $1 = $3"
}

option() { click 120 $((840 + 360 * $1)) 1455 375; }
calculate() { click 6480 1200 975 375; sleep 0.3; }

source "$(dirname "$0")/variant-cases.sh"
for line in "${cases[@]}"; do
    read -r k first second a b _ r0 r1 r2 r3 r4 _ <<<"$line"
    option "$k"
    box "$first"; xdotool type --delay 10 "$a"
    box "$second"; xdotool type --delay 10 "$b"
    calculate
    row=("$r0" "$r1" "$r2" "$r3" "$r4")
    for c in 0 1 2 3 4; do
        box $((5 * k + c))
        expect "variant $((k + 1)) box $((5 * k + c))" "${row[$c]}" "$(copy)"
    done
done

click 1000 4440 5000 600               # the strip of the report above the quotation
report=$(copy)
expect "report" $'Радиус на максималната вписана сфера: 1.5\nПовърхнина на сферата: 28.2743338823082' "$report"

# A division by zero: a message box, then everything as it was.
option 1
box 5; xdotool type "0"
box 7; xdotool type "5"
calculate
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "Грешка при изчисляването" | head -n1)
[[ -n "$dialog" ]] || fail "no error message"
echo "ok: error message shown"
# No window manager here: keys go to the window under the pointer.
xdotool mousemove --window "$dialog" 5 5 key Return
sleep 0.3
box 7
expect "box 7 after the error" "5" "$(copy)"
click 1000 4440 5000 600
expect "report after the error" "$report" "$(copy)"

click 6480 3000 975 375                # "Изчисти"
box 5; xdotool type "7"                # an emptied box holds only what is typed now
expect "box 5 after clear" "7" "$(copy)"
echo "1 passed, 0 failed"
