// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/fom.h"

#include <QString>
#include <QStringList>
#include <optional>

// mirutena-testplay: the game's own window, started on one event with the stats and story
// counters a writer asks for, instead of the opening.
namespace testplay {

struct Plan {
    QString folder; // the game folder, with a trailing "/"
    QString event;
    std::optional<int> fatigue, skill, money; // unset: a new game's value
    int photos = 0;
    int firstChoices = 0;
};

// The command line, program name first. Without a plan, status is the exit status (0 after
// --help, 2 for a mistake) and out or err say why.
std::optional<Plan> parse(const QStringList &arguments, const QString &programDir, QString &out,
                          QString &err, int &status);

// Window options for a test play: its folder, its first game, and an album that is never
// written, so that a writer's tries leave the player's photos alone.
void configure(Fom::Options &options, const Plan &plan);

// The first game of a test play: a new game with the plan's stats (through StatChg, so held
// within their limits) and counters, then the event at once.
void startTestPlay(Fom &fom, const Plan &plan);

} // namespace testplay
