#!/bin/sh
# Repaints every bundled picture into game/img/ as NAME.dat, then reads them all back.
# Needs Qt 6 (Gui) and ImageMagick's convert, which writes the GIF ones (Qt has no GIF writer).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$root/game/img"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

cmake -S "$here" -B "$work/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" -j2 >/dev/null
tool="$work/build/mirutena-picgen"

mkdir -p "$out"
rm -f "$out"/*.dat
"$tool" "$out" "$work/gif"
for png in "$work"/gif/*.png; do
    name=$(basename "$png" .png)
    # Strip dates and other chunks so a repaint gives the same bytes.
    convert "$png" -strip gif:"$out/$name.dat"
done

"$tool" --verify "$out"
du -sh "$out"
