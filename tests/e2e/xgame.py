# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the real program in its own Xvfb with openbox, as a player would."""

import atexit
import ctypes
import os
import pathlib
import re
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time

CAPTION = "ミルテナ　　"  # the game's; its dialogs bear the bare title
DIALOG = "^ミルテナ$"
WORK = tempfile.mkdtemp(prefix="mirutena-test-")
_children = []


def check(ok, message):
    if not ok:
        raise AssertionError(message)


def wait_for(what, condition, timeout=10, interval=0.05):
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        check(time.monotonic() < deadline, "timed out waiting for " + what)
        time.sleep(interval)
    return value


def _own_group():
    # Everything started here dies with the test, even one killed by CTest's timeout.
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG
    os.setsid()


def spawn(argv, **kwargs):
    _children.append(subprocess.Popen(argv, preexec_fn=_own_group, **kwargs))
    return _children[-1]


def _cleanup():
    # SIGTERM lets Xvfb remove its lock and socket; what outlives it dies as the test ends.
    for proc in reversed(_children):
        if proc.poll() is None:
            os.killpg(proc.pid, signal.SIGTERM)
            try:
                proc.wait(3)
            except subprocess.TimeoutExpired:
                pass
    shutil.rmtree(WORK, ignore_errors=True)


atexit.register(_cleanup)
signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # as CTest ends a test that overran


class GameFolder:
    """A game beside a copy of the program, which reads its data beside itself; pictures of
    one colour each, text in CP932 with every line ended by CR LF, as the game's files."""

    def __init__(self, program, pictures, scripts, album=b""):
        self.root = tempfile.mkdtemp(prefix="game-", dir=WORK)
        self.dat = self.path("dat")
        os.mkdir(self.dat)
        os.mkdir(self.path("img"))
        self.program = shutil.copy2(program, self.path("mirutena"))
        for name, rgb in pictures.items():  # the game tells the format by the content
            self.write("img/%s.dat" % name, b"P6 40 30 255\n" + bytes(rgb) * 1200)
        for name, text in dict(scripts, syasin="写真の説明", tsyasin="特別な写真の説明").items():
            lines = "".join(line + "\r\n" for line in text.splitlines())
            self.write("dat/%s.dat" % name, lines.encode("cp932"))
        self.write("dat/save.dat", album)

    def path(self, relative):
        return os.path.join(self.root, relative)

    def write(self, relative, data):
        pathlib.Path(self.root, relative).write_bytes(data)

    def read(self, relative):
        return pathlib.Path(self.root, relative).read_bytes()


class Shot:
    """An RGB screenshot of the whole screen."""

    def __init__(self, data, width):
        self.data, self.width = data, width

    def share(self, rect, test):
        x, y, w, h = rect
        starts = [3 * (row * self.width + x) for row in range(y, y + h)]
        passed = sum(test(self.data[i : i + 3]) for s in starts for i in range(s, s + 3 * w, 3))
        return passed / max(1, w * h)


def like(rgb, tolerance=6):
    return lambda c: all(abs(a - b) <= tolerance for a, b in zip(c, rgb))


def is_text(c):
    """An orange text pixel, antialiased against the white window or not."""
    return c[0] >= 235 and c[2] < 200 and c[1] - c[2] >= 15


def is_button_text(c):
    return max(c) < 110


def expect(shot, what, rect, test, least=1.0, most=1.0):
    got = shot.share(rect, test)
    check(least <= got <= most, "%s: %.3f of %s" % (what, got, rect))


def _peer(path):
    with socket.socket(socket.AF_UNIX) as sock:
        try:
            sock.connect(path)
            creds = sock.getsockopt(socket.SOL_SOCKET, socket.SO_PEERCRED, 12)
            return struct.unpack("3i", creds)[0]
        except OSError:
            return None


