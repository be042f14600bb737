#!/usr/bin/env bash
# Installs what the game needs on Debian 12, builds it, then plays or tests it.
#   ./setup.sh play    build and start the game on the bundled sample game
#   ./setup.sh test    build and run every test (the same as CI)
#   ./setup.sh install build and install for this user, with a menu entry
#                      (into $MIRUTENA_PREFIX, default ~/.local/share/mirutena)
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-play}

packages=(g++ cmake make pkg-config qt6-base-dev libgl-dev libfluidsynth-dev fluidsynth
          timgm6mb-soundfont fonts-ipafont-gothic xvfb xauth openbox imagemagick xdotool wmctrl python3
          libbenchmark-dev clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_=""; [ "$(id -u)" -eq 0 ] || sudo_=sudo
  $sudo_ apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
case "$what" in
  play)
    cmake --preset dev >/dev/null
    cmake --build --preset dev -j "$jobs"
    exec build/game/mirutena
    ;;
  test)
    cmake --preset dev >/dev/null
    cmake --build --preset dev -j "$jobs"
    ctest --preset dev -j "$jobs"
    build/game/mirutena-check game/
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$jobs"
    ctest --preset asan -j "$jobs"
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j "$jobs"
    ctest --preset fuzz -j "$jobs"
    ;;
  install)
    cmake --preset release >/dev/null
    cmake --build --preset release -j "$jobs"
    cmake --install build-release --prefix "${MIRUTENA_PREFIX:-$HOME/.local/share/mirutena}"
    ;;
  *)
    echo "usage: $0 play|test|install" >&2
    exit 2
    ;;
esac
