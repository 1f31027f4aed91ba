# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the release scripts of packaging/*/package.sh: the version, the
# time every file gets, and texts as Windows and Notepad read them.
# A script starts with `release_begin INPUT OUTDIR`, which sets `root`,
# `input` (INPUT's full path), `out`, `version`, `epoch`, `name`
# (cylinder-VERSION) and `stage`, a folder removed on exit holding `$name`.

release_begin() {  # input outdir
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    input=$(realpath "$1")
    mkdir -p "$2"
    out=$(cd "$2" && pwd)
    version=$(release_version "$root")
    epoch=$(release_epoch "$root")
    name=cylinder-$version
    stage=$(mktemp -d)
    trap 'rm -rf "$stage"' EXIT
    mkdir "$stage/$name"
}

# project(VERSION) of the top CMakeLists.txt.
release_version() {
    local version
    version=$(sed -n 's/^project(cylinder VERSION \([0-9.]*\).*/\1/p' "$1/CMakeLists.txt")
    [[ -n "$version" ]] || { echo "no project(cylinder VERSION …) in $1/CMakeLists.txt" >&2; return 1; }
    echo "$version"
}

# SOURCE_DATE_EPOCH, or the last commit's time: the same commit, the same bytes.
release_epoch() {
    echo "${SOURCE_DATE_EPOCH:-$(git -C "$1" log -1 --format=%ct 2>/dev/null || stat -c %Y "$1/CMakeLists.txt")}"
}

# A read-me with a byte-order mark (Notepad then reads UTF-8 for sure) and
# CR LF line ends, without its licence line; @VERSION@ filled in.
release_text() {  # source version destination
    { printf '\xef\xbb\xbf'; sed -e '/SPDX-License-Identifier/d' -e "s/@VERSION@/$2/g" -e 's/$/\r/' "$1"; } >"$3"
}

# A zip of the given files (relative to the folder), dated `epoch`:
# -X no owner ids or extra times, -D no folder entries, files in this order.
release_zip() {  # folder epoch zip files...
    local folder=$1 epoch=$2 zip=$3
    shift 3
    export TZ=UTC  # zip keeps local time
    (cd "$folder" && touch -d "@$epoch" "$@" && rm -f "$zip" && zip -X -D -q "$zip" "$@")
    touch -d "@$epoch" "$zip"
}
