#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two builds of the same commit in two build folders, at different depths,
# give byte-identical packages whose times are the last commit's. The first
# is the suite's own build of each program when given (the default, Windows
# and web folders), else one made here without ccache; the second is always
# made here, in a folder of its own kept from run to run: like the suite's
# builds, a run after one changed file builds what that file touches. Its
# objects are compiled anew or taken from this test's own ccache of earlier
# second builds (compiled then at the same path from the same input, never by
# the suite's compiler runs). Only what the packages need is built: the
# programs and the release files.
# usage: reproducible_test.sh SOURCE_DIR SCRATCH_DIR [LINUX_BUILD WINDOWS_BUILD WEB_BUILD]
set -euo pipefail
src=$(realpath "$1")
scratch=$(realpath -m "$2")  # the builds cd into their folders
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*"; exit 1; }

# The package must take its times from the commit by itself.
unset SOURCE_DATE_EPOCH
epoch=$(git -C "$src" log -1 --format=%ct) || fail "$src is no git checkout"

first=$scratch/reproducible
# At the same path every run, kept: only its packages are made anew.
second=$scratch/reproducible-second/a/longer/path/to/the/second/build
cache=$scratch/reproducible-ccache
rm -rf "$first" "$second/out"

# Each entry: the package's file name pattern and the cpack generator that writes it.
packages=("cylinder_*.deb DEB")

# The Linux, Windows and web programs of one commit and their packages in
# $out. A folder of the suite's is built as it is (up to date, nothing to do);
# a new one is configured from the presets and built without ccache (new) or
# with this test's own (second).
package_all() {  # linux windows web out new|second|suite
    local dir=$1 windows=$2 web=$3 out=$4 new=$5 entry
    mkdir -p "$out"
    configure() {  # preset folder [options]
        [[ $new == suite ]] && return 0
        local ccache=OFF
        [[ $new == second ]] && ccache=ON
        (cd "$src" && cmake --preset "$1" -B "$2" -DCYLINDER_CCACHE=$ccache "${@:3}" >"$out.configure.log" 2>&1) \
            || { cat "$out.configure.log"; fail "configure $2"; }
    }
    build() {  # folder targets...
        local -a env=()
        [[ $new == new ]] && env=(CCACHE_DISABLE=1)
        [[ $new == second ]] && env=(-u CCACHE_BASEDIR CCACHE_DIR="$cache" CCACHE_MAXSIZE=2G)
        env "${env[@]}" cmake --build "$1" --target "${@:2}" >"$out.build.log" 2>&1 \
            || { tail -n 30 "$out.build.log"; fail "build $1"; }
    }
    configure default "$dir" -DCYLINDER_BENCHMARKS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
    build "$dir" cylinder cylinder_release_files
    for entry in "${packages[@]}"; do
        (cd "$dir" && cpack -G "${entry#* }" -B "$out" >"$out.cpack.log" 2>&1) \
            || { cat "$out.cpack.log"; fail "cpack in $dir"; }
    done
    # The Windows zip and installer, from a cross build beside the Linux one.
    configure windows "$windows"
    build "$windows" cylinder
    "$src/packaging/windows/package.sh" "$windows/app/cylinder.exe" "$out" >"$out.package.log" 2>&1 \
        || { cat "$out.package.log"; fail "Windows package from $windows"; }
    # The browser edition's zip, from an emscripten build.
    configure web "$web"
    build "$web" cylinder web_site
    "$src/packaging/web/package.sh" "$web" "$out" >"$out.package.log" 2>&1 \
        || { cat "$out.package.log"; fail "web package from $web"; }
    rm -f "$out".*.log
}

if [[ $# -ge 5 && -f "$3/CMakeCache.txt" && -f "$4/CMakeCache.txt" && -f "$5/CMakeCache.txt" ]]; then
    echo "first: the builds in $3, $4 and $5"
    package_all "$(realpath "$3")" "$(realpath "$4")" "$(realpath "$5")" "$first/out" suite
else
    echo "first: a build in $first"
    package_all "$first/build" "$first/build/windows" "$first/build/web" "$first/out" new
fi
echo "second: a build in $second"
package_all "$second" "$second/windows" "$second/web" "$second/out" second
dirs=("$first" "$second")
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
