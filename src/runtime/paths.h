#pragma once

#include <QString>

namespace rt {

// The folder of the program, always ending in the separator.
QString programDir();
// Appends the separator unless the folder already ends in one (a root does).
QString withTrailingSeparator(const QString &dir);

} // namespace rt
