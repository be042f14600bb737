#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window: its caption, its exact size at every desktop scale, and the base screen as
painted, the fatigue swatch following fatigue."""

from xgame import CAPTION, Game, GameFolder, check, expect, is_button_text, is_text, like, run

TITLE = (10, 120, 200)


def base_screen(session, game):
    check(game.caption() == CAPTION + "50:100", "caption at start is %r" % game.caption())
    game.click_cell(5, 8)  # the opening waits for its click
    x, y, w, h = game.cells(2, 0, 6, 6)
    # The title picture covers the whole view, and nothing beyond it.
    shot = session.wait_shot("the title picture over the whole view",
                             lambda s: s.share(game.cells(2, 0, 6, 6, 1), like(TITLE)) == 1)
    expect(shot, "above the view", (x, y - 2, w, 1), like((255, 255, 255)))
    expect(shot, "below the view", (x, y + h + 1, w, 1), like((255, 255, 255)))
    expect(shot, "the swatch at fatigue 100", game.cells(0, 4, 2, 1, 1), like((255, 0, 100), 1))
    expect(shot, "the money", game.cells(0, 5, 2, 1), is_text, 0.005)
    for col, row in [(0, 0), (0, 1), (0, 2), (0, 3), (8, 4), (8, 5)]:
        caption = game.cells(col, row, 2, 1, 2)
        expect(shot, "button %d,%d's caption" % (col, row), caption, is_button_text, 0.005)
    for i in range(4):  # the action buttons' colours, left of the caption, clear of the border
        bx, by, bw, bh = game.cells(0, i, 2, 1)
        strip = (bx + 3, by + bh // 4, max(2, bw // 6), bh // 2)
        expect(shot, "action button %d" % i, strip, like((255, 200, 100 + 30 * i), 2))
    game.click_cell(1, 2)  # the company tires by 20
    session.wait_shot("the swatch at fatigue 120",
                      lambda s: s.share(game.cells(0, 4, 2, 1, 1), like((255, 0, 120), 1)) == 1)


def main(session, program):
    pictures = {"ttl": TITLE, "girl": (200, 50, 50), "dmy": (0, 0, 0)}
    folder = GameFolder(program, pictures, {"0": "はじめまして"})
    plain, side = session.env, int(session.width / 2.5 + 0.5)
    # On a high-DPI desktop the window is as exact, in the screen's own pixels.
    for scale in ({}, {"QT_SCALE_FACTOR": "2"}, {"QT_SCALE_FACTOR": "1.5"},
                  {"QT_SCREEN_SCALE_FACTORS": "2"}, "Xft.dpi: 192"):
        if isinstance(scale, str):
            session.x("xrdb", "-merge", "-", input=scale.encode())
        session.env = dict(plain, **scale) if isinstance(scale, dict) else plain
        game = Game(session, folder).wait_window()
        check(game.outer == (side, side), "window is %dx%d with %s, not %d square"
              % (*game.outer, scale, side))
        if scale == {}:
            base_screen(session, game)
        game.close()


if __name__ == "__main__":
    run(main)
