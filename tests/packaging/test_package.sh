#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and lints it, then installs it into a clean Debian 12 root where
# an ordinary player starts `mirutena` from the PATH twice: the album must be kept in the
# player's data folder, read back by the second run, and nothing written under /usr.
#   test_package.sh SOURCE_DIR WORK_DIR          (exit 77: skipped)
set -euo pipefail
src=${1:?source folder} work=$(realpath -m "${2:?work folder}")
skip() { echo "SKIPPED: $*"; exit 77; }
start=$SECONDS
lap() { echo "--- $1 ($((SECONDS - start)) s)"; }

mkdir -p "$work"
root=$work/root
cleanup() { # what runs in the root, its mounts innermost first; never remove through a mount
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" != "$root" ] || kill -9 "${p#/proc/}" 2>/dev/null || true
  done
  findmnt -rn -o TARGET | grep "^$root/" | sort -r | xargs -r -n 1 umount -l || true
  rm -rf --one-file-system "$root"
}
# A clean Debian 12 root needs root and debootstrap; it is made while the package builds.
boot=
if [ "$(id -u)" -eq 0 ] && command -v debootstrap >/dev/null; then
  trap 'status=$?; [ -z "$boot" ] || kill $boot 2>/dev/null; wait; cleanup; exit $status' EXIT
  trap 'exit 1' INT TERM HUP
  cleanup # what an interrupted run left
  # The Debian mirror this machine's apt uses.
  mirror=$(cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
    sed -n 's/^URIs: *\(\S*\/debian\)\/*$/\1/p; s/^deb \(\S*\/debian\)\/* .*/\1/p' | head -n 1 || true)
  debootstrap --variant=minbase bookworm "$root" "${mirror:-http://deb.debian.org/debian}" \
    >"$work/debootstrap.log" 2>&1 &
  boot=$!
fi

deb=$(MIRUTENA_PACKAGE_BUILD="$work/build" "$src/setup.sh" package | tail -n 1)
[ -f "$deb" ] || { echo "no package built: $deb"; exit 1; }
lap "built $deb"
lintian --fail-on error,warning --tag-display-limit 0 "$deb"
tree=$work/tree
rm -rf "$tree" && dpkg-deb -x "$deb" "$tree"
entry=$(echo "$tree"/usr/share/applications/*.desktop)
desktop-file-validate "$entry"
appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml
icon=$(sed -n 's/^Icon=//p' "$entry")
compgen -G "$tree/usr/share/icons/hicolor/*/apps/$icon.*" >/dev/null || { echo "no icon $icon"; exit 1; }
lap "lint-clean"

[ "$(id -u)" -eq 0 ] || skip "installing into a Debian root needs root (debootstrap, chroot)"
[ -n "$boot" ] || skip "debootstrap is not installed"
booted=0
wait $boot || booted=$?
boot=
[ $booted -eq 0 ] || { tail -n 20 "$work/debootstrap.log"; skip "debootstrap failed"; }
for d in proc sys dev dev/pts dev/shm; do
  mount --bind "/$d" "$root/$d" || skip "cannot bind-mount /$d into the Debian root"
done
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
lap "Debian root ready"

cp "$deb" "$root/tmp/"
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
chroot "$root" apt-get -q update >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }
# The package with only what it declares, and what this test needs to see it play.
chroot "$root" apt-get -q install -y --no-install-recommends "/tmp/${deb##*/}" \
  xvfb xauth xdotool wmctrl openbox >>"$work/apt.log" 2>&1 || { tail -n 30 "$work/apt.log"; exit 1; }
chroot "$root" useradd -m player
touch "$root/tmp/installed"
lap "installed"

# Run as the player: start the game under Xvfb, wait for its window, close it as a user does.
cat >"$root/tmp/play.sh" <<'PLAY'
set -eu
for program in mirutena mirutena-check mirutena-testplay; do
  command -v $program | grep -qx /usr/games/$program
done
# The test play finds the installed game beside its real path (no display needed to say so).
if mirutena-testplay no-such-event 2>testplay.err ||
   ! grep -q /usr/lib/games/mirutena/dat/no-such-event.dat testplay.err; then
  echo "mirutena-testplay did not look in the installed game"; cat testplay.err; exit 1
fi
fc-list :lang=ja | grep -q . || { echo "no Japanese font"; exit 1; }
game= wm=
# A free display: the root shares this machine's abstract X sockets.
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>display 2>/dev/null & xvfb=$!
trap 'status=$?; kill $game $wm $xvfb 2>/dev/null || true; exit $status' EXIT
for i in $(seq 50); do [ -s display ] && break; sleep 0.2; done
export DISPLAY=:$(cat display)
openbox >/dev/null 2>&1 & wm=$!
# A window mapped while the window manager starts may never be managed.
for i in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.2; done
play() {
  mirutena 2>>game.err & game=$!
  # The first start of a fresh system builds the font cache.
  for i in $(seq 120); do wmctrl -l 2>/dev/null | grep -q ミルテナ && break; sleep 0.5; done
  wmctrl -l | grep -q ミルテナ || { echo "no game window"; cat game.err; exit 1; }
  wmctrl -c ミルテナ
  for i in $(seq 60); do kill -0 $game 2>/dev/null || break; sleep 0.5; done
  ! kill -0 $game 2>/dev/null || { echo "the game did not end when closed"; cat game.err; exit 1; }
  wait $game || { echo "the game ended with status $?"; cat game.err; exit 1; }
}
album=$HOME/.local/share/mirutena/save.dat
play
[ -f "$album" ] || { echo "no album in $album"; exit 1; }
printf '03\r\n' >"$album" # a photo kept: the second run must read it and write it back
play
[ "$(cat "$album")" = "$(printf '03\r')" ] || { echo "album not kept: $(od -c "$album")"; exit 1; }
mirutena-check >/dev/null
cat game.err # what the game said (no sound card here)
PLAY
chroot "$root" runuser -l player -c 'LC_ALL=C.UTF-8 sh /tmp/play.sh'
written=$(find "$root/usr" -newer "$root/tmp/installed" | head)
[ -z "$written" ] || { echo "written under /usr: $written"; exit 1; }
lap "played twice as player; album kept in the home folder, /usr untouched"
