#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Paints the 32 x 32 window icon (a small camera) into data/mirutena.png.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 32x32 xc:none \
  -fill 'rgb(255,200,130)' -stroke 'rgb(150,70,20)' -strokewidth 1 \
  -draw 'roundrectangle 2,9 29,27 4,4' \
  -draw 'roundrectangle 6,5 14,10 2,2' \
  -fill 'rgb(60,60,80)' -stroke 'rgb(30,30,40)' -draw 'circle 16,18 16,11' \
  -fill 'rgb(120,170,230)' -stroke none -draw 'circle 16,18 16,14' \
  -fill white -draw 'circle 14,16 14,15' \
  -fill 'rgb(255,90,90)' -draw 'circle 25,12 25,11' \
  -strip png:mirutena.png
