#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program driven from outside, as the system would: quit signals, and SIGKILL at
random moments while the album is saved.    probe.py PROGRAM [KILLS SEED]"""

import glob
import os
import random
import re
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from xgame import GameFolder, check, spawn, wait_for  # noqa: E402

QUIT = (signal.SIGTERM, signal.SIGINT, signal.SIGHUP)
ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen", ASAN_OPTIONS="detect_leaks=0")


def album(entries, rng):
    """Photo codes in no order, and now and then bytes that are no CP932, kept as they are."""
    codes = [rng.randrange(47) for _ in range(entries)]
    return b"".join(b"\x82\xff\x81\r\n" if i % 10007 == 0 else b"t%02d\r\n" % (c - 31)
                    if c > 30 else b"%02d\r\n" % c for i, c in enumerate(codes))


def start(folder, saved):
    """The game on the album saved, once it catches all three quit signals."""
    folder.write("dat/save.dat", saved)
    proc = spawn([folder.program], env=ENV, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def caught():
        check(proc.poll() is None, "the program ended early with status %s" % proc.returncode)
        with open("/proc/%d/status" % proc.pid) as f:
            mask = int(re.search(r"SigCgt:\s*(\w+)", f.read()).group(1), 16)
        return all(mask >> (s - 1) & 1 for s in QUIT)

    wait_for("the signal handlers", caught, 60, 0.0002)
    return proc


def saving(proc, folder):
    """The save's output is open: a file in dat/ that is not save.dat."""
    try:
        targets = [os.readlink(fd) for fd in glob.glob("/proc/%d/fd/*" % proc.pid)]
    except OSError:  # closed meanwhile
        return False
    return any(os.path.dirname(t) == folder.dat and not t.endswith("/save.dat") for t in targets)


def main(program, kills=0, seed=7):
    rng = random.Random(seed)
    folder = GameFolder(program, dict.fromkeys(["ttl", "girl", "dmy"], (128,) * 3), {"0": "やあ。"})
    files, old = set(os.listdir(folder.dat)), album(100000, rng)
    # Each signal well into the event loop, the opening on screen; and one while the big
    # album is still being read, which the signal waits for. Then the save that every
    # finished save must give, and how long its output is open.
    for sig, saved, after in [(s, album(2000, rng), 0.3) for s in QUIT] + [(QUIT[0], old, 0)]:
        proc = start(folder, saved)
        time.sleep(after)
        proc.send_signal(sig)
        began, seen = time.monotonic(), None
        while proc.poll() is None:
            seen = seen or saving(proc, folder) and time.monotonic()
        window = time.monotonic() - (seen or began)
        new = folder.read("dat/save.dat")
        lines = new.split(b"\r\n")[:-1]
        check(proc.returncode == 0 and new != saved and len(new) == len(saved)
              and sorted(lines) == lines, "signal %d on %d bytes: status %d, the album not "
              "the old one in order" % (sig, len(saved), proc.returncode))
    kept = 0
    for i in range(kills):
        proc = start(folder, old)
        proc.send_signal(signal.SIGTERM)
        while not saving(proc, folder) and proc.poll() is None:
            pass
        until = time.monotonic() + rng.uniform(0, window)
        while time.monotonic() < until:
            pass
        proc.kill()
        proc.wait()
        now = folder.read("dat/save.dat")
        check(now in (old, new), "kill %d tore the album: %d bytes" % (i, len(now)))
        kept += now == old
        # The hidden name a save goes through may stay behind; the next save takes it over.
        stray = sorted(set(os.listdir(folder.dat)) - files)
        check(stray in ([], [".save.dat.new"]), "kill %d left %s" % (i, stray))
    proc = start(folder, old)
    proc.send_signal(signal.SIGTERM)
    check(proc.wait() == 0 and folder.read("dat/save.dat") == new
          and set(os.listdir(folder.dat)) == files, "the save after the kills failed")
    print("save window %.1f ms; %d kills, none torn, %d kept the old album"
          % (window * 1000, kills, kept))


if __name__ == "__main__":
    main(sys.argv[1], *map(int, sys.argv[2:]))
