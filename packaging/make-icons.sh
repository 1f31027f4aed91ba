#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the committed PNG icons from cylinder.svg (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
# 192 and 512: the web app's icons.
for size in 16 32 48 64 128 192 256 512; do
    rsvg-convert -w "$size" -h "$size" cylinder.svg -o "icons/cylinder-$size.png"
done
# The Windows icon, from the same pictures (needs imagemagick).
convert icons/cylinder-16.png icons/cylinder-32.png icons/cylinder-48.png icons/cylinder-256.png icons/cylinder.ico
# The window icon, compiled in: 256 colours with on/off transparency, read
# without image plugins.
for size in 32 64; do
    convert "icons/cylinder-$size.png" -channel A -threshold 50% +channel -colors 255 "icons/cylinder-$size.xpm"
    sed -i "s/static char \*cylinder-$size\[\]/static const char* const cylinder_${size}_xpm[]/" "icons/cylinder-$size.xpm"
done
