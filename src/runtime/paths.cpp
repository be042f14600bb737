#include "paths.h"

#include <QCoreApplication>

namespace rt {

QString withTrailingSeparator(const QString &dir) {
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

QString programDir() {
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}

} // namespace rt
