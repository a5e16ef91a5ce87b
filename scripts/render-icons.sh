#!/usr/bin/env bash
# Renders the PNG sizes of the program icon from its SVG into
# resources/desktop/icons/<size>/. The PNGs are kept in the repository, so a
# build needs no SVG renderer; run this after changing the SVG.
# Uses rsvg-convert (librsvg2-bin) when installed, else ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."

svg=resources/desktop/org.example.quillset.svg
for size in 48 128 256; do
    out=resources/desktop/icons/${size}x${size}/org.example.quillset.png
    mkdir -p "$(dirname "$out")"
    if command -v rsvg-convert >/dev/null 2>&1; then
        rsvg-convert -w "$size" -h "$size" "$svg" -o "$out"
    elif [ -x /usr/bin/convert ]; then
        /usr/bin/convert -background none -density 384 "$svg" -resize "${size}x${size}" "$out"
    else
        echo "render-icons: neither rsvg-convert nor ImageMagick is installed" >&2
        exit 1
    fi
    echo "$out"
done
