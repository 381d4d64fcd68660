#!/usr/bin/env bash
# Remakes the saver's icons from its own rendering: icon 107 shows the finished set, icon 108 the
# image still refining after ten passes, each at 16, 32 and 48 pixels.
# Run from the repository after a native build: bash resources/make_icons.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
snapshot=build/native/snapshot/vorpane-snapshot
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_icon() { # NAME STEPS
    local sizes=()
    # Render larger and scale down, so the small sizes keep the set's shape.
    "$snapshot" --seed 1 --steps "$2" --size 192x192 --out "$work/$1-192.png"
    for size in 16 32 48; do
        convert "$work/$1-192.png" -resize "${size}x${size}" "$work/$1-$size.png"
        sizes+=("$work/$1-$size.png")
    done
    convert "${sizes[@]}" "resources/$1.ico"
}

make_icon vorpane-finished 2880
make_icon vorpane-refining 300
