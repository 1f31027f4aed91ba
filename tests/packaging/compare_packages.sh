#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whether two packages (.deb or .zip) are the same bytes; when they are not,
# says what differs: the list of members (names, order, modes, owners, times),
# the content of named files, or only the archive's own framing.
# usage: compare_packages.sh FIRST SECOND   (exit 0 same, 1 different)
set -euo pipefail
first=$1
second=$2
if cmp -s "$first" "$second"; then
    echo "same bytes: $(basename "$first") ($(stat -c %s "$first") bytes, sha256 $(sha256sum <"$first" | cut -c1-16)...)"
    exit 0
fi
echo "DIFFERENT: $first and $second"

case $first in
    *.deb)
        members() { dpkg-deb -c "$1"; }
        unpack() { dpkg-deb -R "$1" "$2"; }
        framing() { ar tv "$1"; } ;;
    *.zip)
        members() { zipinfo -l "$1" | sed '1d;$d'; }
        unpack() { unzip -q "$1" -d "$2"; }
        framing() { zipinfo -v "$1" | grep -v '^  *file system or operating system of origin'; } ;;
    *) echo "no way known to unpack $first"; exit 1 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
found=false
if ! diff <(members "$first") <(members "$second") >"$work/members.diff"; then
    echo "member list differs (name, order, mode, owner, size or time):"
    head -n 20 "$work/members.diff"
    found=true
fi

unpack "$first" "$work/1"
unpack "$second" "$work/2"
while read -r path; do
    echo "content differs: $path"
    a=$work/1/$path
    b=$work/2/$path
    if [[ -f $a && -f $b ]] && file -b "$a" | grep -q '^ELF'; then
        # Name the ELF sections, e.g. only .note.gnu.build-id: a path reached the debug info.
        sections() { readelf -SW "$1" | sed -n 's/^ *\[ *[0-9]*\] \([^ ]*\) .*/\1/p'; }
        for section in $(sort -u <(sections "$a") <(sections "$b")); do
            rm -f "$work/s1" "$work/s2"
            objcopy --dump-section "$section=$work/s1" "$a" "$work/junk" 2>/dev/null
            objcopy --dump-section "$section=$work/s2" "$b" "$work/junk" 2>/dev/null
            if [[ ! -e $work/s1 && ! -e $work/s2 ]]; then
                continue  # no contents (.bss)
            elif [[ ! -e $work/s1 || ! -e $work/s2 ]]; then
                echo "  section $section in one only"
            elif ! cmp -s "$work/s1" "$work/s2"; then
                echo "  section $section"
            fi
        done
    elif [[ -f $a && -f $b ]] && grep -Iq . "$a"; then
        diff "$a" "$b" | head -n 10 | sed 's/^/  /'
    fi
    found=true
done < <(diff -rq "$work/1" "$work/2" | sed -n "s|^Files $work/1/\(.*\) and $work/2/.* differ$|\1|p")
diff -rq "$work/1" "$work/2" | grep '^Only in' | sed 's/^/present in one only: /' && found=true

if ! $found; then
    echo "members and contents agree: the archive framing differs (headers or compression):"
    diff <(framing "$first") <(framing "$second") | head -n 20 || true
fi
exit 1
