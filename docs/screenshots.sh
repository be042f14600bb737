#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Refreshes the README's screenshots of the bundled game: base.png (the base screen after
# the opening), event.png (the opening's choice) and album.png (a photo picked from the
# album). Builds nothing: give it a built program, whose folder holds the game.
#   docs/screenshots.sh [PROGRAM]      default: build/game/mirutena
# Runs in its own Xvfb (1024x768) on a copy of the game, so your album stays as it is.
# Needs: xvfb openbox imagemagick xdotool wmctrl python3 (./setup.sh installs them).
set -euo pipefail
docs=$(cd "$(dirname "$0")" && pwd)
program=${1:-$docs/../build/game/mirutena}
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 2; }
exec python3 -B "$docs/screenshots.py" --program "$program" --out "$docs"
