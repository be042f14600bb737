#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The album as the player works it: an entry clicked shows its picture and its
catalogue text, 捨てる discards it, 全消去 asks through the real dialog, and the album
file holds what the list held when the window closed."""

import time

from xgame import (
    DIALOG_NAME, SLOW, Game, GameFolder, Session, all_close, check, run, text_bands, wait_for,
)

TITLE = (10, 120, 200)
GIRL = (200, 50, 50)
PHOTOS = {"03": (250, 130, 20), "10": (20, 140, 90), "t02": (140, 20, 200)}

# Record 3 has one line, record 10 three; special record 2 four. With the heading, an
# entry's text is that many lines plus one.
ORDINARY = "\n>\n".join(
    {3: "三番の写真です", 10: "十番の写真です\n二行目\n三行目"}.get(n, "その他%d" % n)
    for n in range(31)) + "\n"
SPECIAL = "\n>\n".join(
    {2: "特別な二番\nその二\nその三\nその四"}.get(n, "特別%d" % n) for n in range(16)) + "\n"
LINES = {"03": 2, "10": 4, "t02": 5}


def folder(session, args, album):
    pictures = dict(PHOTOS, ttl=TITLE, girl=GIRL, dmy=(0, 0, 0))
    return GameFolder(session, args.program, pictures, {"0": "アルバムを見ましょう\n"},
                      album=album, photos=ORDINARY, specials=SPECIAL)


def to_base_screen(game):
    game.wait_window()
    game.click_cell(5, 8)
    game.wait_shot("the base screen",
                   lambda s: all_close(s, game.inner(game.cells(2, 0, 6, 6), 2), TITLE))


def dialog(session):
    ids = session.windows(DIALOG_NAME)
    return ids[0] if ids else None


def answer_clear_all(game, key):
    """Presses 全消去 and answers the question it asks with key."""
    session = game.session
    game.click_cell(8.5, 5)
    box = wait_for("the clear-all question", lambda: dialog(session))
    session.answer(box, key)


def main(args):
    with Session(args.width, args.height) as session:
        # The file holds the entries out of order; the list shows them sorted.
        first = folder(session, args, b"t02\r\n10\r\n03\r\n")
        game = Game(session, first)
        to_base_screen(game)
        shot = game.shot()
        entries = game.list_entries(shot)
        check(len(entries) == 3, "the album list shows %d lines, not 3" % len(entries))
        x = game.unit_x(8.3)
        view = game.inner(game.cells(2, 0, 6, 6), 2)
        message = game.inner(game.cells(0, 6, 10, 4), 2)
        for code, y in zip(["03", "10", "t02"], entries):
            session.click_at(x, y)
            shot = game.wait_shot("the picture of %s" % code,
                                  lambda s: all_close(s, view, PHOTOS[code]))
            shot = game.wait_shot("the text of %s" % code,
                                  lambda s: text_bands(s, message) == LINES[code])

        # t02 is selected: discarding it leaves the view and the text as they were.
        game.click_cell(8.5, 4)
        shot = game.wait_shot("t02 to leave the list",
                              lambda s: len(game.list_entries(s)) == 2)
        check(all_close(shot, view, PHOTOS["t02"]) and text_bands(shot, message) == 5,
              "discarding changed the picture or the text")

        # 全消去 answered No keeps the album.
        answer_clear_all(game, "Escape")
        time.sleep(0.3 * SLOW)
        check(len(game.list_entries(game.shot())) == 2, "clear-all answered No emptied the list")

        game.close()
        status = game.wait_exit()
        check(status == 0, "closing the window ended with status %d" % status)
        saved = first.read("dat/save.dat")
        check(saved == b"03\r\n10\r\n", "the album saved is %r" % saved)

        # Yes, the default: Return empties the list, and the album file after the close.
        second = folder(session, args, b"10\r\n03\r\n")
        game = Game(session, second)
        to_base_screen(game)
        check(len(game.list_entries(game.shot())) == 2, "the album did not come back")
        answer_clear_all(game, "Return")
        game.wait_shot("the list to empty", lambda s: not game.list_entries(s))
        # The question is asked even when there is nothing left to clear.
        answer_clear_all(game, "Return")
        game.close()
        status = game.wait_exit()
        check(status == 0, "closing the window ended with status %d" % status)
        saved = second.read("dat/save.dat")
        check(saved == b"", "the cleared album saved as %r" % saved)


if __name__ == "__main__":
    run(main)
