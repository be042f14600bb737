#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The bundled game as it ships, played from its opening through a choice back to the
base screen, in a copy so that the album shipped stays as it is."""

import os
import shutil

from xgame import CAPTION_PREFIX, Game, Session, check, run


class BundledCopy:
    def __init__(self, session, program, game_dir):
        self.root = os.path.join(session.workdir, "bundled")
        shutil.copytree(game_dir, self.root)
        self.program = os.path.join(self.root, "mirutena")
        shutil.copy2(program, self.program)

    def read(self, relative):
        with open(os.path.join(self.root, relative), "rb") as f:
            return f.read()


def main(args):
    game_dir = os.path.join(args.source, "game")
    with Session(args.width, args.height) as session:
        copy = BundledCopy(session, args.program, game_dir)
        shipped = copy.read("dat/save.dat")
        game = Game(session, copy)
        game.wait_window()
        check(game.caption() == CAPTION_PREFIX + "50:100", "caption %r" % game.caption())

        game.click_through("the opening's choice", game.choice_open)
        game.click_cell(1.5, 8)
        shot = game.click_through("the base screen", game.base_screen)
        check(not game.choice_open(shot), "the choice stays on the base screen")
        check(game.caption() == CAPTION_PREFIX + "50:100", "the opening changed the stats")

        game.close()
        status = game.wait_exit()
        check(status == 0, "closing the window ended with status %d:\n%s" %
              (status, game.log_text()))
        check(copy.read("dat/save.dat") == shipped, "the opening changed the album")


if __name__ == "__main__":
    run(main)
