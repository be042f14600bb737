// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>

// The window's size rules: a square of screen width / 2.5, measured in twips
// (1/1440 inch), and a user scale of 10.6 x 10.6 units from (-0.3, -0.3) over the
// client area, on which the controls sit in a 10 x 10 grid.
namespace layout {

constexpr double scaleOrigin = -0.3;
constexpr double scaleExtent = 10.6;

struct WindowMetrics {
    double twipsPerPixel = 15;
    int windowPixels = 0; // outer width and height, frame included
    int windowTwips = 0;  // the height as read back, whole pixels
    int fontPoints = 0;
};

WindowMetrics windowMetrics(int screenWidthPixels, double logicalDpi);

// A rectangle in scale units onto the client area's pixels. Edges are rounded, not
// sizes, so neighbouring cells meet without gaps.
QRect toPixels(const QRectF &units, QSize client);
// A pixel top read back in scale units, to the nearest whole unit.
int topInUnits(int topPixels, int clientHeight);

} // namespace layout
