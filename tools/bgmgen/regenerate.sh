#!/bin/sh
# Rebuilds the generator in a scratch directory and rewrites game/bgm.mid.
# The output is fixed by the code: running this twice gives the same bytes.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(mktemp -d "${TMPDIR:-/tmp}/mirutena-bgmgen.XXXXXX")
trap 'rm -rf "$build"' EXIT INT TERM

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 >/dev/null
"$build/mirutena-bgmgen" "$root/game/bgm.mid"
"$build/mirutena-bgmgen" --summary "$root/game/bgm.mid"
