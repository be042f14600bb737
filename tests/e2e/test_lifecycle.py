#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How a run ends: a fatal error shows the error report instead of the game, then ends the
program with a status other than 0; a second start on the same album ends at once; closed as
the window manager asks, the game saves the album and ends with status 0, even in an event."""

import os
import time

from xgame import DIALOG, Game, GameFolder, check, run, wait_for

PICTURES = {"ttl": (10, 120, 200), "girl": (200, 50, 50), "dmy": (0, 0, 0)}
OPENING = {"0": "まだ終わらない話です\n>p\n続きです"}
CHOICE = {"0": "どちらにする？\n>qst\n右へ\n左へ"}
# A fatal error at start-up, in the opening (run before the event loop is), in a later
# event; the report answered, or cut short by a signal. The album is saved once it was read.
FATAL = [  # scripts, file removed, file named, the report ended by, album afterwards
    (OPENING, "dat/syasin.dat", "syasin.dat", "Return", b"10\r\n03\r\n"),
    (OPENING, "dat/0.dat", "0.dat", "Return", b"03\r\n10\r\n"),
    (OPENING, "img/girl.dat", "girl.dat", "SIGTERM", b"03\r\n10\r\n"),
    (CHOICE, None, "dat/0_", "SIGTERM", b"03\r\n10\r\n"),
]


def main(session, program):
    for scripts, removed, named, ending, album in FATAL:
        label = "without %s, ended by %s" % (named, ending)
        folder = GameFolder(program, PICTURES, scripts, album=b"10\r\n03\r\n")
        if removed:
            os.remove(folder.path(removed))
        game = Game(session, folder)
        if not removed:
            game.wait_window().click_cell(5, 7)  # the question waits for a click
            session.wait_shot("the choice", game.choice_open)
            game.click_cell(1, 8)  # both branches are missing, whichever stands above
        wait_for("the error report",
                 lambda: session.windows(DIALOG) or game.proc.poll() is not None, 30)
        report = session.windows(DIALOG)
        time.sleep(0.2)
        check(report and session.windows("^mirutena$", "--class") == report
              and game.proc.poll() is None, "%s: no report, the game's window beside it, or "
              "the program ended before it was dismissed:\n%s" % (label, game.log()))
        if ending == "SIGTERM":
            game.proc.terminate()
        else:
            # A key that comes before the report has the focus is lost, never taken by the
            # window beneath: pressed until the report takes it.
            def answered():
                for command in ("windowactivate", "windowfocus"):
                    session.x("xdotool", command, "--sync", str(report[0]), must=False)
                session.x("xdotool", "key", ending, must=False)
                time.sleep(0.5)
                return report != session.windows(DIALOG)

            wait_for("the report to take " + ending, answered, 20)
        status, log, saved = game.wait_exit(), game.log(), folder.read("dat/save.dat")
        check(status != 0, "%s: status 0:\n%s" % (label, log))
        check(named in log, "%s: the report does not name the file:\n%s" % (label, log))
        check(saved == album, "%s: the album is %r" % (label, saved))

    # A second start on the album brings the first forward and ends, the album untouched; a
    # game that was killed leaves nothing that keeps the next start out.
    old = b"t01\r\n10\r\n03\r\n"
    folder = GameFolder(program, PICTURES, OPENING, album=old)
    first = Game(session, folder).wait_window()
    second = Game(session, folder)
    check(second.wait_exit() == 0, "the second start: status %d" % second.proc.returncode)
    check(len(session.windows("^mirutena$", "--class")) == 1, "two games play on one album")
    check(folder.read("dat/save.dat") == old, "the second start wrote the album")
    first.proc.kill()
    first.proc.wait()
    # Closed in the opening: the album written back comes sorted, as the list holds it.
    Game(session, folder).wait_window().close()
    saved = folder.read("dat/save.dat")
    check(saved == b"03\r\n10\r\nt01\r\n", "the album saved at the close is %r" % saved)


if __name__ == "__main__":
    run(main)
