// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The main window's variables for the whole run. Flags hold True = -1 and False = 0.
using Flag = std::int16_t;
constexpr Flag True = -1;
constexpr Flag False = 0;

struct GameState {
    std::array<std::int32_t, 3> statValue{}; // 0 fatigue, 1 camera skill, 2 money
    std::array<std::int32_t, 3> statMax{};
    std::array<QString, 32> photoTexts;
    std::array<QString, 17> specialPhotoTexts;
    QString appDir;
    QString datDir;
    QString imgDir;
    QString albumFile; // the album: datDir's save.dat, or the player's own (album/datafiles.h)
    QString albumSeed; // the shipped album, read while albumFile does not exist yet
    Flag eventActive = False;
    std::uint8_t pageLines = 0;
    std::int32_t fileNo = 0;
    QString lineBuf;
    QString nextLine;
    // Where lineBuf and nextLine stand in the script, from 1; 0 for the end the runner
    // supplies itself. Reports name the line, and the story checker maps it to its own.
    int lineNo = 0;
    int nextLineNo = 0;
    Flag autoAdvance = False;
    QString eventName;
    std::array<Flag, 10> eventSeen{};
    std::array<std::int16_t, 2> choiceTop{};
    std::uint8_t firstChoiceCount = 0;
    std::uint8_t photoProgress = 0;
};
