#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the number-text fuzzer with clang (libFuzzer, address and
# undefined-behaviour sanitizers) and runs it for the given seconds (default 60).
# Longer run: tests/fuzz/run.sh 3600
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-60}
out=${FUZZ_BUILD_DIR:-$root/build/fuzz}
mkdir -p "$out/corpus"
sources=("$here/fuzz_numbertext.cpp" "$here/c_library_path.cpp" "$root/platform/numbertext.cpp"
         "$root/platform/checked.cpp" "$root/platform/exact.cpp" "$root/platform/units.cpp"
         "$root/platform/calculationerror.cpp")
# Built again only when the compiler, this script or a source it reads changed
# (every header it includes is in platform/).
inputs=$( (clang++ --version; cat "$0" "${sources[@]}" "$root"/platform/*.h) | sha256sum)
if [[ ! -x "$out/fuzz_numbertext" || "$(cat "$out/fuzz_numbertext.inputs" 2>/dev/null)" != "$inputs" ]]; then
    rm -f "$out/fuzz_numbertext.inputs"
    clang++ -std=c++20 -O1 -g -ffp-contract=off -fsanitize=fuzzer,address,undefined \
        -fno-sanitize-recover=undefined -I"$root" "${sources[@]}" -o "$out/fuzz_numbertext"
    echo "$inputs" >"$out/fuzz_numbertext.inputs"
fi
# New finds go to build/fuzz/corpus; the committed seeds stay as they are.
"$out/fuzz_numbertext" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$out/corpus" "$here/corpus"
