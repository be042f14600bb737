// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

class Stage;

// The event runner: one script at a time, one line per step, with the next line held in
// hand to decide whether the shown line waits for a click.
void IveStt(Stage &stage, const QString &name);
void IveStep(Stage &stage);
void lbl_Click(Stage &stage);
void TimLBl_Timer(Stage &stage);

// Two-way choices.
void QstSet(Stage &stage);
void Qstlbl_Click(Stage &stage, std::int16_t index);
