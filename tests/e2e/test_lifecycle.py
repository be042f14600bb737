#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How a run ends: a close request as the window manager sends it saves the album and
ends with status 0, even in the middle of an event; a fatal error shows the error report
captioned ミルテナ instead of the game and then ends the program with a non-zero status; a
second start on the same album ends at once."""

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


def wait_report(session, game):
    box = wait_for("the error report", lambda: (session.windows(DIALOG_NAME) or [None])[0]
                   if game.proc.poll() is None else "ended", timeout=30)
    check(box != "ended", "the game ended without an error report:\n" + game.log_text())
    check(session.windows("^mirutena$", "--class") == [box],
          "the game window shows beside the error report")
    time.sleep(0.2 * SLOW)
    check(game.proc.poll() is None, "the program ended before the report was dismissed")
    return box


def fatal_errors(session, args):
    # Every fatal error reports, then ends the program: at start-up, in the opening (which
    # runs before the event loop does), and in a later event; answered, or cut short by a
    # signal while the report shows. The album is saved first once it was read (the
    # written album comes sorted).
    choice = {"0": "どちらにする？\n>qst\n右へ\n左へ\n"}
    cases = [
        # what, scripts, file removed, file named, end the report by, album afterwards
        ("start-up", OPENING, "dat/syasin.dat", "syasin.dat", "Return", b"10\r\n03\r\n"),
        ("opening", OPENING, "dat/0.dat", "0.dat", "Return", b"03\r\n10\r\n"),
        ("opening", OPENING, "img/girl.dat", "girl.dat", "SIGTERM", b"03\r\n10\r\n"),
        ("a choice", choice, None, "dat/0_", "SIGTERM", b"03\r\n10\r\n"),
    ]
    for what, scripts, removed, named, ending, album in cases:
        folder = GameFolder(session, args.program, PICTURES, scripts, album=b"10\r\n03\r\n")
        if removed:
            os.remove(folder.path(removed))
        game = Game(session, folder)
        if not removed:
            game.wait_window()
            game.click_cell(5, 7)  # the question waits for a click
            game.wait_shot("the choice", game.choice_open)
            game.click_cell(1, 8)  # both branches are missing, whichever stands above
        box = wait_report(session, game)
        if ending == "SIGTERM":
            game.proc.terminate()
        else:
            session.answer(box, ending)
        status = game.wait_exit(timeout=1.0)
        label = "%s without %s, ended by %s" % (what, named, ending)
        check(status not in (0, None), "%s: status %r:\n%s" % (label, status, game.log_text()))
        check(named in game.log_text(), "%s: the report does not name the file:\n%s" %
              (label, game.log_text()))
        check(folder.read("dat/save.dat") == album, "%s: the album is %r" %
              (label, folder.read("dat/save.dat")))


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
        fatal_errors(session, args)
        one_game_per_album(session, args)


if __name__ == "__main__":
    run(main)
