#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/add-spdx on one file of each kind: the line lands first, or second
# after a shebang or an XML declaration; files that take no comment stay as
# they are; a second run changes nothing; --check lists what lacks the line.
# usage: spdx_test.sh SOURCE_DIR
set -uo pipefail  # no -e: each check records its own result
tool=$1/tools/add-spdx
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {  # name, condition result
    if [[ $2 == 0 ]]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1"; fi
}
id='SPDX-License-Identifier: GPL-3.0-or-later'

# name | file | content before (printf format) | content after (printf format)
rows=(
    "c++ source|a.cpp|int x;\n|// $id\nint x;\n"
    "header template|version.h.in|#define V 1\n|// $id\n#define V 1\n"
    "resource script|app.rc|1 ICON \"a.ico\"\n|// $id\n1 ICON \"a.ico\"\n"
    "cmake list|CMakeLists.txt|project(x)\n|# $id\nproject(x)\n"
    "cmake script template|opts.cmake.in|set(a 1)\n|# $id\nset(a 1)\n"
    "shell script with shebang|run.sh|#!/bin/sh\necho hi\n|#!/bin/sh\n# $id\necho hi\n"
    "script without extension|tool|#!/usr/bin/env bash\nexit 0\n|#!/usr/bin/env bash\n# $id\nexit 0\n"
    "package list|packages.txt|g++\n|# $id\ng++\n"
    "desktop entry template|x.desktop.in|[Desktop Entry]\n|# $id\n[Desktop Entry]\n"
    "xml after its declaration|x.metainfo.xml.in|<?xml version=\"1.0\"?>\n<component/>\n|<?xml version=\"1.0\"?>\n<!-- $id -->\n<component/>\n"
    "svg without declaration|icon.svg|<svg/>\n|<!-- $id -->\n<svg/>\n"
    "markdown|notes.md|# Title\n|<!-- $id -->\n# Title\n"
    "manual page template|prog.1.in|.TH PROG 1\n|.\\\\\" $id\n.TH PROG 1\n"
    "installer script|setup.nsi|Name \"x\"\n|; $id\nName \"x\"\n"
    "javascript library|library.js|var a;\n|// $id\nvar a;\n"
    "javascript module with shebang|test.mjs|#!/usr/bin/env node\nlet b;\n|#!/usr/bin/env node\n// $id\nlet b;\n"
    "empty file|empty.h||// $id\n"
    "last line kept without newline|last.cpp|int y;|// $id\nint y;"
    "already has the line|done.cpp|// $id\nint z;\n|// $id\nint z;\n"
    "already has it after shebang|done.sh|#!/bin/sh\n# $id\n|#!/bin/sh\n# $id\n"
    "json takes no comment|CMakePresets.json|{}\n|{}\n"
    "png is binary|icon.png|\x89PNG\n|\x89PNG\n"
    "fuzzing seed is data|fuzz/corpus/seed|1,5\n|1,5\n"
    "licence text|LICENSE|GNU GENERAL PUBLIC LICENSE\n|GNU GENERAL PUBLIC LICENSE\n"
    "font licence text|LICENSE-fonts.txt|SIL OPEN FONT LICENSE\n|SIL OPEN FONT LICENSE\n"
    "dep5 copyright|copyright|Format: x\n|Format: x\n"
)

files=()
for row in "${rows[@]}"; do
    IFS='|' read -r _ file before _ <<<"$row"
    mkdir -p "$work/$(dirname "$file")"
    # shellcheck disable=SC2059  # the rows are formats
    printf "$before" >"$work/$file"
    files+=("$work/$file")
done
chmod +x "$work/run.sh"

"$tool" --check "${files[@]}" >"$work/check-before.log" 2>&1 && status=0 || status=$?
check "--check fails before the run" $((status == 1 ? 0 : 1))
"$tool" "${files[@]}" >/dev/null
for row in "${rows[@]}"; do
    IFS='|' read -r name file before after <<<"$row"
    # shellcheck disable=SC2059
    printf "$after" >"$work/expected"
    cmp -s "$work/expected" "$work/$file" && ok=0 || ok=1
    check "$name: $(head -c 200 "$work/$file")" $ok
    # --check named exactly the files that changed.
    if cmp -s <(printf "$before") "$work/expected"; then
        ! grep -q ": $work/$file\$" "$work/check-before.log"
    else
        grep -q ": $work/$file\$" "$work/check-before.log"
    fi
    check "$name: listed by --check exactly when it lacked the line" $?
done
[[ -x "$work/run.sh" ]]
check "the script stays executable" $?

cp -r "$work" "$work.once"
"$tool" "${files[@]}" >/dev/null
diff -r "$work.once" "$work" >/dev/null
check "a second run changes nothing" $?
rm -rf "$work.once"
"$tool" --check "${files[@]}" >/dev/null 2>&1
check "--check passes after the run" $?

printf 'x\n' >"$work/data.xyz"
"$tool" --check "$work/data.xyz" >"$work/unknown.log" 2>&1 && status=0 || status=$?
[[ $status == 1 ]] && grep -q "unknown kind.*data.xyz" "$work/unknown.log"
check "--check fails on a kind it does not know" $?

echo "$passed passed, $failed failed"
[[ $failed == 0 ]]
