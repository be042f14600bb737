// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout.h"

#include <cmath>

namespace layout {

WindowMetrics windowMetrics(int screenWidthPixels, double logicalDpi) {
    WindowMetrics m;
    m.twipsPerPixel = 1440.0 / (logicalDpi > 0 ? logicalDpi : 96.0);
    double screenTwips = screenWidthPixels * m.twipsPerPixel;
    m.windowPixels = int(std::lround(screenTwips / 2.5 / m.twipsPerPixel));
    m.windowTwips = int(std::lround(m.windowPixels * m.twipsPerPixel));
    m.fontPoints = m.windowTwips / 100 / 10 + 3;
    return m;
}

static int edge(double units, int extent) {
    return int(std::lround((units - scaleOrigin) * extent / scaleExtent));
}

QRect toPixels(const QRectF &units, QSize client) {
    int left = edge(units.left(), client.width());
    int top = edge(units.top(), client.height());
    int right = edge(units.left() + units.width(), client.width());
    int bottom = edge(units.top() + units.height(), client.height());
    return QRect(left, top, right - left, bottom - top);
}

int topInUnits(int topPixels, int clientHeight) {
    if (clientHeight <= 0)
        return 0;
    return int(std::lround(topPixels * scaleExtent / clientHeight + scaleOrigin));
}

} // namespace layout
