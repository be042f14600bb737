// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamefolder.h"

#include "runtime/cp932.h"
#include "runtime/textfile.h"
#include "script/runner.h"
#include "sim/actions.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

GameFolder::GameFolder() {
    QDir(dir_.path()).mkpath(QStringLiteral("dat"));
    QDir(dir_.path()).mkpath(QStringLiteral("img"));
    picture(QStringLiteral("ttl"), QColor(0, 0, 255), {64, 48}, "PNG");
    picture(QStringLiteral("girl"), QColor(0, 255, 0), {30, 60}, "BMP");
    picture(QStringLiteral("dmy"), QColor(128, 128, 128), {10, 10}, "PNG");
    bytes(QStringLiteral("dat/save.dat"), {});
    text(QStringLiteral("dat/syasin.dat"),
         {QStringLiteral("普通の写真"), QStringLiteral(">"), QStringLiteral("二枚目")});
    text(QStringLiteral("dat/tsyasin.dat"), {QStringLiteral("特別な一枚")});
    script(QStringLiteral("0"), {QStringLiteral("はじまり")});
}

void GameFolder::text(const QString &relative, const QStringList &lines, bool finalNewline) {
    QByteArray content;
    for (int i = 0; i < lines.size(); ++i) {
        content += rt::encodeCp932(lines[i]);
        if (i + 1 < lines.size() || finalNewline)
            content += "\r\n";
    }
    bytes(relative, content);
}

void GameFolder::script(const QString &name, const QStringList &lines) {
    text(QStringLiteral("dat/") + name + QStringLiteral(".dat"), lines);
}

void GameFolder::bytes(const QString &relative, const QByteArray &content) {
    QFile f(path() + relative);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

QByteArray GameFolder::read(const QString &relative) const {
    QFile f(path() + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void GameFolder::picture(const QString &name, const QColor &colour, QSize size,
                         const char *format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path() + QStringLiteral("img/") + name + QStringLiteral(".dat"), format));
}

void GameFolder::remove(const QString &relative) {
    QFile::remove(path() + relative);
}

QString numbered(int from, int to, const QString &prefix) {
    QStringList out;
    for (int n = from; n <= to; ++n)
        out << prefix + QString::number(n);
    return out.join(u'|');
}

FixedRandom &FixedRandom::reset(std::deque<double> values) {
    values_ = std::move(values);
    draws_ = 0;
    return *this;
}

void FixedRandom::push(std::initializer_list<double> values) {
    values_.insert(values_.end(), values);
}

double FixedRandom::next() {
    ++draws_;
    if (values_.empty())
        return 0.0;
    const double v = values_.front();
    values_.pop_front();
    return v;
}

Game::Game(GameFolder &folder, bool show, media::MciSender *music, int screen) {
    Fom::Options options;
    options.appDir = folder.path();
    options.screenWidth = screen;
    options.logicalDpi = 96;
    options.music = music;
    options.desktop = this;
    options.random = &random;
    fom = std::make_unique<Fom>(options);
    loaded = fom->load();
    if (!loaded)
        return;
    if (show) {
        fom->show();
        fom->startFirstGame();
    }
}

bool RecordingDesktop::askClearAll(QWidget *) {
    ++questionsAsked;
    return clearAllAnswer;
}

void RecordingDesktop::exitProgram(int status) {
    exitStatus = status;
}

Game::~Game() {
    if (fom)
        fom->hide();
    fom.reset();
    rt::closeAllFiles();
}

void Game::tick() {
    if (fom->TimLBl.isActive())
        fom->entry([this] { TimLBl_Timer(*fom); });
}

void Game::click() {
    QTest::mouseClick(fom->lbl, Qt::LeftButton, {}, QPoint(20, 20));
}

QColor Game::pictureAt(int x, int y) const {
    return fom->Pic->canvas().pixelColor(x, y);
}

Turn::Turn() {
    for (int i = 0; i <= 30; ++i)
        folder.picture(photoCode(i, false), QColor(i, 100, 0), {4, 4});
    for (int i = 0; i <= 15; ++i)
        folder.picture(photoCode(i, true), QColor(i, 0, 100), {4, 4});
    for (const char *e : {"1", "2", "9_1", "9_2", "gameover"})
        folder.script(e, {QStringLiteral("event ") + e});
    game = std::make_unique<Game>(folder);
    game->click(); // the opening's one line ends it
}

void Turn::press(int index) {
    QTest::mouseClick(fom().com[index], Qt::LeftButton);
}
