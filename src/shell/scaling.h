// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QScreen;

// The game scales itself: the window is a share of the screen's width and its font follows
// the DPI. Qt's own scaling would add nothing but rounding (a window a pixel or two short,
// and not square), so it is turned off before the application starts, and the factor it
// was asked for (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS) goes into the DPI instead.
// Under Xft.dpi Qt then reports that DPI itself.
void takeOverScaling();
// Dialogs follow that factor too, as the game's own font does; needs the application.
void scaleDialogs();
// The factor Qt was asked to apply on this screen; 1 where none was.
double userScale(const QScreen *screen);
