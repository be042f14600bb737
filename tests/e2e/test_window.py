#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window: caption, size at every desktop scale, the base screen's colours, and the
fatigue swatch following fatigue."""

from xgame import (
    CAPTION_PREFIX, Game, GameFolder, Session, all_close, check, describe, is_button_text,
    is_text, run, share, wait_for,
)

TITLE = (10, 120, 200)
GIRL = (200, 50, 50)


def button_colour(i):
    return (255, 200, 100 + 30 * i)


def check_size(game, screen_width, how):
    width, height = game.outer_size()
    expected = int(screen_width / 2.5 + 0.5)
    check(width == expected and height == expected,
          "window is %dx%d on a %d-wide screen%s, not %d square"
          % (width, height, screen_width, how, expected))


def main(args):
    with Session(args.width, args.height) as session:
        folder = GameFolder(
            session, args.program,
            {"ttl": TITLE, "girl": GIRL, "dmy": (0, 0, 0)}, {"0": "はじめまして\n"})
        game = Game(session, folder)
        game.wait_window()

        caption = game.caption()
        check(caption == CAPTION_PREFIX + "50:100", "caption at start is %r" % caption)
        check_size(game, args.width, "")

        # The opening waits for its click on the event screen: no action buttons yet.
        view = game.cells(2, 0, 6, 6)
        shot = game.shot()
        check(all_close(shot, game.inner(view, 2), GIRL),
              "the opening does not show the girl: " + describe(shot, view))
        for i in range(4):
            check(not all_close(shot, game.button_strip(i), button_colour(i)),
                  "action button %d shows during the opening" % i)

        game.click_cell(5, 8)
        shot = game.wait_shot("the base screen's title picture",
                              lambda s: all_close(s, game.inner(view, 1), TITLE))

        for i in range(4):
            rect = game.button_strip(i)
            check(all_close(shot, rect, button_colour(i), tolerance=2),
                  "action button %d is not %s: %s" % (i, button_colour(i), describe(shot, rect)))
            check(share(shot, game.inner(game.cells(0, i, 2, 1), 2), is_button_text) > 0.005,
                  "action button %d shows no caption" % i)

        # The title picture covers the whole view, edge to edge, and nothing beyond it.
        x, y, w, h = view
        check(shot.pixel(x + w // 2, y - 2) == (255, 255, 255),
              "the title picture spills above the view")
        check(shot.pixel(x + w // 2, y + h + 1) == (255, 255, 255),
              "the title picture spills below the view")

        swatch = game.inner(game.cells(0, 4, 2, 1), 1)
        check(all_close(shot, swatch, (255, 0, 100), tolerance=1),
              "fatigue 100 shows the swatch as " + describe(shot, swatch))
        check(share(shot, game.cells(0, 5, 2, 1), is_text) > 0.005, "no money shown")
        check(share(shot, game.cells(0, 6, 10, 4), is_text) == 0,
              "the message area still shows text on the base screen")
        for row in (4, 5):
            check(share(shot, game.inner(game.cells(8, row, 2, 1), 2), is_button_text) > 0.005,
                  "album button on row %d shows no caption" % row)

        # The swatch's blue is fatigue: the company tires by 20.
        game.click_cell(1, 2)
        wait_for("fatigue 120 in the caption", lambda: game.caption().endswith(":120"))
        game.wait_shot("the swatch at fatigue 120",
                       lambda s: all_close(s, swatch, (255, 0, 120), tolerance=1))
        game.close()
        status = game.wait_exit()
        check(status == 0, "closing the window ended with status %d" % status)

        # On a high-DPI desktop the window is as exact, in the screen's own pixels.
        scales = [{"QT_SCALE_FACTOR": "2"}, {"QT_SCALE_FACTOR": "1.5"},
                  {"QT_SCREEN_SCALE_FACTORS": "2"}, {}]
        plain = dict(session.env)
        for scale in scales:
            if not scale:
                session.tool(["xrdb", "-merge", "-"], input=b"Xft.dpi: 192\n")
            session.env = dict(plain, **scale)
            game = Game(session, folder)
            game.wait_window()
            check_size(game, args.width, " with %s" % (scale or "Xft.dpi 192"))
            game.close()
            game.wait_exit()


if __name__ == "__main__":
    run(main)
