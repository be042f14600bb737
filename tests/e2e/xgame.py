# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the real program in its own X server, as a player would.

A Session owns a fresh Xvfb with openbox; a GameFolder is a temporary game with the
program copied in (it reads its data beside itself); a Game is one run of it, with
its window found by name, clicks at grid cells and pixels read from screenshots.
Every process started here dies with the test, however the test ends.
"""

import atexit
import ctypes
import ctypes.util
import os
import re
import select
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time

# ASan builds run about three times slower: every wait scales with this.
SLOW = float(os.environ.get("MIRUTENA_E2E_SLOW", "1"))

CAPTION_PREFIX = "ミルテナ　　"
DIALOG_NAME = "^ミルテナ$"

_children = []


class Failure(Exception):
    pass


def _die_with_parent():
    # A test killed by CTest's timeout takes its X server and game along.
    libc = ctypes.CDLL(ctypes.util.find_library("c") or "libc.so.6", use_errno=True)
    libc.prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG
    os.setsid()


def spawn(argv, **kwargs):
    proc = subprocess.Popen(argv, preexec_fn=_die_with_parent, **kwargs)
    _children.append(proc)
    return proc


def stop(proc, grace=3.0):
    if proc is None or proc.poll() is not None:
        return
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        proc.wait(grace)
    except subprocess.TimeoutExpired:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait()


def _stop_all():
    for proc in reversed(_children):
        stop(proc, 1.0)


atexit.register(_stop_all)
signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
signal.signal(signal.SIGINT, lambda *_: sys.exit(130))


def wait_for(what, condition, timeout=10.0, interval=0.05):
    """Polls condition until it returns something true; fails after timeout * SLOW."""
    deadline = time.monotonic() + timeout * SLOW
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(interval)


def check(ok, message):
    if not ok:
        raise Failure(message)


# --- pictures --------------------------------------------------------------------


class Shot:
    """An RGB screenshot of the root window."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i : i + 3])

    def region(self, rect):
        """Every pixel of rect = (x, y, w, h), row by row."""
        x0, y0, w, h = rect
        for y in range(y0, y0 + h):
            row = (y * self.width + x0) * 3
            chunk = self.data[row : row + 3 * w]
            for i in range(0, 3 * w, 3):
                yield tuple(chunk[i : i + 3])

    def crop_png(self, rect, path):
        x, y, w, h = rect
        ppm = b"P6 %d %d 255\n" % (self.width, self.height) + bytes(self.data)
        subprocess.run(
            ["convert", "ppm:-", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", "png:" + path],
            input=ppm,
            check=True,
        )


def close_to(colour, expected, tolerance=6):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def solid_picture(path, rgb, size="40x30"):
    subprocess.run(
        ["convert", "-size", size, "xc:rgb(%d,%d,%d)" % rgb, "-depth", "8", "png:" + path],
        check=True,
    )


# --- the X server ----------------------------------------------------------------


class Session:
    """A fresh Xvfb on a free display, with openbox managing its windows."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.workdir = tempfile.mkdtemp(prefix="mirutena-e2e-")
        self.xvfb = self.wm = None
        self.games = []
        try:
            self._start_server()
            self.env = dict(os.environ, DISPLAY=self.display)
            for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XAUTHORITY"):
                self.env.pop(name, None)
            self.env["QT_QPA_PLATFORM"] = "xcb"
            self.env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
            self.wm_log = os.path.join(self.workdir, "openbox.log")
            with open(self.wm_log, "wb") as log:
                self.wm = spawn(["openbox", "--sm-disable"], env=self.env,
                                stdout=log, stderr=subprocess.STDOUT)
            wait_for("openbox to manage the screen", self._wm_ready, timeout=20)
        except BaseException:
            self.close()
            raise

    def _start_server(self):
        # Servers started at the same moment (tests side by side) can all pick the same
        # free display and take each other's socket: keep only a server that answers on
        # its display as itself. Without -noreset a server resets when its last client
        # leaves (that probe, for one) and drops whoever connects meanwhile.
        for _ in range(8):
            self.xvfb, number = self._launch_xvfb()
            if number is not None and self._answers(number):
                self.display = ":%d" % number
                return
            stop(self.xvfb)
        raise Failure("no Xvfb of our own came up")

    def _launch_xvfb(self):
        read_end, write_end = os.pipe()
        proc = spawn(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             "%dx%dx24" % (self.width, self.height), "-nolisten", "tcp", "-noreset", "-dpi", "96"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20 * SLOW
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        return proc, int(number) if number.endswith(b"\n") else None

    def _answers(self, number):
        """True when both sockets of display number lead to our own server."""
        paths = ["\0/tmp/.X11-unix/X%d" % number, "/tmp/.X11-unix/X%d" % number]
        for path in paths:
            with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as sock:
                try:
                    sock.connect(path)
                    creds = sock.getsockopt(socket.SOL_SOCKET, socket.SO_PEERCRED,
                                            struct.calcsize("3i"))
                except OSError:
                    return False
                if struct.unpack("3i", creds)[0] != self.xvfb.pid:
                    return False
        return True

    def _wm_ready(self):
        if self.wm.poll() is not None:
            with open(self.wm_log, "rb") as f:
                raise Failure("openbox ended with status %d: %s"
                              % (self.wm.returncode, f.read().decode(errors="replace")))
        return self.tool_ok(["wmctrl", "-m"])

    def __enter__(self):
        return self

    def __exit__(self, exc_type, exc, tb):
        if exc_type is not None and issubclass(exc_type, Exception):
            self.keep_screen()
        self.close()

    def keep_screen(self):
        """Saves what the screen showed when a test failed, beside the test's output."""
        name = os.path.splitext(os.path.basename(sys.argv[0]))[0]
        path = os.path.abspath("%s-%dx%d-failed.png" % (name, self.width, self.height))
        try:
            shot = self.screenshot()
            shot.crop_png((0, 0, shot.width, shot.height), path)
            print("screen at the failure:", path, file=sys.stderr)
        except Exception as error:
            print("no screenshot of the failure:", error, file=sys.stderr)

    def close(self):
        for game in self.games:
            game.stop()
        stop(self.wm)
        stop(self.xvfb)
        shutil.rmtree(self.workdir, ignore_errors=True)

    def tool(self, argv, check_rc=True, input=None):
        out = subprocess.run(argv, env=self.env, capture_output=True, input=input,
                             timeout=30 * SLOW)
        if check_rc and out.returncode != 0:
            raise Failure("%s failed: %s" % (" ".join(argv), out.stderr.decode(errors="replace")))
        return out.stdout.decode(errors="replace")

    def tool_ok(self, argv):
        return subprocess.run(argv, env=self.env, capture_output=True,
                              timeout=30 * SLOW).returncode == 0

    def windows(self, regex, field="--name"):
        out = subprocess.run(["xdotool", "search", "--onlyvisible", field, regex],
                             env=self.env, capture_output=True, timeout=30 * SLOW)
        return [int(w) for w in out.stdout.split()]

    def window_name(self, window):
        return self.tool(["xdotool", "getwindowname", str(window)]).rstrip("\n")

    def client_rect(self, window):
        """(x, y, w, h) of window's client area on the root window. (xdotool's own
        geometry counts openbox's title bar twice.)"""
        info = self.tool(["xwininfo", "-id", str(window)])
        value = lambda key: int(re.search(key + r":\s*(-?\d+)", info).group(1))
        return (value("Absolute upper-left X"), value("Absolute upper-left Y"),
                value("Width"), value("Height"))

    def frame_extents(self, window):
        """(left, right, top, bottom) of the frame openbox put round window, or None."""
        out = self.tool(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"], check_rc=False)
        found = re.search(r"= (\d+), (\d+), (\d+), (\d+)", out)
        return [int(v) for v in found.groups()] if found else None

    def screenshot(self):
        raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                             env=self.env, capture_output=True, check=True,
                             timeout=60 * SLOW).stdout
        check(len(raw) == self.width * self.height * 3, "import gave no RGB screenshot")
        return Shot(self.width, self.height, memoryview(raw))

    def click_at(self, x, y):
        self.tool(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"])
        # Park the pointer in a corner, away from tooltips and hover colours.
        self.tool(["xdotool", "mousemove", str(self.width - 1), str(self.height - 1)])

    def answer(self, dialog, keysym, timeout=20):
        """Presses keysym in a dialog until it closes: a key that arrives before the
        dialog has the focus is lost, never taken by the window beneath."""
        deadline = time.monotonic() + timeout * SLOW
        while dialog in self.windows(DIALOG_NAME):
            if time.monotonic() > deadline:
                raise Failure("the dialog did not take %s" % keysym)
            self.tool(["xdotool", "windowactivate", "--sync", str(dialog)], check_rc=False)
            self.tool(["xdotool", "windowfocus", "--sync", str(dialog), "key", keysym],
                      check_rc=False)
            try:
                wait_for("the dialog to close", lambda: dialog not in self.windows(DIALOG_NAME),
                         timeout=2)
            except Failure:
                pass


# --- the game folder -------------------------------------------------------------


def cp932(text):
    """Text as the game's files hold it: CP932, every line ended by CR LF."""
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return "".join(line + "\r\n" for line in lines).encode("cp932")


class GameFolder:
    """A temporary game beside a copy of the program; pictures are solid colours."""

    def __init__(self, session, program, pictures, scripts, album=b"",
                 photos="写真の説明\n", specials="特別な写真の説明\n"):
        self.root = tempfile.mkdtemp(prefix="game-", dir=session.workdir)
        self.dat = os.path.join(self.root, "dat")
        self.img = os.path.join(self.root, "img")
        os.mkdir(self.dat)
        os.mkdir(self.img)
        self.program = os.path.join(self.root, "mirutena")
        shutil.copy2(program, self.program)
        for name, rgb in pictures.items():
            solid_picture(os.path.join(self.img, name + ".dat"), rgb)
        for name, text in scripts.items():
            self.write("dat/%s.dat" % name, cp932(text))
        self.write("dat/syasin.dat", cp932(photos))
        self.write("dat/tsyasin.dat", cp932(specials))
        self.write("dat/save.dat", album)

    def path(self, relative):
        return os.path.join(self.root, relative)

    def write(self, relative, data):
        with open(self.path(relative), "wb") as f:
            f.write(data)

    def read(self, relative):
        with open(self.path(relative), "rb") as f:
            return f.read()


# --- one run of the game ---------------------------------------------------------

GRID_ORIGIN = -0.3
GRID_EXTENT = 10.6


class Game:
    """The program started in a game folder; its window once it is up."""

    def __init__(self, session, folder):
        self.session, self.folder = session, folder
        self.log_path = os.path.join(session.workdir, "game-%d.log" % len(_children))
        self.log = open(self.log_path, "wb")
        self.proc = spawn([folder.program], cwd=session.workdir, env=session.env,
                          stdout=self.log, stderr=subprocess.STDOUT)
        self.window = None
        session.games.append(self)

    def log_text(self):
        if not self.log.closed:
            self.log.flush()
        with open(self.log_path, "rb") as f:
            return f.read().decode(errors="replace")

    def wait_window(self, timeout=30):
        """The main window, once the game has started in it and set its caption."""
        seen = set()

        def found():
            if self.proc.poll() is not None:
                raise Failure("the game ended (status %d) before its window showed:\n%s"
                              % (self.proc.returncode, self.log_text()))
            for window in self.session.windows("^mirutena$", "--class"):
                name = self.session.window_name(window)
                seen.add(name)
                # Dialogs bear the bare title; the game's caption goes on with the stats.
                if name.startswith("ミルテナ") and name != "ミルテナ":
                    return window
            return None

        try:
            self.window = wait_for("the game window", found, timeout)
        except Failure:
            raise Failure("no game window came up; windows of the program: %s" % sorted(seen))
        # The frame comes a moment after the window is mapped; the game then settles
        # its client area into it.
        wait_for("the window frame", lambda: self.session.frame_extents(self.window), timeout)
        wait_for("the window to settle", self._settled, timeout)
        self.client = self.session.client_rect(self.window)
        return self.window

    def _settled(self):
        first = self.session.client_rect(self.window)
        for _ in range(3):
            time.sleep(0.1 * SLOW)
            if self.session.client_rect(self.window) != first:
                return False
        return True

    def caption(self):
        return self.session.window_name(self.window)

    def outer_size(self):
        left, right, top, bottom = self.session.frame_extents(self.window)
        _, _, w, h = self.session.client_rect(self.window)
        return w + left + right, h + top + bottom

    # Grid cells in the window's scale: the client area is 10.6 units each way from -0.3.
    def unit_x(self, u):
        return self.client[0] + round((u - GRID_ORIGIN) * self.client[2] / GRID_EXTENT)

    def unit_y(self, u):
        return self.client[1] + round((u - GRID_ORIGIN) * self.client[3] / GRID_EXTENT)

    def cells(self, left, top, width, height):
        """Root-window pixel rect of a block of grid cells."""
        x0, y0 = self.unit_x(left), self.unit_y(top)
        return x0, y0, self.unit_x(left + width) - x0, self.unit_y(top + height) - y0

    def inner(self, rect, margin):
        x, y, w, h = rect
        return x + margin, y + margin, w - 2 * margin, h - 2 * margin

    def cell_centre(self, col, row):
        return self.unit_x(col + 0.5), self.unit_y(row + 0.5)

    def click_cell(self, col, row):
        self.session.click_at(*self.cell_centre(col, row))

    def shot(self):
        return self.session.screenshot()

    def wait_shot(self, what, condition, timeout=10):
        """The first screenshot for which condition(shot) holds."""

        def attempt():
            s = self.shot()
            return s if condition(s) else None

        return wait_for(what, attempt, timeout, interval=0.1)

    def button_strip(self, row, col=0, width=2):
        """A strip inside a button cell, left of its centred caption, clear of its border."""
        x, y, w, h = self.cells(col, row, width, 1)
        return x + 3, y + h // 4, max(2, w // 6), h // 2

    def choice_open(self, shot):
        """Both choice buttons show their captions, on rows 8 and 9."""
        return all(share(shot, self.inner(self.cells(0, row, 4, 1), 3), is_button_text) > 0.002
                   for row in (8, 9))

    def close(self):
        """Asks the window to close as a window manager does (WM_DELETE_WINDOW)."""
        self.session.tool(["wmctrl", "-i", "-c", "0x%x" % self.window])

    def wait_exit(self, timeout=20):
        try:
            return self.proc.wait(timeout * SLOW)
        except subprocess.TimeoutExpired:
            raise Failure("the game did not end; its log:\n" + self.log_text())

    def stop(self):
        stop(self.proc)
        self.log.close()


# --- what is on the screen -------------------------------------------------------


def is_text(c):
    """An orange text pixel, antialiased against the white window or not."""
    r, g, b = c
    return r >= 235 and b < 200 and g - b >= 15


def is_button_text(c):
    return max(c) < 110


def share(shot, rect, predicate):
    pixels = list(shot.region(rect))
    return sum(1 for c in pixels if predicate(c)) / max(1, len(pixels))


def all_close(shot, rect, rgb, tolerance=6, allowed_misses=0.0):
    pixels = list(shot.region(rect))
    misses = sum(1 for c in pixels if not close_to(c, rgb, tolerance))
    return misses <= allowed_misses * len(pixels)


def text_bands(shot, rect, predicate=is_text):
    """Runs of pixel rows that hold text: one per line of text shown."""
    x, y0, w, h = rect
    bands, inside = 0, False
    for y in range(y0, y0 + h):
        row = shot.region((x, y, w, 1))
        has = any(predicate(c) for c in row)
        if has and not inside:
            bands += 1
        inside = has
    return bands


def text_extent(shot, rect, predicate):
    """Rightmost column in rect holding a pixel that satisfies predicate (0 when none)."""
    x0, y0, w, h = rect
    right = 0
    for y in range(y0, y0 + h):
        for i, c in enumerate(shot.region((x0, y, w, 1))):
            if predicate(c):
                right = max(right, i + 1)
    return right


def describe(shot, rect):
    """A few pixels of rect, for failure messages."""
    x, y, w, h = rect
    points = [(x + w // 2, y + h // 2), (x + 2, y + 2), (x + w - 3, y + h - 3)]
    return ", ".join("%s@%d,%d" % (shot.pixel(px, py), px, py) for px, py in points)


def arguments():
    """--program PATH --source DIR [--screen WxH], as CTest passes them."""
    import argparse

    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--screen", default="1024x768")
    args = parser.parse_args()
    args.width, args.height = (int(v) for v in args.screen.split("x"))
    return args


def run(main):
    """Runs a test body with its arguments; prints its failure and sets the exit status."""
    try:
        main(arguments())
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        sys.exit(1)
    print("ok")
