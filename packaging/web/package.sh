#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes OUTDIR/cylinder-VERSION-web.zip from a built cylinder.html: the page,
# a Bulgarian read-me, the program's licence and the font's. The same commit
# gives the same zip (packaging/release.sh). Prints its path.
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 cylinder.html OUTDIR" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
page=$(realpath "$1")
mkdir -p "$2"
out=$(cd "$2" && pwd)

source "$root/packaging/release.sh"
version=$(release_version "$root")
epoch=$(release_epoch "$root")

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
name=cylinder-$version
mkdir "$stage/$name"
cp "$page" "$stage/$name/cylinder.html"
release_text "$here/README-bg.txt" "$version" "$stage/$name/README-bg.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/$name/LICENSE.txt"
sed 's/$/\r/' "$here/LICENSE-fonts.txt" >"$stage/$name/LICENSE-fonts.txt"
chmod 644 "$stage/$name"/*

zip=$out/$name-web.zip
release_zip "$stage" "$epoch" "$zip" "$name/cylinder.html" "$name/README-bg.txt" \
    "$name/LICENSE.txt" "$name/LICENSE-fonts.txt"
echo "$zip"
