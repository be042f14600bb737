# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the bundled game in a fresh X server and saves the README's screenshots."""

import argparse
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from xgame import Failure, Game, Session, check, text_bands  # noqa: E402

# A few photos to show in the album: ordinary ones and a special one.
ALBUM = b"03\r\n10\r\nt02\r\n"


class GameCopy:
    def __init__(self, session, program):
        self.root = os.path.join(session.workdir, "game")
        shutil.copytree(os.path.dirname(os.path.abspath(program)), self.root, symlinks=True)
        self.program = os.path.join(self.root, os.path.basename(program))
        with open(os.path.join(self.root, "dat", "save.dat"), "wb") as f:
            f.write(ALBUM)


def save(game, shot, path):
    shot.crop_png(game.window_rect(), path)
    print("wrote", path)


def shoot(program, out):
    with Session(1024, 768) as session:
        game = Game(session, GameCopy(session, program))
        game.wait_window()
        shot = game.click_through("the opening's choice", game.choice_open)
        save(game, shot, os.path.join(out, "event.png"))

        game.click_cell(1.5, 8)
        shot = game.click_through("the base screen", game.base_screen)
        save(game, shot, os.path.join(out, "base.png"))

        entries = game.list_entries(shot)
        check(len(entries) == 3, "the album list shows %d photos, not 3" % len(entries))
        view = game.inner(game.cells(2, 0, 6, 6), 2)
        title = list(shot.region(view))
        session.click_at(game.unit_x(8.3), entries[-1])
        message = game.inner(game.cells(0, 6, 10, 4), 2)
        shot = game.wait_shot("the photo and its text",
                              lambda s: list(s.region(view)) != title and text_bands(s, message))
        save(game, shot, os.path.join(out, "album.png"))

        game.close()
        check(game.wait_exit() == 0, "the game did not end cleanly:\n" + game.log_text())


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    try:
        shoot(args.program, args.out)
    except Failure as failure:
        print("screenshots failed:", failure, file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