class Session:
    """A fresh Xvfb of its own, with openbox managing its windows."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.env = dict(os.environ, QT_QPA_PLATFORM="xcb", ASAN_OPTIONS="detect_leaks=0")
        # Servers started side by side (in roots that share the abstract sockets, too) can
        # pick one display and take each other's socket: keep one that answers as itself
        # (one that lost keeps its display from the next). Without -noreset a server resets
        # when its last client leaves and drops whoever connects.
        for _ in range(8):
            xvfb = spawn(["Xvfb", "-displayfd", "1", "-screen", "0", "%dx%dx24" % (width, height),
                          "-nolisten", "tcp", "-noreset", "-dpi", "96"],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            display = ":" + xvfb.stdout.readline().decode().strip()
            sockets = ("%s/tmp/.X11-unix/X%s" % (p, display[1:]) for p in ("\0", ""))
            if display != ":" and all(_peer(s) == xvfb.pid for s in sockets):
                break
        else:
            raise AssertionError("no Xvfb of our own came up")
        self.env["DISPLAY"] = display
        wm = spawn(["openbox", "--sm-disable"], env=self.env, stderr=subprocess.DEVNULL)
        wait_for("openbox", lambda: check(wm.poll() is None, "openbox ended")
                 or self.x("wmctrl", "-m", must=False), 20)

    def x(self, *argv, input=None, must=True):
        """The output of a command on this display (b"" when it failed and need not succeed)."""
        out = subprocess.run(argv, env=self.env, capture_output=True, input=input, timeout=60)
        check(out.returncode == 0 or not must, "%s failed: %s" % (argv, out.stderr))
        return out.stdout if out.returncode == 0 else b""

    def windows(self, regex, field="--name"):
        found = self.x("xdotool", "search", "--onlyvisible", field, regex, must=False)
        return [int(w) for w in found.split()]

    def shot(self):
        raw = self.x("import", "-window", "root", "-depth", "8", "rgb:-")
        check(len(raw) == self.width * self.height * 3, "import gave no RGB screenshot")
        return Shot(raw, self.width)

    def wait_shot(self, what, condition, timeout=10):
        return wait_for(what, lambda: s if condition(s := self.shot()) else None, timeout, 0.1)


class Game:
    """One run of the program in a game folder; its window once it is up."""

    def __init__(self, session, folder):
        self.session, self.log_path = session, os.path.join(WORK, "%d.log" % len(_children))
        with open(self.log_path, "wb") as log:
            self.proc = spawn([folder.program], cwd=WORK, env=session.env, stdout=log,
                              stderr=subprocess.STDOUT)

    def log(self):
        with open(self.log_path, "rb") as f:
            return f.read().decode(errors="replace")

    def caption(self):
        return self.session.x("xdotool", "getwindowname", str(self.window)).decode().rstrip("\n")

    def wait_window(self):
        def found():
            check(self.proc.poll() is None, "the game ended (status %s) before its window "
                  "showed:\n%s" % (self.proc.returncode, self.log()))
            return (self.session.windows("^" + CAPTION) or [None])[0]

        # The frame comes a moment after the window is mapped; the game then settles its
        # client area into it. (xdotool's geometry counts openbox's title bar twice.)
        def geometry():
            info = self.session.x("xwininfo", "-id", str(self.window)).decode()
            keys = ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
            client = [int(re.search(k + r":\s*(-?\d+)", info).group(1)) for k in keys]
            frame = self.session.x("xprop", "-id", str(self.window), "_NET_FRAME_EXTENTS")
            return client + [int(v) for v in re.findall(rb"\d+", frame.partition(b"=")[2])]

        def settled():
            first = geometry()
            time.sleep(0.3)
            return len(first) == 8 and first == geometry() and first

        self.window = wait_for("the game window", found, 30)
        x, y, w, h, left, right, top, bottom = wait_for("the window to settle", settled, 30)
        self.client, self.outer = (x, y, w, h), (w + left + right, h + top + bottom)
        return self

    def cells(self, left, top, width=1, height=1, margin=0):
        """The screen rect of grid cells: the client area spans 10.6 cells each way from -0.3."""
        def at(u, axis):
            return self.client[axis] + round((u + 0.3) * self.client[axis + 2] / 10.6)

        x, y = at(left, 0) + margin, at(top, 1) + margin
        return x, y, at(left + width, 0) - margin - x, at(top + height, 1) - margin - y

    def click_cell(self, col, row):
        x, y, w, h = self.cells(col, row)
        # Then the pointer parked in a corner, away from tooltips and hover colours.
        corner = (self.session.width - 1, self.session.height - 1)
        self.session.x("xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2),
                       "click", "1", "mousemove", *map(str, corner))

    def choice_open(self, shot):
        return all(shot.share(self.cells(0, r, 4, 1, 3), is_button_text) > 0.002 for r in (8, 9))

    def close(self):
        """As a window manager asks (WM_DELETE_WINDOW): the game then ends with status 0."""
        self.session.x("wmctrl", "-i", "-c", "0x%x" % self.window)
        check(self.wait_exit() == 0, "closed, the game ended with status %d:\n%s"
              % (self.proc.returncode, self.log()))

    def wait_exit(self, timeout=20):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the game did not end; its log:\n" + self.log())


def run(main):
    """main(session, program) in a fresh X server of sys.argv[2] (WxH) pixels; a failure
    leaves the screen it saw beside the test's output."""
    session = Session(*map(int, sys.argv[2].split("x")))
    try:
        main(session, sys.argv[1])
    except Exception:
        shot = os.path.basename(sys.argv[0])[:-3] + "-failed.png"
        subprocess.run(["import", "-window", "root", shot], env=session.env)
        raise
