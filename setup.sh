#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the game needs on Debian 12, builds it, then plays or tests it.
#   ./setup.sh play    build and start the game on the bundled sample game
#   ./setup.sh test    build and run every test (the same as CI)
#   ./setup.sh install build and install for this user, with a menu entry
#                      (into $MIRUTENA_PREFIX, default ~/.local/share/games/mirutena)
#   ./setup.sh package build the Debian package (in $MIRUTENA_PACKAGE_BUILD, default
#                      build-package/) and print its path last
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-play}

packages=(g++ cmake make pkg-config qt6-base-dev libgl-dev libfluidsynth-dev fluidsynth
          timgm6mb-soundfont fonts-ipafont-gothic xvfb xauth openbox imagemagick xdotool wmctrl x11-utils x11-xserver-utils python3
          dbus-daemon at-spi2-core python3-pyatspi
          libbenchmark-dev clang libclang-rt-14-dev
          dpkg-dev file lintian desktop-file-utils appstream debootstrap)
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
    start=$SECONDS
    cmake --preset dev >/dev/null
    cmake --build --preset dev -j "$jobs"
    ctest --preset dev -LE packaging -j "$jobs"
    build/game/mirutena-check game/
    # The package test (ctest -L packaging) waits mostly on the network and on dpkg: it runs
    # beside the sanitizer build.
    tests/packaging/test_package.sh "$PWD" build/packaging >build/packaging.log 2>&1 &
    packaging=$!
    trap 'kill $packaging 2>/dev/null || true' EXIT
    # The sanitizer build runs the C++ tests and short runs of the fuzz targets.
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$jobs"
    ctest --preset asan -j "$jobs"
    status=0
    wait $packaging || status=$?
    trap - EXIT
    cat build/packaging.log
    case $status in
      0) echo "Packaging test passed." ;;
      77) echo "Packaging test skipped."; status=0 ;;
      *) echo "Packaging test FAILED (status $status)." ;;
    esac
    echo "Tests took $((SECONDS - start)) s."
    exit $status
    ;;
  install)
    data_home=${XDG_DATA_HOME:-$HOME/.local/share}
    prefix=$(realpath -m "${MIRUTENA_PREFIX:-$data_home/games/mirutena}")
    # The packaged game keeps each player's album in data_home/mirutena: never share it.
    if [ "$prefix" = "$(realpath -m "$data_home/mirutena")" ]; then
      echo "$prefix is where the packaged game keeps your album: choose another folder." >&2
      exit 2
    fi
    # Earlier versions installed into that folder: bring their album along, once.
    old=$data_home/mirutena
    if [ -x "$old/mirutena" ] && [ -f "$old/dat/save.dat" ] && [ ! -e "$prefix/dat/save.dat" ]; then
      mkdir -p "$prefix/dat"
      cp -p "$old/dat/save.dat" "$prefix/dat/save.dat"
      rm -f "$data_home/applications/mirutena.desktop" "$data_home/icons/hicolor/32x32/apps/mirutena.png"
      echo "Your album was copied from the old install in $old, which you may now delete."
    fi
    cmake --preset release >/dev/null
    cmake --build --preset release -j "$jobs"
    cmake --install build-release --prefix "$prefix"
    mkdir -p "$data_home/applications"
    for entry in "$prefix"/*.desktop; do
      install -m 644 "$entry" "$data_home/applications/"
      echo "Menu entry: $data_home/applications/${entry##*/}"
    done
    ;;
  package)
    build=${MIRUTENA_PACKAGE_BUILD:-build-package}
    # Debian's own compiler and linker flags, hardening included.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMIRUTENA_SYSTEM_INSTALL=ON -DCMAKE_UNITY_BUILD=ON \
      -DMIRUTENA_TESTS=OFF -DMIRUTENA_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
    cmake --build "$build" -j "$jobs"
    rm -f "$build"/mirutena_*.deb
    (cd "$build" && cpack -G DEB)
    realpath "$build"/mirutena_*.deb
    ;;
  *)
    echo "usage: $0 play|test|install|package" >&2
    exit 2
    ;;
esac
