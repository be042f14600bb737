#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader gets (AT-SPI, on a D-Bus session of the test's own): each line as it
appears in the message area, both captions of a choice, names for the album, the fatigue
swatch, the money and the picture."""

import pyatspi
from gi.repository import Atspi, GLib

from xgame import Game, GameFolder, check, run, wait_for

PICTURES = {"ttl": (10, 120, 200), "girl": (200, 50, 50), "dmy": (0, 0, 0)}
SCRIPTS = {"0": "はじめの行\n次の行\n>p\n三つめの行\n>qst\n右へ行く\n左へ行く",
           "0_1": "右の道です", "0_2": "左の道です"}


def tree(node):
    """(role, name, description) of every showing object under node."""
    return sum(([(c.getRoleName(), c.name, c.description)] + tree(c) for c in node
                if c is not None and c.getState().contains(pyatspi.STATE_SHOWING)), [])


def main(session, program):
    session.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    spoken = []
    pyatspi.Registry.registerEventListener(lambda e: spoken.append((e.source.name, e.any_data)),
                                           "object:text-changed:insert")
    game = Game(session, GameFolder(program, PICTURES, SCRIPTS)).wait_window()

    def app():  # the game's accessible tree as it is now, with the events that came
        while GLib.MainContext.default().iteration(False):
            pass
        for found in pyatspi.Registry.getDesktop(0):
            if found and found.name == "mirutena":
                found.set_cache_mask(Atspi.Cache.NONE)
                return found

    def click(col, row, then):
        game.click_cell(col, row)
        return wait_for("a click on %d,%d to show" % (col, row), lambda: then(tree(app())))

    # What the page held when it took the focus: what a screen reader reads first.
    area = pyatspi.findDescendant(wait_for("the game", app, 30), lambda n: n.name == "メッセージ")
    first = area.queryText().getText(0, -1).split("\r\n")
    click(7, 7, lambda t: ("terminal", "メッセージ", "") in t)
    choice = click(7, 7, lambda t: [n for n in t if n[0] == "push button"])
    check(sorted(c[1] for c in choice) == ["右へ行く", "左へ行く"], "choices: %s" % choice)
    for role, name, description in choice:  # the one focused names the other too
        other = ({"右へ行く", "左へ行く"} - {name}).pop()
        check(description.endswith("もう一つは " + other), "%s: %s" % (name, description))
    click(1, 8, lambda t: all(n[0] != "push button" for n in t))
    base = click(7, 7, lambda t: ("list", "撮った写真", "") in t and t)
    names = [("filler", "疲労 100 / 255", "疲労"), ("label", "10", "所持金"), ("filler", "ttl", "")]
    check(set(names) <= set(base), "the base screen: %s" % base)
    lines = first + [text for name, text in spoken if name == "メッセージ"]
    branch = "右の道です" if "右の道です" in lines else "左の道です"
    for line in ["はじめの行", "次の行", "三つめの行", branch]:
        check(line in lines, "%r never said: %s" % (line, lines))
    game.close()


if __name__ == "__main__":
    run(main)
