# SPDX-License-Identifier: GPL-3.0-or-later
# What the window tests share, sourced by tests/app/x11_test.sh (the Linux
# program), tests/runtime/win32/gui_test.sh (cylinder.exe under Wine) and
# with-display.sh: an X server of their own, clicks at the designed
# controls, the clipboard, and the checks of tests/data/variants.txt, the
# errors and clearing. Before clicking, a script defines move X Y [xdotool
# commands...], X Y in pixels of the window's client area; $point is the
# decimal separator the program writes.
caption="Геометрия - прав кръгов цилиндър"
error_caption="Грешка при изчисляването"
point=${point:-.}
work=$(mktemp -d)
app='' xvfb=''
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }
num() { echo "${1//./$point}"; }  # a number text as the program writes it
expect() {  # what, expected, actual
    [[ "$3" == "$2" ]] || fail "$1: expected '$2', got '$3'"
    echo "ok: $1 = $3"
}

# A fresh Xvfb screen as DISPLAY, stopped on exit.
start_display() {
    local display
    read -r display < <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "$!" >"$work/xvfb.pid")
    xvfb=$(cat "$work/xvfb.pid")
    [[ -n "$display" ]] || fail "Xvfb did not start"
    export DISPLAY=":$display"
}
find_window() { timeout "$2" xdotool search --sync --onlyvisible --name "$1" | head -n1 || true; }
geometry() {  # x y width height of an X window on the screen
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                             /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

# Twips to the centre of a control.
click() {  # left top width height (twips)
    move $((($1 + $3 / 2) / 15)) $((($2 + $4 / 2) / 15)) click 1
    sleep 0.15
}
# The centre of a control as the page generator places it (pixels) in
# design.json, beside the program's folder as beside the page's.
at() {  # id
    local x y w h
    read -r x y w h < <(grep "^{\"id\":\"$1\"" "$(dirname "$program")/../runtime/web/design.json" |
        grep -oE '"(left|top|width|height)":[0-9]+' | cut -d: -f2 | paste -sd' ')
    [[ -n "$h" ]] || fail "no $1 in design.json"
    move $((x + w / 2)) $((y + h / 2)) click 1
    sleep 0.15
}
box() { at "Text2_$1"; }
option() { at "Option1_$1"; }
calculate() { at Command1_0; sleep 0.3; }
clear_grid() { at Command1_1; }     # "Изчисти"
report() { click 1000 4440 5000 600; copy; }  # the strip of the report above the quotation
given() {  # variant, box, text, box, text
    option "$1"
    box "$2"; xdotool type --delay 10 "$(num "$3")"
    box "$4"; xdotool type --delay 10 "$(num "$5")"
}
# The selection of the focused box; the clipboard is emptied first, so that
# a copy that did not happen reads as nothing rather than the last text. On a
# busy machine keys can come before the click's focus: copied three times.
copy() {
    xclip -selection clipboard -i /dev/null >/dev/null 2>&1
    local text=''
    for _ in 1 2 3; do
        xdotool key --clearmodifiers ctrl+a ctrl+c
        for _ in $(seq 10); do
            sleep 0.1
            text=$(timeout 5 xclip -o -selection clipboard 2>/dev/null) || true
            [[ -z "$text" ]] || break 2
        done
    done
    printf '%s' "$text"
}

# Every row of tests/data/variants.txt typed and read back, then the report
# of the last; $report keeps it.
check_variants() {
    local line k first second a b r0 r1 r2 r3 r4 r s c row
    mapfile -t cases < <(grep -v '^#' "$(dirname "${BASH_SOURCE[0]}")/../data/variants.txt")
    for line in "${cases[@]}"; do
        read -r k first second a b _ r0 r1 r2 r3 r4 _ r s <<<"$line"
        given "$k" "$first" "$a" "$second" "$b"
        calculate
        row=("$r0" "$r1" "$r2" "$r3" "$r4")
        for c in 0 1 2 3 4; do
            box $((5 * k + c))
            expect "variant $((k + 1)) box $((5 * k + c))" "$(num "${row[$c]}")" "$(copy)"
        done
    done
    report=$(report)
    expect "report" "$(num "Радиус на максималната вписана сфера: $r"$'\n'"Повърхнина на сферата: $s")" "$report"
}

# One error of each kind: a message box that Enter closes, then everything as
# it was. Wine's message box gives its text to no one, so each kind's box
# must at least look different from the others'.
check_errors() {
    local line name k first a second b dialog dx dy dw dh look
    local -A looks=()
    for line in "division_by_zero 1 5 0 7 5" "invalid_argument 8 42 5 43 4" "overflow 4 22 1 24 1e308"; do
        read -r name k first a second b <<<"$line"
        given "$k" "$first" "$a" "$second" "$b"
        calculate
        dialog=$(find_window "$error_caption" 10)
        [[ -n "$dialog" ]] || fail "$name: no error message"
        sleep 0.3
        read -r dx dy dw dh < <(geometry "$dialog")
        look=$(xwd -root -silent | convert xwd:- -crop "${dw}x$dh+$dx+$dy" rgb:- | sha256sum | cut -c1-16)
        [[ -z "${looks[$look]:-}" ]] || fail "$name: the same message box as ${looks[$look]}"
        looks[$look]=$name
        echo "ok: $name: message box ${dw}x$dh, unlike the others"
        # No window manager here: keys go to the window under the pointer.
        xdotool mousemove --window "$dialog" 100 40 key Return
        # Closing a window waits two seconds for a window manager that is not here.
        timeout 10 bash -c "while xdotool search --onlyvisible --name '$error_caption' >/dev/null 2>&1; do sleep 0.1; done" ||
            fail "$name: Enter did not close the message box"
        sleep 0.3
        ! xdotool search --onlyvisible --name "$error_caption" >/dev/null 2>&1 ||
            fail "$name: another message box after Enter"
        box "$first"
        expect "$name: box $first after the error" "$(num "$a")" "$(copy)"
        box "$second"
        expect "$name: box $second after the error" "$(num "$b")" "$(copy)"
        expect "$name: report after the error" "$report" "$(report)"
    done
}

# "Изчисти" in the last error's row, still the chosen one.
check_clear() {
    clear_grid
    box 24
    expect "box 24 after clear" "" "$(copy)"
    box 22; xdotool type "7"  # an emptied box holds only what is typed now
    expect "box 22 after clear" "7" "$(copy)"
}
