#!/usr/bin/env bash
# Renders the PNG sizes of the hicolor theme from quilby.svg. The PNGs are
# committed, so a package build needs no SVG renderer; run this after editing
# the SVG (needs rsvg-convert from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" quilby.svg -o "quilby-$size.png"
done
