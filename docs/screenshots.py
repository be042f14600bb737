# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the bundled game in a fresh X server and saves the README's screenshots."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import xgame  # noqa: E402
from xgame import Game, Session, check, is_button_text, is_text, like  # noqa: E402

# A few photos to show in the album: ordinary ones and a special one.
ALBUM = b"03\r\n10\r\nt02\r\n"


class GameCopy:
    """The whole bundled game copied beside its program, so the player's album stays as it is."""

    def __init__(self, program):
        self.root = os.path.join(tempfile.mkdtemp(prefix="shots-", dir=xgame.WORK), "game")
        shutil.copytree(os.path.dirname(os.path.abspath(program)), self.root, symlinks=True)
        self.program = os.path.join(self.root, os.path.basename(program))
        with open(os.path.join(self.root, "dat", "save.dat"), "wb") as f:
            f.write(ALBUM)


def pixels(shot, rect):
    x, y, w, h = rect
    return b"".join(shot.data[3 * (row * shot.width + x) : 3 * (row * shot.width + x + w)]
                    for row in range(y, y + h))


def rows_with(shot, rect, test):
    """For each pixel row of rect, whether any of its pixels passes test."""
    x, y, w, _ = rect
    return [shot.share((x, row, w, 1), test) > 0 for row in range(y, y + rect[3])]


def bands(rows):
    """(first, end) of each run of True rows: one per line of text."""
    runs, start = [], None
    for i, has in enumerate(rows + [False]):
        if has and start is None:
            start = i
        elif not has and start is not None:
            runs.append((start, i))
            start = None
    return runs


def window_rect(session, game):
    """The window on the screen, frame and title bar included."""
    frame = session.x("xprop", "-id", str(game.window), "_NET_FRAME_EXTENTS")
    left, _, top, _ = (int(v) for v in re.findall(rb"\d+", frame.partition(b"=")[2]))
    x, y, _, _ = game.client
    return (x - left, y - top) + game.outer


def save(session, game, shot, path):
    x, y, w, h = window_rect(session, game)
    ppm = b"P6 %d %d 255\n" % (session.width, session.height) + shot.data
    subprocess.run(["convert", "ppm:-", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage",
                    "png:" + path], input=ppm, check=True)
    print("wrote", path)


def click_at(session, x, y):
    corner = (session.width - 1, session.height - 1)  # away from tooltips and hover colours
    session.x("xdotool", "mousemove", "--sync", str(x), str(y), "click", "1",
              "mousemove", *map(str, corner))


def click_through(session, game, what, done, limit=80):
    """Clicks the message area until done(shot); the bundled story's length is its own."""
    shot = session.shot()
    for _ in range(limit):
        if done(shot):
            return shot
        before = shot.data
        game.click_cell(7, 7)
        shot = session.wait_shot("a click to change the screen on the way to " + what,
                                 lambda s: s.data != before, 5)
    raise AssertionError("%d clicks did not reach %s" % (limit, what))


def base_screen(game):
    # Only the base screen shows the four action buttons, each in its own colour.
    def strip(i):
        x, y, w, h = game.cells(0, i, 2, 1)
        return x + 3, y + h // 4, max(2, w // 6), h // 2
    return lambda s: all(s.share(strip(i), like((255, 200, 100 + 30 * i), 2)) == 1
                         for i in range(4))


def shoot(program, out):
    session = Session(1024, 768)
    game = Game(session, GameCopy(program)).wait_window()
    shot = click_through(session, game, "the opening's choice", game.choice_open)
    save(session, game, shot, os.path.join(out, "event.png"))

    game.click_cell(1.5, 8)
    shot = click_through(session, game, "the base screen", base_screen(game))
    save(session, game, shot, os.path.join(out, "base.png"))

    album = game.cells(8, 0, 2, 4, 3)
    entries = bands(rows_with(shot, album, is_button_text))
    check(len(entries) == len(ALBUM.split()), "the album list shows %d photos" % len(entries))
    view, message = game.cells(2, 0, 6, 6, 2), game.cells(0, 6, 10, 4, 2)
    title = pixels(shot, view)
    first, end = entries[-1]  # the special photo
    click_at(session, album[0] + 5, album[1] + (first + end) // 2)
    shot = session.wait_shot("the photo and its text", lambda s: pixels(s, view) != title
                             and bands(rows_with(s, message, is_text)))
    save(session, game, shot, os.path.join(out, "album.png"))
    game.close()  # checks that the game ends with status 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    try:
        shoot(args.program, args.out)
    except AssertionError as failure:
        print("screenshots failed:", failure, file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
