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

option() { click 120 $((840 + 360 * $1)) 1455 375; }
calculate() { click 6480 1200 975 375; sleep 0.3; }

# variant, the two given boxes and texts, then the five texts of the row
cases=(
  "0 0 1 1 1 | 1 1 6.28318530717958 12.5663706143592 3.14159265358979"
  "1 5 7 2 37.6991118430775 | 2 3 37.6991118430775 62.8318530717958 37.6991118430775"
  "2 11 13 3 94.2477796076937 | 2.65331193145904 3 50.0137516293231 94.2477796076937 66.3510419675559"
  "3 16 17 4 10 | 0.397887357729739 4 10 10.9947183943243 1.98943678864869"
  "4 22 24 10 20 | 4 0.397887357729739 10 110.530964914873 20"
  "5 28 25 94.2477796076937 2 | 2 5.5 69.1150383789754 94.2477796076937 69.1150383789754"
  "6 30 34 3 100 | 3 3.53677651315323 66.6666666666667 123.215334431283 100"
  "7 36 39 5 100 | 2.52313252202016 5 79.2665459521202 119.26654595212 100"
  "8 42 43 37.6991118430775 62.8318530717958 | 2 3 37.6991118430775 62.8318530717958 37.6991118430775"
)
for line in "${cases[@]}"; do
    read -r k first second a b _ r0 r1 r2 r3 r4 <<<"$line"
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
