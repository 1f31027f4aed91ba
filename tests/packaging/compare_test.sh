#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# compare_packages.sh on pairs of small packages that differ in one known
# way: it must accept the identical pair and name what differs in the others.
set -uo pipefail  # no -e: each row records its own result
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SOURCE_DATE_EPOCH=1796752800 TZ=UTC
passed=0
failed=0

# A package tree; the change, if any, is applied before packing. Times are
# set back, not forward: dpkg-deb clamps them to SOURCE_DATE_EPOCH.
tree() {  # dir, change
    rm -rf "$1"
    mkdir -p "$1/DEBIAN" "$1/usr/share/doc/t" "$1/usr/bin"
    printf 'Package: t\nVersion: 1\nArchitecture: all\nMaintainer: T <t@example.org>\nDescription: t\n' \
        >"$1/DEBIAN/control"
    printf 'one\ntwo\n' >"$1/usr/share/doc/t/notes"
    cp /bin/true "$1/usr/bin/t"
    case $2 in
        text) printf 'one\nTWO\n' >"$1/usr/share/doc/t/notes" ;;
        extra) printf 'x\n' >"$1/usr/share/doc/t/extra" ;;
        elf) objcopy --add-section .note.path=<(printf '/build/here') "$1/usr/bin/t" ;;
        debuglink)
            # Same size, other bytes: as a build id that took a path in.
            objcopy --dump-section .gnu_debuglink="$1/link" "$1/usr/bin/t"
            tr 'a-z' 'b-za' <"$1/link" >"$1/link2"
            objcopy --update-section .gnu_debuglink="$1/link2" "$1/usr/bin/t"
            rm "$1/link" "$1/link2" ;;
    esac
    find "$1" -exec touch -h -d @$SOURCE_DATE_EPOCH {} +
    [[ $2 == time ]] && touch -d @$((SOURCE_DATE_EPOCH - 60)) "$1/usr/share/doc/t/notes"
    return 0
}
pack() {  # dir, format, output
    if [[ $2 == deb ]]; then
        dpkg-deb --root-owner-group -Zgzip --build "$1" "$3" >/dev/null
    else
        (cd "$1" && rm -rf DEBIAN && zip -qrX "$3" usr)
    fi
}

# name | format | change in the second | exit status | words the report must hold
rows=(
    "identical debs|deb|none|0|same bytes"
    "deb with one changed line|deb|text|1|content differs: usr/share/doc/t/notes"
    "deb with an earlier time|deb|time|1|member list differs"
    "deb with an extra file|deb|extra|1|present in one only"
    "deb whose binary gained a section|deb|elf|1|section .note.path in one only"
    "deb whose binary has one section changed|deb|debuglink|1|section .gnu_debuglink"
    "identical zips|zip|none|0|same bytes"
    "zip with one changed line|zip|text|1|content differs: usr/share/doc/t/notes"
    "zip with an earlier time|zip|time|1|member list differs"
)
for row in "${rows[@]}"; do
    IFS='|' read -r name format change status words <<<"$row"
    tree "$work/one" none
    pack "$work/one" "$format" "$work/one.$format"
    tree "$work/two" "$change"
    pack "$work/two" "$format" "$work/two.$format"
    "$here/compare_packages.sh" "$work/one.$format" "$work/two.$format" >"$work/report" 2>&1
    got=$?
    if [[ $got == "$status" ]] && grep -qF "$words" "$work/report"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $name: exit $got (wanted $status), report:"
        sed 's/^/  /' "$work/report"
    fi
    rm -f "$work"/one.* "$work"/two.*
done
echo "$passed passed, $failed failed"
[[ $failed == 0 ]]
