#pragma once

#include <functional>

// SIGTERM, SIGINT and SIGHUP end the game as a closed window does. The handler only
// writes one byte into a pipe; the event loop reads it and calls onQuit, where anything
// may be done safely. Returns false when the pipe could not be set up.
bool installQuitSignals(std::function<void()> onQuit);
