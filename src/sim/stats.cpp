// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats.h"

#include "shell/fom.h"

std::int32_t clampStat(std::int32_t sum, std::int32_t max) {
    if (sum >= max)
        return max;
    if (sum > 0)
        return sum;
    return 0;
}

void StatChg(Fom &fom, std::int16_t index, std::int16_t delta) {
    if (index < 0 || index > 2)
        throw rt::RuntimeError(QStringLiteral("インデックスが有効範囲にありません。"));
    GameState &s = fom.st;
    s.statValue[index] = clampStat(s.statValue[index] + delta, s.statMax[index]);

    fom.TurasaPic->setColour(QColor(255, 0, s.statValue[0]));
    fom.TurasaPic->setAccessibleName(
        QStringLiteral("疲労 %1 / %2").arg(s.statValue[0]).arg(s.statMax[0]));
    fom.KANELBL->setText(QString::number(s.statValue[2]));
    fom.setWindowTitle(QStringLiteral("ミルテナ　　") + QString::number(s.statValue[1]) + u':' +
                       QString::number(s.statValue[0]));
}
