// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/error.h"
#include "shell/gamestate.h"

#include <QString>

// All that the event runner changes outside GameState. The window is the game's stage;
// the story checker's stage records what a player would see, so that what the checker
// says of a script is what the runner does with it.
class Stage {
  public:
    virtual ~Stage() = default;

    GameState st;

    // The message area's caption.
    virtual bool captionEmpty() const = 0;
    virtual void clearCaption() = 0;
    virtual void appendCaption(const QString &text) = 0;
    // Throws as a picture that cannot be shown does.
    virtual void showPicture(const QString &name) = 0;
    // The two choices with their rows in scale units; the keyboard starts on the one in
    // the upper row.
    virtual void showChoices(const QString &first, const QString &second, int firstRow,
                             int secondRow) = 0;
    virtual void showIndicator(bool shown) = 0;
    // The message timer; starting it leaves a running one as it is.
    virtual void startMessageTimer() = 0;
    virtual void stopMessageTimer() = 0;

    enum class Screen { Base, Event };
    virtual void showScreen(Screen screen) = 0;
    virtual void GameStt() = 0;       // back to the base screen
    virtual void Form_Activate() = 0; // a new game
    // Plays another event in place of this one (IveStt, on the game's stage).
    virtual void startEvent(const QString &name) = 0;
    // The line at lineNo failed and the event ends instead of the game.
    virtual void eventFailed(int lineNo, const QString &line, const rt::RuntimeError &error) = 0;

    // The game's random number, uniform in [0, 1).
    virtual double Rnd() = 0;
};
