// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// SIGTERM, SIGINT and SIGHUP end the game as a closed window does. The handler only
// writes one byte into a pipe; the event loop reads it and calls the handler given to
// watchQuitSignals, where anything may be done safely.
//
// catchQuitSignals comes first in main, before the application object: a signal that
// arrives while Qt starts up waits in the pipe instead of killing the game. Returns false
// when the pipe could not be set up.
bool catchQuitSignals();
// Needs the application object; a signal already caught is handled once the loop runs.
void watchQuitSignals(std::function<void()> onQuit);
