#!/usr/bin/env bash
# The installed layout validates, the package holds every file, and the
# program unpacked from it starts and builds its window.
set -euo pipefail
build=$1
id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
desktop-file-validate "$work/prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$work/prefix/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 \
    || { cat "$work/as.log"; fail "metainfo"; }
echo "ok: desktop entry and metainfo validate"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/cylinder_*_*.deb)
echo "ok: built $(basename "$deb")"
version=$(grep -oP 'CPACK_PACKAGE_VERSION "\K[^"]+' "$build/CPackConfig.cmake")
[[ $(basename "$deb") == cylinder_${version}_$(dpkg --print-architecture).deb ]] || fail "file name"
grep -q "release version=\"$version\"" "$work/prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo version"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/cylinder ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/$id.svg; do
    grep -qx "$f" <<<"$files" || fail "missing $f"
done
for size in 16 32 48 64 128 256; do
    grep -qx "./usr/share/icons/hicolor/${size}x${size}/apps/$id.png" <<<"$files" || fail "missing icon $size"
done
echo "ok: package holds the binary, desktop entry, metainfo and every icon"

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libc6 fonts-liberation qt6-qpa-plugins; do
    grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done
echo "ok: Depends: $depends"

dpkg-deb -x "$deb" "$work/root"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$work/root/usr/bin/cylinder" || status=$?
[[ $status -eq 124 ]] || fail "unpacked program exited with $status instead of running"
echo "ok: the unpacked program starts and runs its event loop"
echo "1 passed, 0 failed"
