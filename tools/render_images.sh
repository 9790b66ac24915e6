#!/usr/bin/env bash
# Renders the hand-written SVG pictures into the PNG files the program and the desktop use:
# the about box's logo, icon and button faces at 1x and @2x (dialogs/images/), and the
# program icon at the hicolor theme's sizes (tools/desktop/icons/). Run after editing an SVG;
# the PNG files are committed.
set -euo pipefail
cd "$(dirname "$0")/.."
src=dialogs/images/src
out=dialogs/images

# render SVG WIDTH HEIGHT PNG: drawn large, then scaled down, for smooth edges.
render() {
    convert -background none -density 384 "$1" -resize "$2x$3!" -strip "PNG32:$4"
}

for scale in 1 2; do
    suffix=$([ "$scale" = 2 ] && echo "@2x" || true)
    render "$src/logo.svg" $((280 * scale)) $((140 * scale)) "$out/logo$suffix.png"
    render "$src/icon.svg" $((32 * scale)) $((32 * scale)) "$out/icon32$suffix.png"
    for face in normal pressed hover; do
        render "$src/button_$face.svg" $((100 * scale)) $((27 * scale)) \
            "$out/button_$face$suffix.png"
    done
done

for size in 16 32 48 64 128 256; do
    mkdir -p "tools/desktop/icons/${size}x${size}"
    render "$src/icon.svg" "$size" "$size" "tools/desktop/icons/${size}x${size}/vantrel.png"
done
