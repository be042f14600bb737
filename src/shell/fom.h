// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "album/albumlist.h"
#include "albumguard.h"
#include "backlog.h"
#include "gamestate.h"
#include "layout.h"
#include "media/midi.h"
#include "runtime/error.h"
#include "runtime/random.h"
#include "script/stage.h"
#include "widgets.h"

#include <QFutureWatcher>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

// The game's one window. It owns GameState and every control; the handlers of each
// part of the game live in their own folder and take the window.
class Fom : public QWidget, public Stage {
    Q_OBJECT
  public:
    // What the window asks of the desktop. Tests answer and record instead.
    class Desktop {
      public:
        virtual ~Desktop() = default;
        // 全消去's Yes/No question: true for Yes.
        virtual bool askClearAll(QWidget *window);
        // The run-time error report: a dialog, and the same text on standard error.
        virtual void reportError(const rt::RuntimeError &error);
        // Ends the event loop with this status.
        virtual void exitProgram(int status);
    };
    struct Options {
        QString appDir;                          // empty: the program's own folder
        int screenWidth = 0;                     // 0: the screen's own width
        double logicalDpi = 0;                   // 0: the screen's own
        Desktop *desktop = nullptr;              // null: the real one
        rt::RandomSource *random = nullptr;      // null: the game's own generator
        media::MciSender *music = &media::mci(); // null: no music at all
        // Plays instead of the first new game (a writer's test play); later ones are the
        // game's own.
        std::function<void(Fom &)> firstGame;
        bool saveAlbum = true; // false: the album is read but never written
    };

    Fom();
    explicit Fom(Options options);
    ~Fom() override;

    // Lifecycle.
    void Form_Load();              // start-up; throws when a data file fails
    void Form_Activate() override; // a new game
    void GameStt() override;       // back to the base screen
    void Form_Unload();            // shutdown

    // Start-up through entry(): false when the game ended there (an error was reported,
    // or another game on this album came forward instead).
    bool load();
    // The whole run for a program's main: start-up, the window, the event loop; returns
    // the exit status.
    int play();
    // A quit signal: the game closes as its window does; while an error report shows, the
    // program ends at once with that report's status.
    void quitRequested();
    // Runs one entry into the game from the window (a click, a tick, an activation):
    // the only place an error that ends the program is met.
    void entry(const std::function<void()> &handler);
    // The error path: save what can be saved, report, end the program.
    void fail(const rt::RuntimeError &error);
    bool finished() const { return phase_ == Phase::Ended; }
    int exitStatus() const { return exitStatus_; }
    bool started() const { return phase_ == Phase::Playing; }
    // The first new game, when the window first shows; later calls start nothing.
    void startFirstGame();

    // The two screens: the base screen's controls, or the event's message area and picture.
    void showScreen(Screen screen) override;

    // Rows of the choice buttons in scale units, as last placed.
    int choiceRow(int index) const { return choiceRow_.at(index); }
    void placeChoice(int index, int row);
    const layout::WindowMetrics &metrics() const { return metrics_; }
    // Fonts, colours and places of every control for the screen; part of Form_Load.
    void layoutWindow();
    QRect cellRect(double left, double top, double width, double height) const;

    // Controls, named as in the window's design.
    QTimer BgmTim;
    QTimer TimLBl;
    std::array<QPushButton *, 2> LstCom{};
    std::array<ChoiceButton *, 2> Qstlbl{};
    QImage E; // the hidden load buffer of the picture view
    Swatch *TurasaPic = nullptr;
    std::array<QPushButton *, 4> com{};
    PictureView *Pic = nullptr;
    AlbumList *LST = nullptr;
    ClickIndicator *ClickME = nullptr;
    QLabel *KANELBL = nullptr;
    MessageLabel *lbl = nullptr;
    Backlog *backlog = nullptr; // over the message area while it is read back

    bool askClearAll();
    double Rnd() override { return random_.next(); }

    // The event runner's stage.
    bool captionEmpty() const override;
    void clearCaption() override;
    void appendCaption(const QString &text) override;
    void showPicture(const QString &name) override;
    void showChoices(const QString &first, const QString &second, int firstRow,
                     int secondRow) override;
    void showIndicator(bool shown) override;
    void startMessageTimer() override;
    void stopMessageTimer() override;
    void startEvent(const QString &name) override;
    void eventFailed(int lineNo, const QString &line, const rt::RuntimeError &error) override;

  protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void placeControls();
    void settleFrame();
    void leave(const rt::RuntimeError *error);
    void startMusic();
    void musicOpened();
    void endMusic();
    void waitForMusic();
    // Reading aids of the event screen: none of them changes what the runner does.
    void pageLeft();
    void openBacklog();
    void turnBacklog(int by);
    void closeBacklog();
    void readOn(); // what a click on the message area does

    // The run, in order. The album is written back only when it was read and the game
    // has not already started to end.
    enum class Phase { Created, Loaded, Playing, Ended };
    // The music is opened once the first frame is out, off this thread.
    enum class Music { Off, AfterFirstFrame, Queued, Opening, Open };

    Options options_;
    Desktop &desktop_;
    rt::RandomSource &random_;
    layout::WindowMetrics metrics_;
    std::array<int, 2> choiceRow_{8, 9};
    Phase phase_ = Phase::Created;
    Music music_ = Music::Off;
    bool frameSettled_ = false;
    HeldKeyFilter *heldKeys_ = nullptr;
    Screen screen_ = Screen::Base;
    bool eventPage_ = false; // the message area holds a page of an event
    bool timerHeld_ = false; // the pacing timer ran when the backlog opened
    QPointer<QWidget> focusBeforeBacklog_;
    int wheelRest_ = 0;                // of a notch, from a fine-grained wheel
    QTimer skip_;                      // reads on while Ctrl is held
    QFutureWatcher<void> musicOpener_; // the song being opened, off this thread
    AlbumGuard guard_;
    int exitStatus_ = 0;
};

// Styles a command button in the graphical style with its background colour.
void setButtonColour(QPushButton *button, const QColor &colour);
// Button captions are plain text: "&" stays an ampersand.
QString buttonText(const QString &caption);
