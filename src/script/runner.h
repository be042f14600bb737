// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

class Fom;

// The event runner: one script at a time, one line per step, with the next line held in
// hand to decide whether the shown line waits for a click.
void IveStt(Fom &fom, const QString &name);
void IveStep(Fom &fom);
void lbl_Click(Fom &fom);
void TimLBl_Timer(Fom &fom);

// Two-way choices.
void QstSet(Fom &fom);
void Qstlbl_Click(Fom &fom, std::int16_t index);
