// SPDX-License-Identifier: GPL-3.0-or-later
#include "scaling.h"

#include <QApplication>
#include <QFont>
#include <QHash>
#include <QList>
#include <QScreen>

namespace {

double globalFactor = 1;
QList<double> factorsByIndex;         // QT_SCREEN_SCALE_FACTORS=2;1
QHash<QString, double> factorsByName; // QT_SCREEN_SCALE_FACTORS=DP-1=2;HDMI-1=1

double positive(const QString &text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && value > 0 ? value : 1;
}

} // namespace

void takeOverScaling() {
    globalFactor = positive(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")));
    const QString screens = qEnvironmentVariable("QT_SCREEN_SCALE_FACTORS");
    for (const QString &entry : screens.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = entry.indexOf(u'=');
        if (equals < 0)
            factorsByIndex.append(positive(entry));
        else
            factorsByName.insert(entry.left(equals).trimmed(), positive(entry.mid(equals + 1)));
    }
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
}

double userScale(const QScreen *screen) {
    double factor = globalFactor;
    if (screen) {
        const qsizetype index = QGuiApplication::screens().indexOf(const_cast<QScreen *>(screen));
        if (factorsByName.contains(screen->name()))
            factor *= factorsByName.value(screen->name());
        else if (index >= 0 && index < factorsByIndex.size())
            factor *= factorsByIndex.at(index);
    }
    return factor;
}

void scaleDialogs() {
    if (const double scale = userScale(QGuiApplication::primaryScreen()); scale != 1) {
        QFont font = QApplication::font();
        font.setPointSizeF(font.pointSizeF() * scale);
        QApplication::setFont(font);
    }
}
