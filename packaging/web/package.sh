#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes OUTDIR/cylinder-VERSION-web.zip from a web build: the one-file page,
# the site for a server (site/: index.html, manifest, icons, offline worker),
# a Bulgarian read-me, the program's licence and the font's. The same commit
# gives the same zip (packaging/release.sh). Prints its path.
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 WEB_BUILD_DIR OUTDIR" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../release.sh"
release_begin "$1" "$2"
mkdir "$stage/$name/site"
cp "$input/app/cylinder.html" "$stage/$name/cylinder.html"
site=(index.html manifest.webmanifest sw.js icon-192.png icon-512.png)
for file in "${site[@]}"; do cp "$input/site/$file" "$stage/$name/site/$file"; done
release_text "$here/README-bg.txt" "$version" "$stage/$name/README-bg.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/$name/LICENSE.txt"
sed 's/$/\r/' "$here/LICENSE-fonts.txt" >"$stage/$name/LICENSE-fonts.txt"
chmod 644 "$stage/$name"/*.* "$stage/$name"/site/*

zip=$out/$name-web.zip
release_zip "$stage" "$epoch" "$zip" "$name/cylinder.html" "${site[@]/#/$name/site/}" \
    "$name/README-bg.txt" "$name/LICENSE.txt" "$name/LICENSE-fonts.txt"
echo "$zip"
