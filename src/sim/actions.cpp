// SPDX-License-Identifier: GPL-3.0-or-later
#include "actions.h"

#include "album/albumlist.h"
#include "media/picture.h"
#include "script/runner.h"
#include "shell/fom.h"
#include "stats.h"

#include <cmath>

namespace {

constexpr std::int16_t fatigue = 0;
constexpr std::int16_t skill = 1;
constexpr std::int16_t money = 2;

int draw(Fom &fom, int n) {
    return int(std::floor(fom.Rnd() * n));
}

// Starts the milestone event that is due, if any. True when the turn ends with it.
bool milestone(Fom &fom) {
    GameState &s = fom.st;
    const int n = s.photoProgress / 5;
    if (n > 9 || s.photoProgress % 5 != 0)
        return false;
    if (!s.eventSeen.at(n) && n < 9) {
        s.eventSeen.at(n) = True;
        IveStt(fom, QString::number(n));
        return true;
    }
    if (n == 9 && s.firstChoiceCount > 4 && !s.eventSeen.at(9)) {
        s.eventSeen.at(9) = True;
        IveStt(fom, QStringLiteral("9_1"));
        return true;
    }
    if (n == 9 && !s.eventSeen.at(9)) {
        s.eventSeen.at(9) = True;
        IveStt(fom, QStringLiteral("9_2"));
        return true;
    }
    return false;
}

void photoFound(Fom &fom, bool special, int number, int points) {
    GameState &s = fom.st;
    const QString code = photoCode(number, special);
    fom.LST->add(code);
    PicSet(fom, code);
    fom.lbl->setCaption(
        (special ? QStringLiteral("特別な写真が撮れた") : QStringLiteral("写真が撮れた")) +
        QStringLiteral("\r\n\r\n") +
        (special ? s.specialPhotoTexts.at(number) : s.photoTexts.at(number)));
    if (s.photoProgress <= 50)
        s.photoProgress += points;
}

void park(Fom &fom) {
    GameState &s = fom.st;
    StatChg(fom, skill, 1);
    if (s.statValue[money] < 1000) {
        StatChg(fom, fatigue, 10);
    } else {
        StatChg(fom, fatigue, -5);
        StatChg(fom, money, -1000);
    }
    const int currentSkill = s.statValue[skill];
    if (draw(fom, currentSkill) >= 90) {
        photoFound(fom, true, draw(fom, photoCount(true)), 3);
        return;
    }
    if (draw(fom, currentSkill) >= 50) {
        photoFound(fom, false, draw(fom, photoCount(false)), 1);
        return;
    }
    fom.lbl->setCaption(QStringLiteral("公園で休んだ"));
}

void school(Fom &fom) {
    StatChg(fom, fatigue, 10);
    if (fom.st.statValue[money] < 5000) {
        fom.lbl->setCaption(QStringLiteral("お金を持っていなかったので門前払いされました"));
        return;
    }
    StatChg(fom, money, std::int16_t(-draw(fom, 5000)));
    StatChg(fom, skill, 30);
    fom.lbl->setCaption(QStringLiteral("カメラの知識を学びました"));
}

void company(Fom &fom) {
    StatChg(fom, fatigue, 20);
    StatChg(fom, money, std::int16_t(draw(fom, 5000)));
    if (fom.st.statValue[money] < 10000) {
        fom.lbl->setCaption(QStringLiteral("会社に行きました"));
        return;
    }
    fom.lbl->setCaption(QStringLiteral("お金が貯まったのでカメラをよくしました"));
    StatChg(fom, money, -10000);
    StatChg(fom, skill, std::int16_t(draw(fom, 20) + 5));
}

void home(Fom &fom) {
    StatChg(fom, fatigue, -50);
    StatChg(fom, money, -500);
    StatChg(fom, skill, std::int16_t(-(draw(fom, 10) + 10)));
    fom.lbl->setCaption(QStringLiteral("家で休みました"));
}

} // namespace

QString photoCode(int number, bool special) {
    QString digits = QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
    return special ? QStringLiteral("t") + digits : digits;
}

void com_Click(Fom &fom, std::int16_t index) {
    GameState &s = fom.st;
    if (s.statValue[fatigue] >= s.statMax[fatigue]) {
        IveStt(fom, QStringLiteral("gameover"));
        return;
    }
    if (milestone(fom))
        return;
    switch (index) {
    case 0:
        park(fom);
        break;
    case 1:
        school(fom);
        break;
    case 2:
        company(fom);
        break;
    case 3:
        home(fom);
        break;
    default:
        throw rt::RuntimeError(QStringLiteral("インデックスが有効範囲にありません。"));
    }
}
