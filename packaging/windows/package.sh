#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Windows release files from a built cylinder.exe:
#   OUTDIR/cylinder-VERSION-windows-x64.zip        the portable program
#   OUTDIR/cylinder-VERSION-windows-x64-setup.exe  the per-user installer
# VERSION is project(VERSION) of the top CMakeLists.txt. File times are
# SOURCE_DATE_EPOCH (default: the last commit's time), so a commit always
# gives the same zip. Prints the two paths.
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 cylinder.exe OUTDIR" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
exe=$(realpath "$1")
mkdir -p "$2"
out=$(cd "$2" && pwd)

version=$(sed -n 's/^project(cylinder VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[[ -n "$version" ]] || { echo "$0: no project(cylinder VERSION …) in CMakeLists.txt" >&2; exit 1; }
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || stat -c %Y "$root/CMakeLists.txt")}
export TZ=UTC  # zip keeps local time

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
name=cylinder-$version
mkdir "$stage/$name"
cp "$exe" "$stage/$name/cylinder.exe"
# Notepad reads UTF-8 for sure with a byte-order mark; Windows texts end lines with CR LF.
{ printf '\xef\xbb\xbf'; sed -e '/SPDX-License-Identifier/d' -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/README-bg.txt"; } \
    >"$stage/$name/README-bg.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/$name/LICENSE.txt"
chmod 755 "$stage/$name/cylinder.exe"
chmod 644 "$stage/$name/README-bg.txt" "$stage/$name/LICENSE.txt"
touch -d "@$epoch" "$stage/$name"/*

zip=$out/$name-windows-x64.zip
rm -f "$zip"
# -X: no owner ids or extra times; -D: no folder entries; files in this order.
(cd "$stage" && zip -X -D -q "$zip" "$name/cylinder.exe" "$name/README-bg.txt" "$name/LICENSE.txt")

setup=$out/$name-windows-x64-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$setup" \
    -DEXE="$stage/$name/cylinder.exe" -DLICENSE="$stage/$name/LICENSE.txt" \
    -DICON="$root/packaging/icons/cylinder.ico" "$here/installer.nsi" >/dev/null
touch -d "@$epoch" "$zip" "$setup"
echo "$zip"
echo "$setup"
