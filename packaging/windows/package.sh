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
source "$here/../release.sh"
release_begin "$1" "$2"
cp "$input" "$stage/$name/cylinder.exe"
release_text "$here/README-bg.txt" "$version" "$stage/$name/README-bg.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/$name/LICENSE.txt"
chmod 755 "$stage/$name/cylinder.exe"
chmod 644 "$stage/$name/README-bg.txt" "$stage/$name/LICENSE.txt"

zip=$out/$name-windows-x64.zip
release_zip "$stage" "$epoch" "$zip" "$name/cylinder.exe" "$name/README-bg.txt" "$name/LICENSE.txt"

setup=$out/$name-windows-x64-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$setup" \
    -DEXE="$stage/$name/cylinder.exe" -DLICENSE="$stage/$name/LICENSE.txt" \
    -DICON="$root/packaging/icons/cylinder.ico" "$here/installer.nsi" >/dev/null
touch -d "@$epoch" "$setup"
echo "$zip"
echo "$setup"
