#!/usr/bin/env bash
# Renders the committed PNG icons from cylinder.svg (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" cylinder.svg -o "icons/cylinder-$size.png"
done
# The Windows icon, from the same pictures (needs imagemagick).
convert icons/cylinder-16.png icons/cylinder-32.png icons/cylinder-48.png icons/cylinder-256.png icons/cylinder.ico
