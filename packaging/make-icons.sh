#!/usr/bin/env bash
# Renders the committed PNG icons from cylinder.svg (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" cylinder.svg -o "icons/cylinder-$size.png"
done
