#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# packaging/release-files.cmake on small histories: the Debian dates carry the
# right weekday (checked against date(1)), the outputs parse, long items wrap
# within lintian's width, XML text is escaped, and malformed histories are
# refused with a message that says where.
# usage: changelog_test.sh SOURCE_DIR
set -uo pipefail  # no -e: each row records its own result
script=$1/packaging/release-files.cmake
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

run() {  # version; the history on stdin
    cat >"$work/CHANGELOG.md"
    rm -rf "$work/out" && mkdir "$work/out"
    printf '<releases/>\n@CYLINDER_RELEASES@\n' >"$work/meta.in"
    cmake -DCHANGELOG="$work/CHANGELOG.md" -DVERSION="$1" -DPACKAGE=t -DMAINTAINER="T <t@example.org>" \
        -DOUT_DIR="$work/out" -DMETAINFO_IN="$work/meta.in" -DMETAINFO="$work/out/meta.xml" \
        -P "$script" >"$work/log" 2>&1
}

# name | heading date and time | the time date(1) reads
dates=(
    "a Tuesday evening|2026-12-08 18:00|2026-12-08 18:00"
    "no time means midnight|2026-12-08|2026-12-08 00:00"
    "leap day|2000-02-29 12:30|2000-02-29 12:30"
    "last minute of a century year|1999-12-31 23:59|1999-12-31 23:59"
    "first of March after a leap February|2024-03-01 00:00|2024-03-01 00:00"
    "first of March, 2100 no leap year|2100-03-01 07:05|2100-03-01 07:05"
    "the epoch|1970-01-01 00:00|1970-01-01 00:00"
)
for row in "${dates[@]}"; do
    IFS='|' read -r name heading reading <<<"$row"
    if ! run 2.0 <<<"## 2.0 - $heading
- A change."; then
        fail "$name: refused: $(cat "$work/log")"
        continue
    fi
    want=$(LC_ALL=C date -u -R -d "$reading UTC")
    got=$(dpkg-parsechangelog -l "$work/out/changelog" -S Date)
    [[ $got == "$want" ]] && pass || fail "$name: Debian date '$got', date(1) says '$want'"
done

# A history of three releases, with long, marked-up and continued items.
long="A change that is described at such length that its text needs far more than one line of a Debian changelog to fit"
if run 3.0 <<EOF; then
# Title

Words before the first release are ignored.

## 3.0 - 2026-12-08 18:00

- $long.
- Numbers as \`1 < 2 & 3 > 2\`.

## 2.0 - 2026-06-01

- Two lines in the
  source, one item.

## 1.0 - 2025-01-01 09:00

- First.
EOF
    versions=$(dpkg-parsechangelog -l "$work/out/changelog" --format rfc822 --all -S Version | grep . | tr '\n' ' ')
    [[ $versions == "3.0 2.0 1.0 " ]] && pass || fail "Debian versions: $versions"
    [[ $(grep -o '<release version="[^"]*" date="[^"]*"' "$work/out/meta.xml" | tr '\n' ' ') == \
        '<release version="3.0" date="2026-12-08" <release version="2.0" date="2026-06-01" <release version="1.0" date="2025-01-01" ' ]] \
        && pass || fail "metainfo releases: $(grep '<release ' "$work/out/meta.xml")"
    awk 'length > 80 { bad = 1 } END { exit bad }' "$work/out/changelog" && pass || fail "a line over 80 columns"
    [[ $(grep -c '^  \* ' "$work/out/changelog") == 4 ]] && pass || fail "not 4 items: $(cat "$work/out/changelog")"
    # The long item wraps into indented lines that join back to the same words.
    joined=$(awk '/^  \* A change/ { on = 1; sub(/^  \* /, ""); printf "%s", $0; next }
                  on && /^    / { sub(/^    /, " "); printf "%s", $0; next } { on = 0 }' "$work/out/changelog")
    [[ $joined == "$long." ]] && pass || fail "wrapped item reads '$joined'"
    grep -qF '<li>Numbers as 1 &lt; 2 &amp; 3 &gt; 2.</li>' "$work/out/meta.xml" && pass \
        || fail "markup: $(grep Numbers "$work/out/meta.xml")"
    grep -qF '<li>Two lines in the source, one item.</li>' "$work/out/meta.xml" && pass || fail "continued item"
    [[ $(zcat "$work/out/changelog.gz") == "$(cat "$work/out/changelog")" ]] && pass || fail "changelog.gz"
    [[ $(od -An -tx1 -j4 -N4 "$work/out/changelog.gz" | tr -d ' ') == 00000000 ]] && pass || fail "gzip time set"
else
    fail "three releases refused: $(cat "$work/log")"
fi

# name | project version | history ("\n" for line ends) | words of the message
refused=(
    "version other than the project's|1.1|## 1.0 - 2026-01-01\n- x.|the newest release is 1.0, the project is 1.1"
    "older release first|2.0|## 1.0 - 2026-01-01\n- x.\n## 2.0 - 2026-02-01\n- y.|CHANGELOG.md:3: 2.0 is not older"
    "two releases at one time|2.0|## 2.0 - 2026-01-01 10:00\n- x.\n## 1.0 - 2026-01-01 10:00\n- y.|CHANGELOG.md:3: 1.0 is not older"
    "release without changes|2.0|## 2.0 - 2026-02-01\n\n## 1.0 - 2026-01-01\n- y.|release 2.0 lists no changes"
    "oldest release without changes|2.0|## 2.0 - 2026-02-01\n- x.\n## 1.0 - 2026-01-01|release 1.0 lists no changes"
    "well-formed, as a control|2.0|## 2.0 - 2026-02-01\n- x.\n## 1.0 - 2026-01-01\n- y.|"
    "heading without a date|2.0|## 2.0\n- x.|CHANGELOG.md:1: a release is"
    "thirtieth of February|2.0|## 2.0 - 2026-02-30\n- x.|no such date: 2026-02-30"
    "thirteenth month|2.0|## 2.0 - 2026-13-01\n- x.|no such date or time"
    "hour 24|2.0|## 2.0 - 2026-01-01 24:00\n- x.|no such date or time"
    "a stray line|2.0|## 2.0 - 2026-01-01\n- x.\nstray|CHANGELOG.md:3: expected"
    "no release at all|2.0|# Title|no release heading"
)
for row in "${refused[@]}"; do
    IFS='|' read -r name version history words <<<"$row"
    if [[ -z $words ]]; then
        # A control row: this history is fine.
        printf "$history\n" | run "$version" && pass || fail "$name: refused: $(cat "$work/log")"
        continue
    fi
    if printf "$history\n" | run "$version"; then
        fail "$name: accepted"
    elif tr -s ' \n' '  ' <"$work/log" | grep -qF "$words"; then  # cmake wraps its messages
        pass
    else
        fail "$name: message lacks '$words': $(cat "$work/log")"
    fi
done

echo "$passed passed, $failed failed"
[[ $failed == 0 ]]
