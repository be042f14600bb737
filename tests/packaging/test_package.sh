#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and lints it, then installs it into a clean Debian 12 root where
# an ordinary player starts `mirutena` from the PATH twice: the album must be kept in the
# player's data folder, read back by the second run, and nothing written under /usr.
#   test_package.sh SOURCE_DIR WORK_DIR          (exit 77: skipped)
set -euo pipefail
src=${1:?source folder} work=$(realpath -m "${2:?work folder}")
root=$work/root
skip() { echo "SKIPPED: $*"; exit 77; }
cleanup() { # what runs in the root, its mounts innermost first; never remove through a mount
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" != "$root" ] || kill -9 "${p#/proc/}" 2>/dev/null || true
  done
  findmnt -rn -o TARGET | grep "^$root/" | sort -r | xargs -r -n 1 umount -l || true
  rm -rf --one-file-system "$root"
}
mkdir -p "$work"
# The clean root needs root and debootstrap; it is made while the package builds, from the
# Debian mirror this machine's apt uses.
boot=
if [ "$(id -u)" -eq 0 ] && command -v debootstrap >/dev/null; then
  trap 'status=$?; [ -z "$boot" ] || kill $boot 2>/dev/null; wait; cleanup; exit $status' EXIT
  trap 'exit 1' INT TERM HUP
  cleanup # what an interrupted run left
  mirror=$(cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null | sed -n \
    's/^URIs: *\(\S*\/debian\)\/*$/\1/p; s/^deb \(\S*\/debian\)\/* .*/\1/p' | head -n 1 || true)
  debootstrap --variant=minbase bookworm "$root" "${mirror:-http://deb.debian.org/debian}" \
    >"$work/debootstrap.log" 2>&1 &
  boot=$!
fi

deb=$(MIRUTENA_PACKAGE_BUILD="$work/build" "$src/setup.sh" package | tail -n 1)
[ -f "$deb" ] || { echo "no package built: $deb"; exit 1; }
lintian --fail-on error,warning --tag-display-limit 0 "$deb"
tree=$work/tree
rm -rf "$tree" && dpkg-deb -x "$deb" "$tree"
entry=$(echo "$tree"/usr/share/applications/*.desktop)
desktop-file-validate "$entry"
appstreamcli validate --no-net "$tree"/usr/share/metainfo/*.metainfo.xml
icon=$(sed -n 's/^Icon=//p' "$entry")
compgen -G "$tree/usr/share/icons/hicolor/*/apps/$icon.*" >/dev/null ||
  { echo "no icon $icon"; exit 1; }

[ -n "$boot" ] || skip "installing into a Debian root needs root and debootstrap"
wait $boot || { tail -n 20 "$work/debootstrap.log"; skip "debootstrap failed"; }
boot=
for d in proc sys dev dev/pts dev/shm; do
  mount --bind "/$d" "$root/$d" || skip "cannot bind-mount /$d into the Debian root"
done
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
# The package with only what it declares, and what this test needs to see it play.
{ chroot "$root" apt-get -q update &&
  chroot "$root" apt-get -q install -y --no-install-recommends "/tmp/${deb##*/}" xvfb wmctrl \
    openbox; } >"$work/apt.log" 2>&1 || { tail -n 30 "$work/apt.log"; exit 1; }
chroot "$root" useradd -m player
touch "$root/tmp/installed"

# As the player: the game started under Xvfb, its window awaited, closed as a user does.
cat >"$root/tmp/play.sh" <<'PLAY'
set -eu
fail() { echo "$*"; cat game.err 2>/dev/null; exit 1; }
awaits() { timeout "$1" sh -c "until $2; do sleep 0.3; done" || fail "no $3"; }
for program in mirutena mirutena-check mirutena-testplay; do
  [ "$(command -v $program)" = /usr/games/$program ] || fail "$program is not on the PATH"
done
# The test play finds the installed game beside its real path (no display needed to say so).
! mirutena-testplay no-such-event 2>game.err &&
  grep -q /usr/lib/games/mirutena/dat/no-such-event.dat game.err ||
  fail "mirutena-testplay did not look in the installed game"
fc-list :lang=ja | grep -q . || fail "no Japanese font"
# A free display: the root shares this machine's abstract X sockets.
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>display 2>/dev/null &
game= wm= xvfb=$!
trap 'status=$?; kill $game $wm $xvfb 2>/dev/null || true; exit $status' EXIT
awaits 10 "[ -s display ]" "X server"
export DISPLAY=:$(cat display)
openbox >/dev/null 2>&1 & wm=$!
# A window mapped while the window manager starts may never be managed.
awaits 10 "wmctrl -m >/dev/null 2>&1" "window manager"
play() {
  mirutena 2>>game.err & game=$!
  # The first start of a fresh system builds the font cache.
  awaits 60 "wmctrl -l 2>/dev/null | grep -q ミルテナ" "game window"
  wmctrl -c ミルテナ
  timeout 30 tail --pid=$game -f /dev/null || fail "the game did not end when closed"
  wait $game || fail "the game ended with status $?"
}
album=$HOME/.local/share/mirutena/save.dat
play
[ -f "$album" ] || fail "no album in $album"
printf '03\r\n' >"$album" # a photo kept: the second run must read it and write it back
play
[ "$(cat "$album")" = "$(printf '03\r')" ] || fail "album not kept: $(od -c "$album")"
mirutena-check >/dev/null
PLAY
chroot "$root" runuser -l player -c 'LC_ALL=C.UTF-8 sh /tmp/play.sh'
written=$(find "$root/usr" -newer "$root/tmp/installed" | head)
[ -z "$written" ] || { echo "written under /usr: $written"; exit 1; }
