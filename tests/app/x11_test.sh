#!/usr/bin/env bash
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

click 120 $((840 + 360 * 2)) 1455 375  # "Вариант 3"
box 11; xdotool type --delay 20 "3"
box 13; xdotool type --delay 20 "94.2477796076937"
click 6480 1200 975 375                # "Изчисли"
sleep 0.3

row=(2.65331193145904 3 50.0137516293231 94.2477796076937 66.3510419675559)
for c in 0 1 2 3 4; do
    box $((10 + c))
    expect "box $((10 + c))" "${row[$c]}" "$(copy)"
done

click 1000 4440 5000 600               # the strip of the report above the quotation
report=$(copy)
expect "report" $'Радиус на максималната вписана сфера: 1.5\nПовърхнина на сферата: 28.2743338823081' "$report"

click 6480 3000 975 375                # "Изчисти"
box 10; xdotool type "7"               # an emptied box holds only what is typed now
expect "box 10 after clear" "7" "$(copy)"
echo "1 passed, 0 failed"
