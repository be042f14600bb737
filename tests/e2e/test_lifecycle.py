#!/usr/bin/env python3
"""How a run ends: a close request as the window manager sends it saves the album and
ends with status 0, even in the middle of an event; a missing catalogue shows the error
report captioned ミルテナ instead of the game and ends with a non-zero status; a second start
on the same album ends at once."""

import os
import time

from xgame import (
    DIALOG_NAME, SLOW, Game, GameFolder, Session, check, run, wait_for,
)

PICTURES = {"ttl": (10, 120, 200), "girl": (200, 50, 50), "dmy": (0, 0, 0)}
OPENING = {"0": "まだ終わらない話です\n>p\n続きです\n"}


def close_during_event(session, args):
    # Out of order: the album written back comes sorted, as the list holds it.
    folder = GameFolder(session, args.program, PICTURES, OPENING, album=b"t01\r\n10\r\n03\r\n")
    game = Game(session, folder)
    game.wait_window()
    game.close()
    status = game.wait_exit()
    check(status == 0, "closing during the opening ended with status %d:\n%s" %
          (status, game.log_text()))
    saved = folder.read("dat/save.dat")
    check(saved == b"03\r\n10\r\nt01\r\n", "the album saved at the close is %r" % saved)
    check(not session.windows("^mirutena$", "--class"), "the window outlived its close")


def missing_catalogue(session, args):
    folder = GameFolder(session, args.program, PICTURES, OPENING, album=b"03\r\n")
    os.remove(folder.path("dat/syasin.dat"))
    game = Game(session, folder)
    box = wait_for("the error report", lambda: (session.windows(DIALOG_NAME) or [None])[0]
                   if game.proc.poll() is None else "ended", timeout=30)
    check(box != "ended", "the game ended without an error report:\n" + game.log_text())
    check(session.windows("^mirutena$", "--class") == [box],
          "the game window shows beside the error report")
    time.sleep(0.2 * SLOW)
    check(game.proc.poll() is None, "the program ended before the report was dismissed")
    session.answer(box, "Return")
    status = game.wait_exit()
    check(status != 0, "a missing catalogue ended with status 0")
    check("syasin.dat" in game.log_text(), "the report does not name the missing file:\n" +
          game.log_text())
    check(folder.read("dat/save.dat") == b"03\r\n", "the failed start touched the album")


def one_game_per_album(session, args):
    # A second start on the album brings the first forward and ends; a game that was
    # killed leaves nothing that keeps the next start out.
    folder = GameFolder(session, args.program, PICTURES, OPENING, album=b"03\r\n")
    first = Game(session, folder)
    first.wait_window()
    second = Game(session, folder)
    status = second.wait_exit()
    check(status == 0, "the second start ended with status %d:\n%s" % (status,
                                                                        second.log_text()))
    check(len(session.windows("^mirutena$", "--class")) == 1, "two games play on one album")
    first.proc.kill()
    first.proc.wait()
    third = Game(session, folder)
    third.wait_window()
    third.close()
    check(third.wait_exit() == 0, "the start after a killed game failed:\n" + third.log_text())
    check(folder.read("dat/save.dat") == b"03\r\n", "the album changed")


def main(args):
    with Session(args.width, args.height) as session:
        close_during_event(session, args)
        missing_catalogue(session, args)
        one_game_per_album(session, args)


if __name__ == "__main__":
    run(main)
