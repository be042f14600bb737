#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the real program from outside, as the system would: quit signals, and SIGKILL at
random moments while the album is being saved.
    probe.py signals PROGRAM
    probe.py kill PROGRAM KILLS SEED"""

import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

WANTED = (1 << (signal.SIGTERM - 1)) | (1 << (signal.SIGINT - 1)) | (1 << (signal.SIGHUP - 1))
KNOWN = {"0.dat", "syasin.dat", "tsyasin.dat", "save.dat"}


def grey_pixel():
    """A PNG of one grey pixel."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data)))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"\x00\x80")) + chunk(b"IEND", b""))


def die(message):
    print("FAIL:", message, file=sys.stderr)
    sys.exit(1)


class GameCopy:
    """A game folder with the program copied in: it reads its data beside itself."""

    def __init__(self, program):
        self.root = tempfile.mkdtemp(prefix="mirutena-probe-")
        self.dat = os.path.join(self.root, "dat")
        os.makedirs(self.dat)
        os.makedirs(os.path.join(self.root, "img"))
        self.program = os.path.join(self.root, "mirutena")
        shutil.copy2(program, self.program)
        self.album = os.path.join(self.dat, "save.dat")
        for name, text in {"0": "やあ。", "syasin": "a", "tsyasin": "b"}.items():
            self.write("dat/%s.dat" % name, text.encode("cp932") + b"\r\n")
        for name in ("ttl", "girl", "dmy"):
            self.write("img/%s.dat" % name, grey_pixel())

    def write(self, relative, data):
        with open(os.path.join(self.root, relative), "wb") as f:
            f.write(data)

    def read_album(self):
        with open(self.album, "rb") as f:
            return f.read()

    def stray(self):
        return sorted(set(os.listdir(self.dat)) - KNOWN)

    def start(self):
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", ASAN_OPTIONS="detect_leaks=0")
        proc = subprocess.Popen([self.program], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        # Signals count once the program catches all three.
        deadline = time.monotonic() + 60
        while True:
            if proc.poll() is not None:
                die("the program ended early with status %d" % proc.returncode)
            try:
                with open("/proc/%d/status" % proc.pid) as f:
                    caught = [l for l in f if l.startswith("SigCgt:")]
                if caught and int(caught[0].split()[1], 16) & WANTED == WANTED:
                    return proc
            except OSError:
                pass
            if time.monotonic() > deadline:
                die("the program never installed its signal handlers")
            time.sleep(0.0002)

    def saving(self, proc):
        """The save's output is open: a file in dat/ that is not save.dat."""
        fds = "/proc/%d/fd" % proc.pid
        try:
            for fd in os.listdir(fds):
                target = os.readlink(os.path.join(fds, fd))
                if target.startswith(self.dat + "/") and not target.endswith("/save.dat"):
                    return True
        except OSError:
            pass
        return False

    def close(self):
        shutil.rmtree(self.root, ignore_errors=True)


def unsorted_album(entries, rng):
    """Photo codes in no order, and now and then bytes that are no CP932, kept as they are."""
    lines = []
    for i in range(entries):
        c = rng.randrange(47)
        lines.append(b"\x82\xff\x81" if i % 10007 == 0 else
                     b"t%02d" % (c - 31) if c > 30 else b"%02d" % c)
    return b"".join(line + b"\r\n" for line in lines)


def status(proc):
    code = proc.wait()
    return 128 - code if code < 0 else code


def signals(program):
    rng = random.Random(7)
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        game = GameCopy(program)
        old = unsorted_album(2000, rng)
        game.write("dat/save.dat", old)
        proc = game.start()
        time.sleep(0.3)  # well into the event loop, the opening on screen
        proc.send_signal(sig)
        code = status(proc)
        now = game.read_album()
        lines = now.split(b"\r\n")[:-1]
        if code != 0 or now == old or len(now) != len(old) or sorted(lines) != lines:
            die("signal %d: status %d, album %s" % (sig, code, "unwritten" if now == old
                                                     else "not the old one in order"))
        print("signal %d: status 0, album written in order" % sig)
        game.close()
    # A signal while the album is still being read waits for the read to finish.
    game = GameCopy(program)
    big = unsorted_album(100000, rng)
    game.write("dat/save.dat", big)
    proc = game.start()
    proc.send_signal(signal.SIGTERM)
    code = status(proc)
    if code != 0 or len(game.read_album()) != len(big):
        die("early SIGTERM: status %d, album %d of %d bytes"
            % (code, len(game.read_album()), len(big)))
    print("early SIGTERM: status 0, album whole")
    game.close()


def kills(program, count, seed):
    rng = random.Random(seed)
    game = GameCopy(program)
    old = unsorted_album(100000, rng)
    # A complete save first: the sorted album that every finished save must give.
    game.write("dat/save.dat", old)
    proc = game.start()
    proc.send_signal(signal.SIGTERM)
    began = time.monotonic()
    seen = None
    while proc.poll() is None:
        if seen is None and game.saving(proc):
            seen = time.monotonic()
    window = time.monotonic() - (seen or began)
    new = game.read_album()
    if proc.returncode != 0 or new == old or len(new) != len(old):
        die("a complete save ended with status %d" % proc.returncode)
    print("save window %.1f ms (output seen: %s)" % (window * 1000, "yes" if seen else "no"))
    tally = {"old": 0, "new": 0, "named": 0, "missed": 0}
    for i in range(count):
        game.write("dat/save.dat", old)
        proc = game.start()
        proc.send_signal(signal.SIGTERM)
        while not game.saving(proc) and proc.poll() is None:
            pass
        tally["missed"] += proc.poll() is not None
        until = time.monotonic() + rng.uniform(0, window)
        while time.monotonic() < until:
            pass
        proc.kill()
        proc.wait()
        now = game.read_album()
        if now not in (old, new):
            die("kill %d tore the album: %d bytes" % (i, len(now)))
        tally["old" if now == old else "new"] += 1
        # The hidden name a save goes through may stay behind; the next save takes it over.
        stray = game.stray()
        if stray == [".save.dat.new"]:
            tally["named"] += 1
        elif stray:
            die("kill %d left %s" % (i, " ".join(stray)))
    proc = game.start()
    proc.send_signal(signal.SIGTERM)
    if status(proc) != 0 or game.read_album() != new or game.stray():
        die("the save after the kills did not end cleanly")
    print("kills %d: old album %d, new album %d, torn 0, hidden new file left %d (cleared by "
          "the next save), killed before the save opened %d"
          % (count, tally["old"], tally["new"], tally["named"], tally["missed"]))
    game.close()


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "signals":
        signals(sys.argv[2])
    elif len(sys.argv) == 5 and sys.argv[1] == "kill":
        kills(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
    else:
        sys.exit(__doc__)
