// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/fom.h"

#include <QColor>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

// A game folder in a temporary directory, written by the test: CP932 text with CR LF
// and solid-colour pictures, so that what the window shows can be checked exactly.
class GameFolder {
  public:
    GameFolder(); // ttl, girl, dmy, an empty album, two small catalogues, opening "0"
    QString path() const { return dir_.path() + u'/'; }
    QString dat(const QString &name) const { return path() + QStringLiteral("dat/") + name; }
    void script(const QString &name, const QStringList &lines); // dat/name.dat
    void text(const QString &relative, const QStringList &lines, bool finalNewline = true);
    void bytes(const QString &relative, const QByteArray &content);
    QByteArray read(const QString &relative) const;
    void picture(const QString &name, const QColor &colour, QSize size = {40, 30},
                 const char *format = "PNG");
    void remove(const QString &relative);

  private:
    QTemporaryDir dir_;
};

// Script lines that name their own place, "|" between them: "L3|L4" is numbered(3, 4, "L").
QString numbered(int from, int to, const QString &prefix = {});

// A fixed sequence of random numbers, then zeros; counts the draws.
class FixedRandom : public rt::RandomSource {
  public:
    // A new sequence, counted from none drawn.
    FixedRandom &reset(std::deque<double> values);
    void push(std::initializer_list<double> values);
    double next() override;
    int draws() const { return draws_; }

  private:
    std::deque<double> values_;
    int draws_ = 0;
};

// A music sender made of a function: records or fakes what the game sends.
struct FakeMci : media::MciSender {
    std::function<int(const char *command, char *reply, unsigned length)> answer;
    explicit FakeMci(decltype(answer) f) : answer(std::move(f)) {}
    int send(const char *command, char *reply, unsigned length) override {
        return answer(command, reply, length);
    }
};

// Records the error reports, the clear-all questions and the exit instead of showing them.
struct RecordingDesktop : Fom::Desktop {
    bool askClearAll(QWidget *) override;
    void reportError(const rt::RuntimeError &error) override { errors << error.text(); }
    void exitProgram(int status) override;
    QStringList errors;
    int exitStatus = -1;
    bool clearAllAnswer = true;
    int questionsAsked = 0;
};

// The real window on a test folder, the desktop recorded, random numbers drawn from
// `random`.
struct Game : RecordingDesktop {
    explicit Game(GameFolder &folder, bool show = true, media::MciSender *music = nullptr,
                  int screen = 1024);
    ~Game() override;
    Fom &operator*() { return *fom; }
    Fom *operator->() { return fom.get(); }
    void tick();  // one tick of the pacing timer, when it runs
    void click(); // a click on the message area
    QString caption() const { return fom->lbl->caption(); }
    QColor pictureAt(int x, int y) const; // a pixel of the picture view, in view pixels

    FixedRandom random;
    std::unique_ptr<Fom> fom;
    bool loaded = false;
};

// The window on the base screen with chosen stats, ready for one turn; every photo's
// picture is a solid colour that names it.
struct Turn {
    Turn();
    GameFolder folder;
    std::unique_ptr<Game> game;
    Fom &fom() { return *game->fom; }
    void press(int index);
};
