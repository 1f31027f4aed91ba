#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the number-text fuzzer, or with "taskreader" the task reader's, with
# clang (libFuzzer, address and undefined-behaviour sanitizers) and runs it for
# the given seconds (default 60).
# Longer run: tests/fuzz/run.sh 3600; the task reader's: tests/fuzz/run.sh 600 taskreader
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-60}
target=${2:-numbertext}
out=${FUZZ_BUILD_DIR:-$root/build/fuzz}
platform=("$root/platform/numbertext.cpp" "$root/platform/checked.cpp" "$root/platform/exact.cpp"
          "$root/platform/units.cpp" "$root/platform/calculationerror.cpp")
case $target in
    numbertext)
        sources=("$here/fuzz_numbertext.cpp" "$here/c_library_path.cpp" "${platform[@]}")
        corpus=("$out/corpus" "$here/corpus") ;;
    taskreader)
        sources=("$here/fuzz_taskreader.cpp" "$root"/calc/*.cpp "$root"/platform/*.cpp)
        corpus=("$out/corpus-taskreader" "$here/corpus") ;;
    *) echo "usage: $0 [seconds] [numbertext|taskreader]" >&2; exit 2 ;;
esac
mkdir -p "${corpus[0]}"
fuzzer=$out/fuzz_$target
# Built again only when the compiler, this script or a source it reads changed
# (every header it includes is in platform/ or calc/).
inputs=$( (clang++ --version; cat "$0" "${sources[@]}" "$root"/platform/*.h "$root"/calc/*.h) | sha256sum)
if [[ ! -x "$fuzzer" || "$(cat "$fuzzer.inputs" 2>/dev/null)" != "$inputs" ]]; then
    rm -f "$fuzzer.inputs"
    # One object a source, two at a time, through ccache where present: after
    # a change in one source only that one is compiled again. Made afresh, so
    # that a source gone leaves no object behind.
    objects=$out/objects-$target
    rm -rf "$objects"
    mkdir -p "$objects"
    compiler=clang++
    command -v ccache >/dev/null && compiler="ccache clang++"
    flags="-std=c++20 -O1 -g -ffp-contract=off -fsanitize=address,undefined -fno-sanitize-recover=undefined"
    for source in "${sources[@]}"; do
        printf '%s\0%s\0' "$source" "$objects/$(basename "$(dirname "$source")")-$(basename "$source" .cpp).o"
    done | xargs -0 -n 2 -P 2 sh -c "$compiler $flags -fsanitize=fuzzer-no-link -I'$root' -c \"\$0\" -o \"\$1\""
    clang++ -fsanitize=fuzzer,address,undefined "$objects"/*.o -o "$fuzzer"
    echo "$inputs" >"$fuzzer.inputs"
fi
# New finds go to build/fuzz/corpus*; the committed seeds stay as they are.
"$fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "${corpus[@]}"
