#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The shipped cylinder.exe: 64-bit, Windows GUI subsystem, no link time, at most 2 MiB (1.5 before
# the task reader and solver came in), and
# importing only DLLs every Windows has (static C++ runtime, no MinGW DLLs).
set -euo pipefail
objdump=$1 exe=$2
fail() { echo "FAIL: $*"; exit 1; }

headers=$(TZ=UTC "$objdump" -p "$exe")
grep -q 'file format pei-x86-64' <<<"$headers" || fail "not a 64-bit PE file"
grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]+\(Windows GUI\)' <<<"$headers" ||
    fail "subsystem is $(grep '^Subsystem' <<<"$headers")"
echo "ok: Windows GUI, x86-64"
# A link time in the header would make every build's bytes differ.
grep -Eq '^Time/Date[[:space:]]+Thu Jan  1 00:00:00 1970$' <<<"$headers" ||
    fail "link time in the header: $(grep '^Time/Date' <<<"$headers")"
echo "ok: no link time"

allowed='kernel32|user32|gdi32|msvcrt|comctl32|comdlg32|ole32|oleaut32|oleacc|advapi32|shell32|shlwapi|uxtheme|imm32|version|winmm|dwmapi'
mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[[ ${#dlls[@]} -gt 0 ]] || fail "no imports found"
for dll in "${dlls[@]}"; do
    [[ "${dll,,}" =~ ^($allowed)\.dll$ ]] || fail "imports $dll"
done
echo "ok: imports ${dlls[*]}"

size=$(stat -c %s "$exe")
[[ $size -le $((2 * 1024 * 1024)) ]] || fail "$size bytes, over 2 MiB"
echo "ok: $size bytes"
