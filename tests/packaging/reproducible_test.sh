#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two builds of the same commit in two build folders, at different depths,
# give byte-identical packages whose times are the last commit's. Only what
# the package needs is built: the program and the release files.
# usage: reproducible_test.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
src=$(realpath "$1")
scratch=$(realpath -m "$2")  # the builds cd into their folders
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*"; exit 1; }

# The package must take its times from the commit by itself.
unset SOURCE_DATE_EPOCH
epoch=$(git -C "$src" log -1 --format=%ct) || fail "$src is no git checkout"

other=$(mktemp -d)
trap 'rm -rf "$other"' EXIT
dirs=("$scratch/reproducible" "$other/a/longer/path/to/the/second/build")

# Each entry: the package's file name pattern and the cpack generator that writes it.
packages=("cylinder_*.deb DEB")

for dir in "${dirs[@]}"; do
    rm -rf "$dir"
    mkdir -p "$(dirname "$dir")"
    (cd "$src" && cmake --preset default -B "$dir" -DCYLINDER_BENCHMARKS=OFF \
        -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >"$dir.configure.log" 2>&1) \
        || { cat "$dir.configure.log"; fail "configure $dir"; }
    cmake --build "$dir" --target cylinder cylinder_release_files >"$dir.build.log" 2>&1 \
        || { tail -n 30 "$dir.build.log"; fail "build $dir"; }
    for entry in "${packages[@]}"; do
        (cd "$dir" && cpack -G "${entry#* }" -B "$dir/out" >"$dir.cpack.log" 2>&1) \
            || { cat "$dir.cpack.log"; fail "cpack in $dir"; }
    done
    # The Windows zip and installer, from a cross build beside the Linux one.
    (cd "$src" && cmake --preset windows -B "$dir/windows" >"$dir.configure.log" 2>&1) \
        || { cat "$dir.configure.log"; fail "configure $dir/windows"; }
    cmake --build "$dir/windows" --target cylinder >"$dir.build.log" 2>&1 \
        || { tail -n 30 "$dir.build.log"; fail "build $dir/windows"; }
    "$src/packaging/windows/package.sh" "$dir/windows/app/cylinder.exe" "$dir/out" >"$dir.package.log" 2>&1 \
        || { cat "$dir.package.log"; fail "Windows package in $dir"; }
    # The browser edition's zip, from an emscripten build.
    (cd "$src" && cmake --preset web -B "$dir/web" >"$dir.configure.log" 2>&1) \
        || { cat "$dir.configure.log"; fail "configure $dir/web"; }
    cmake --build "$dir/web" --target cylinder web_site >"$dir.build.log" 2>&1 \
        || { tail -n 30 "$dir.build.log"; fail "build $dir/web"; }
    "$src/packaging/web/package.sh" "$dir/web" "$dir/out" >"$dir.package.log" 2>&1 \
        || { cat "$dir.package.log"; fail "web package in $dir"; }
    rm -f "$dir".*.log
done
packages+=("cylinder-*-windows-x64.zip" "cylinder-*-windows-x64-setup.exe" "cylinder-*-web.zip")

for entry in "${packages[@]}"; do
    pattern=${entry% *}
    # shellcheck disable=SC2086  # the pattern is a glob
    one=$(ls "${dirs[0]}"/out/$pattern)
    two=$(ls "${dirs[1]}"/out/$pattern)
    if [[ $one == *.exe ]]; then  # the installer: its members are the zip's
        cmp "$one" "$two" || fail "$(basename "$one") differs between ${dirs[0]} and ${dirs[1]}"
        echo "same bytes: $(basename "$one") ($(stat -c %s "$one") bytes)"
        continue
    fi
    "$here/compare_packages.sh" "$one" "$two" || fail "$(basename "$one") differs between ${dirs[0]} and ${dirs[1]}"
done

deb=$(ls "${dirs[0]}"/out/cylinder_*.deb)
stamp=$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M')
times=$(TZ=UTC dpkg-deb -c "$deb" | awk '{print $4, $5}' | sort -u)
[[ $times == "$stamp" ]] || fail "times inside the package are $(echo $times), not the commit's $stamp"
echo "ok: every member dated $stamp UTC, the last commit's time"
rm -rf "${dirs[0]}"
echo "1 passed, 0 failed"
