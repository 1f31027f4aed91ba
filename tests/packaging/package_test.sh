#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed layout validates, the package holds every file, lintian finds
# nothing to warn about, the documents agree with CHANGELOG.md, and the
# program unpacked from the package starts and builds its window.
# usage: package_test.sh BUILD_DIR APP_ID SOURCE_DIR
set -euo pipefail
build=$1
id=$2
src=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
metainfo=$work/prefix/share/metainfo/$id.metainfo.xml
desktop-file-validate "$work/prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$metainfo" >"$work/as.log" 2>&1 \
    || { cat "$work/as.log"; fail "metainfo"; }
echo "ok: desktop entry and metainfo validate"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/cylinder_*_*.deb)
echo "ok: built $(basename "$deb")"
version=$(grep -oP 'CPACK_PACKAGE_VERSION "\K[^"]+' "$build/CPackConfig.cmake")
[[ $(basename "$deb") == cylinder_${version}_$(dpkg --print-architecture).deb ]] || fail "file name"

# Any error or warning fails; an override would need its reason beside it.
# (Lintian's note about running as root goes to stderr and is dropped.)
lintian --fail-on error,warning --display-level '>=warning' "$deb" >"$work/lintian.log" 2>/dev/null \
    || { cat "$work/lintian.log"; fail "lintian"; }
[[ ! -s "$work/lintian.log" ]] || { cat "$work/lintian.log"; fail "lintian printed tags"; }
echo "ok: lintian reports no error and no warning"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/cylinder ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/doc/cylinder/copyright \
         ./usr/share/doc/cylinder/changelog.gz ./usr/share/man/man1/cylinder.1.gz; do
    grep -qx "$f" <<<"$files" || fail "missing $f"
done
for size in 16 32 48 64 128 256; do
    grep -qx "./usr/share/icons/hicolor/${size}x${size}/apps/$id.png" <<<"$files" || fail "missing icon $size"
done
echo "ok: package holds the binary, desktop entry, metainfo, every icon, copyright, changelog and manual page"

dpkg-deb -x "$deb" "$work/root"
doc=$work/root/usr/share/doc/cylinder

# One history: every release of CHANGELOG.md, newest first, in both documents.
# The versions are compared one per line, so a missing or extra release shows.
expected=$(sed -n 's/^## \([^ ]*\) - .*/\1/p' "$src/CHANGELOG.md")
[[ $(head -n1 <<<"$expected") == "$version" ]] || fail "CHANGELOG.md starts with $(head -n1 <<<"$expected"), not $version"
zcat "$doc/changelog.gz" >"$work/changelog"
debian=$(dpkg-parsechangelog -l "$work/changelog" --format rfc822 --all -S Version | grep .)
[[ "$debian" == "$expected" ]] || fail "Debian changelog versions: $(echo $debian), CHANGELOG.md: $(echo $expected)"
appstream=$(grep -oP '<release version="\K[^"]+' "$metainfo")
[[ "$appstream" == "$expected" ]] || fail "metainfo releases: $(echo $appstream), CHANGELOG.md: $(echo $expected)"
echo "ok: Debian changelog and metainfo list the releases $(echo $expected)"

# One licence: the metainfo, the copyright file and the Windows version resource.
license=$(grep -oP '<project_license>\K[^<]+' "$metainfo")
[[ "$license" == GPL-3.0-or-later ]] || fail "metainfo project_license is $license"
grep -A2 -x 'Files: \*' "$doc/copyright" | grep -qx "License: $license" || fail "copyright does not say $license"
if grep -q LegalCopyright "$src/app/cylinder.rc"; then
    grep LegalCopyright "$src/app/cylinder.rc" | grep -Eq "$license|CYLINDER_LICENSE" \
        || fail "app/cylinder.rc's LegalCopyright does not say $license"
fi
cmp -s "$src/LICENSE" /usr/share/common-licenses/GPL-3 || fail "LICENSE is not the GPL-3 text"
echo "ok: metainfo, copyright and version resource say $license"

# gzip -n: no name or time in the headers (bytes 4-7 are the time).
for gz in "$doc/changelog.gz" "$work/root/usr/share/man/man1/cylinder.1.gz"; do
    [[ $(od -An -tx1 -j3 -N5 "$gz" | tr -d ' ') == 0000000000 ]] || fail "$gz keeps a name or time"
done
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$work/root/usr/share/man/man1/cylinder.1.gz" \
    >"$work/man.txt" 2>"$work/man.log"
[[ ! -s "$work/man.log" ]] || { cat "$work/man.log"; fail "manual page warnings"; }
grep -q "takes no options" "$work/man.txt" || fail "manual page does not say it takes no options"
echo "ok: changelog and manual page gzipped without name or time; the page renders without warnings"

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libc6 fonts-liberation qt6-qpa-plugins; do
    grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done
echo "ok: Depends: $depends"
description=$(dpkg-deb -f "$deb" Description)
grep -q "Програмата cylinder" <<<"$description" || fail "no Bulgarian extended description"
grep -q "The program cylinder" <<<"$description" || fail "no English extended description"
echo "ok: extended description in Bulgarian and English"

status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$work/root/usr/bin/cylinder" || status=$?
[[ $status -eq 124 ]] || fail "unpacked program exited with $status instead of running"
echo "ok: the unpacked program starts and runs its event loop"
echo "1 passed, 0 failed"
