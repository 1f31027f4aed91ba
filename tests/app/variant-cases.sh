# SPDX-License-Identifier: GPL-3.0-or-later
# The nine variants of tests/data/variants.txt as the window tests type and read
# them, sourced by tests/app/x11_test.sh and tests/runtime/win32/gui_test.sh.
# Each line: variant, the two given boxes and texts | the five texts of the row | r s
mapfile -t cases < <(grep -v '^#' "$(dirname "${BASH_SOURCE[0]}")/../data/variants.txt")
