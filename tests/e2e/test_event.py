#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""An event as the player sees it: pictures over the whole view, text paced by clicks, the
click indicator while a click is awaited, and a choice whose upper button starts the branch
of the option it shows."""

import time

from xgame import Game, GameFolder, check, expect, is_button_text, is_text, like, run

TITLE, FIRST, SECOND = (10, 120, 200), (230, 200, 40), (120, 60, 170)
BRANCH = {1: (30, 170, 170), 2: (90, 90, 30)}
PICTURES = {"ttl": TITLE, "girl": (200, 50, 50), "dmy": (0, 0, 0), "page1": FIRST,
            "page2": SECOND, "branch1": BRANCH[1], "branch2": BRANCH[2]}
SCRIPTS = {
    # The first option's caption is the long one: so the rows tell the options apart.
    "0": ">img page1\n一行目の文です\n二行目の文です\n>p\n>img page2\n三行目の文です\n"
         "四行目の文です、さあどうしよう\n>qst\nはい、いっしょに公園へ行きます\nいや",
    "0_1": ">img branch1\n一つめの道です",
    "0_2": ">img branch2\n二つめの道です",
}
PINK, RED = like((255, 192, 192), 40), like((255, 0, 0), 30)


def main(session, program):
    game = Game(session, GameFolder(program, PICTURES, SCRIPTS)).wait_window()
    view = game.cells(2, 0, 6, 6, 2)
    x, y, w, h = message = game.cells(0, 6, 10, 4)
    # The indicator: a pink frame down the message area's left edge, a red arrow at its right.
    frame, arrow = (x, y + h // 4, 3, h // 2), (x + w - h // 3, y + h // 2, h // 3, h // 2)

    def bands(s):  # lines of text in the message area
        rows = [s.share((x, row, w, 1), is_text) > 0 for row in range(y, y + h)]
        return sum(1 for above, row in zip([False] + rows, rows) if row and not above)

    def page(picture, lines):  # shown whole, with the indicator: a click is awaited
        return lambda s: (s.share(view, like(picture)) == 1 and bands(s) == lines
                          and s.share(frame, PINK) > 0.6 and s.share(arrow, RED) > 0)

    def wheel(button):  # 4 up, 5 down, over the message area
        cx, cy, _, _ = game.cells(7, 7)
        session.x("xdotool", "mousemove", str(cx), str(cy), "click", button)

    # The first line goes on by itself; the second waits. Clicks go on the message area,
    # right of the choice buttons.
    session.wait_shot("the first page waiting for a click", page(FIRST, 2))
    wheel("5")  # reads on, as a click does
    session.wait_shot("the second page waiting for a click", page(SECOND, 2))
    # The wheel up shows the first page over the second, whose indicator it hides; down
    # past it, the second page is back as it was.
    wheel("4")
    session.wait_shot("the backlog", lambda s: bands(s) == 2 and s.share(frame, PINK) == 0)
    wheel("5")
    session.wait_shot("the second page again", page(SECOND, 2))
    # Ctrl held reads on by itself, up to the choice.
    session.x("xdotool", "keydown", "Control_L")
    session.wait_shot("the choice", game.choice_open)
    session.x("xdotool", "keyup", "Control_L")
    time.sleep(0.3)  # past a tick of the pacing timer
    shot = session.shot()
    expect(shot, "the indicator's frame during the choice", frame, PINK, 0, 0)
    expect(shot, "the indicator's arrow during the choice", arrow, RED, 0, 0)
    ink = [shot.share(game.cells(0, row, 4, 1, 2), is_button_text) for row in (8, 9)]
    upper = 1 if ink[0] > ink[1] else 2
    game.click_cell(1.5, 8)
    session.wait_shot("branch %d, the upper button's" % upper, page(BRANCH[upper], 1))

    # The branch's last line waits; the click after it returns to the base screen.
    game.click_cell(7, 7)
    shot = session.wait_shot("the base screen", lambda s: s.share(view, like(TITLE)) == 1)
    expect(shot, "text on the base screen", message, is_text, 0, 0)
    game.close()


if __name__ == "__main__":
    run(main)
