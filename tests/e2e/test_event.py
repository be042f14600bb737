#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""An event as the player sees it: text paced by clicks on the message area, the click
indicator while a click is awaited, and a two-way choice on rows 8 and 9 whose buttons
start their own branches."""

import time

from xgame import (
    SLOW, Game, GameFolder, Session, all_close, check, close_to, describe, is_button_text,
    is_text, run, share, text_bands, text_extent,
)

TITLE = (10, 120, 200)
GIRL = (200, 50, 50)
FIRST_PAGE = (230, 200, 40)
SECOND_PAGE = (120, 60, 170)
BRANCH = {1: (30, 170, 170), 2: (90, 90, 30)}
PINK, RED = (255, 192, 192), (255, 0, 0)

OPENING = """\
>img page1
一行目の文です
二行目の文です
>p
>img page2
三行目の文です
四行目の文です、さあどうしよう
>qst
はい、いっしょに公園へ行きます
いや
"""


def indicator_band(game):
    """The message area's left edge, where the indicator's frame runs."""
    x, y, w, h = game.cells(0, 6, 10, 4)
    return x, y + h // 4, 3, h // 2


def indicator_shown(game, shot):
    x, y, w, h = game.cells(0, 6, 10, 4)
    frame = share(shot, indicator_band(game), lambda c: close_to(c, PINK, 40)) > 0.6
    corner = (x + w - h // 3, y + h // 2, h // 3, h // 2)
    arrow = share(shot, corner, lambda c: close_to(c, RED, 30)) > 0
    return frame and arrow


def indicator_hidden(game, shot):
    pinkish = lambda c: c[0] > 240 and c[1] < 240 and abs(c[1] - c[2]) < 12
    x, y, w, h = game.cells(0, 6, 10, 4)
    return (share(shot, indicator_band(game), pinkish) == 0
            and share(shot, (x + w - h // 3, y + h // 2, h // 3, h // 2), pinkish) == 0)


def readable(c):
    """White, or text orange antialiased against white; nothing painted over the text."""
    r, g, b = c
    return r >= 250 and abs((g - b) - 100 * (255 - b) / 255) <= 12


def text_area(game):
    """The message area inside the indicator's frame and left of its arrow."""
    x, y, w, h = game.cells(0, 6, 10, 4)
    m = max(2, min(w, h) // 40) + 3
    return x + m, y + m, w - 2 * m - h // 3, h - 2 * m


def page_shown(game, shot, picture, lines):
    return (all_close(shot, game.inner(game.cells(2, 0, 6, 6), 2), picture)
            and text_bands(shot, text_area(game)) == lines
            and indicator_shown(game, shot))


def main(args):
    scripts = {
        "0": OPENING,
        "0_1": ">img branch1\n一つめの道です\n",
        "0_2": ">img branch2\n二つめの道です\n",
    }
    pictures = {"ttl": TITLE, "girl": GIRL, "dmy": (0, 0, 0), "page1": FIRST_PAGE,
                "page2": SECOND_PAGE, "branch1": BRANCH[1], "branch2": BRANCH[2]}
    with Session(args.width, args.height) as session:
        game = Game(session, GameFolder(session, args.program, pictures, scripts))
        game.wait_window()
        message = (7, 7)  # right of the choice buttons

        # The first line goes on by itself; the second waits, and the indicator asks.
        shot = game.wait_shot("the first page waiting for a click",
                              lambda s: page_shown(game, s, FIRST_PAGE, 2))
        area = text_area(game)
        bad = [c for c in shot.region(area) if not readable(c)]
        check(not bad, "the indicator covers the text: %d pixels such as %s" %
              (len(bad), bad[:3]))
        check(share(shot, area, is_text) > 0.002, "the text is not shown")

        # Space held well past the key's auto-repeat turns one page, as one click does:
        # the second picture, two new lines, waiting again; the question after it waits.
        session.tool(["xdotool", "windowfocus", "--sync", str(game.window)])
        session.tool(["xdotool", "keydown", "space"])
        time.sleep(2.5 * SLOW)
        session.tool(["xdotool", "keyup", "space"])
        shot = game.wait_shot("the second page waiting for a click",
                              lambda s: page_shown(game, s, SECOND_PAGE, 2))
        check(all(readable(c) for c in shot.region(text_area(game))),
              "the indicator covers the second page's text")

        # The next click opens the choice: two buttons, nothing awaited on the message area.
        game.click_cell(*message)
        shot = game.wait_shot(
            "the choice buttons",
            lambda s: share(s, game.inner(game.cells(0, 8, 4, 2), 3), is_button_text) > 0.002)
        time.sleep(0.3 * SLOW)  # past a tick of the pacing timer
        shot = game.shot()
        check(indicator_hidden(game, shot), "the click indicator shows during the choice")
        check(text_bands(shot, game.cells(0, 6, 10, 2)) == 2,
              "the question left the message area")
        check(all_close(shot, game.inner(game.cells(2, 0, 6, 6), 2), SECOND_PAGE),
              "the choice changed the picture")

        check(share(shot, game.cells(0, 6, 10, 2), is_button_text) == 0,
              "a choice button shows above row 8")

        # The first option's caption is the long one: so the rows tell the options apart.
        widths = {top: text_extent(shot, game.inner(game.cells(0, top, 4, 1), 2),
                                   is_button_text) for top in (8, 9)}
        check(all(widths.values()), "a choice button has no caption: %s" % widths)
        upper = 1 if widths[8] > widths[9] else 2

        # The message area takes no clicks while the choice is open.
        game.click_cell(*message)
        time.sleep(0.3 * SLOW)
        after = game.shot()
        check(after.data == shot.data, "a click on the message area changed the choice")

        # The upper button starts the branch of the option it shows.
        game.click_cell(1.5, 8)
        shot = game.wait_shot(
            "a branch to start",
            lambda s: any(all_close(s, game.inner(game.cells(2, 0, 6, 6), 2), BRANCH[n])
                          for n in (1, 2)))
        view = game.inner(game.cells(2, 0, 6, 6), 2)
        check(all_close(shot, view, BRANCH[upper]),
              "the upper button showed option %d but started the other branch: %s" %
              (upper, describe(shot, view)))
        shot = game.wait_shot("the branch's line waiting for a click",
                              lambda s: page_shown(game, s, BRANCH[upper], 1))
        check(share(shot, game.cells(0, 8, 4, 2), is_button_text) == 0,
              "the choice buttons stay in the branch")

        # Its last line waits; the click after it returns to the base screen.
        game.click_cell(*message)
        shot = game.wait_shot(
            "the base screen",
            lambda s: all_close(s, game.inner(game.cells(2, 0, 6, 6), 2), TITLE))
        check(indicator_hidden(game, shot), "the click indicator stays on the base screen")
        check(share(shot, game.cells(0, 6, 10, 4), is_text) == 0,
              "the message area keeps text on the base screen")

        game.close()
        status = game.wait_exit()
        check(status == 0, "closing the window ended with status %d" % status)


if __name__ == "__main__":
    run(main)
