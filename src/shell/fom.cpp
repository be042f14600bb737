// SPDX-License-Identifier: GPL-3.0-or-later
#include "fom.h"
#include "scaling.h"

#include "album/albumlist.h"
#include "album/datafiles.h"
#include "media/midi.h"
#include "media/picture.h"
#include "runtime/paths.h"
#include "runtime/random.h"
#include "runtime/textfile.h"
#include "script/runner.h"
#include "sim/actions.h"
#include "sim/stats.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <QtConcurrent/QtConcurrentRun>
#include <cstdio>

namespace {

const QColor windowBackground(255, 255, 255);
const QColor windowText(255, 100, 0);

Fom::Desktop &realDesktop() {
    static Fom::Desktop desktop;
    return desktop;
}

QFont gameFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL Gothic"),
                      QStringLiteral("TakaoGothic"), QStringLiteral("Droid Sans Fallback")});
    font.setPointSizeF(points);
    return font;
}

} // namespace

QString buttonText(const QString &caption) {
    QString text = caption;
    text.replace(u'&', QStringLiteral("&&"));
    return text;
}

void setButtonColour(QPushButton *button, const QColor &colour) {
    button->setStyleSheet(
        QStringLiteral(
            "QPushButton { background-color: %1; color: black; border: 1px solid "
            "rgb(150, 150, 150); padding: 0px; }"
            "QPushButton:pressed { background-color: %2; border-color: rgb(90, 90, 90); }")
            .arg(colour.name(), colour.darker(115).name()));
}

Fom::Fom() : Fom(Options()) {}

Fom::Fom(Options options)
    : options_(std::move(options)), desktop_(options_.desktop ? *options_.desktop : realDesktop()),
      random_(options_.random ? *options_.random : rt::gameRandom()), guard_([this] {
          // Another start on this album brings this game forward instead.
          showNormal();
          raise();
          activateWindow();
      }) {
    // Controls in the window's design order; buttons stay above the message area.
    BgmTim.setInterval(1);
    TimLBl.setInterval(100);
    for (int i = 0; i < int(LstCom.size()); ++i)
        LstCom[i] = new QPushButton(this);
    for (int i = 0; i < int(Qstlbl.size()); ++i)
        Qstlbl[i] = new ChoiceButton(this);
    Qstlbl[0]->setPartner(Qstlbl[1]);
    Qstlbl[1]->setPartner(Qstlbl[0]);
    TurasaPic = new Swatch(this);
    static const char *const captions[] = {"公園", "学校", "会社", "家"};
    for (int i = 0; i < int(com.size()); ++i)
        com[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
    Pic = new PictureView(this);
    LST = new AlbumList(this);
    LST->setUniformItemSizes(true);
    LST->setSelectionMode(QAbstractItemView::SingleSelection);
    ClickME = new ClickIndicator(this);
    KANELBL = new QLabel(this);
    lbl = new MessageLabel(this);
    lbl->setAccessibleName(QStringLiteral("メッセージ"));
    backlog = new Backlog(this);
    heldKeys_ = new HeldKeyFilter(this);
    skip_.setInterval(30);

    lbl->raise();
    ClickME->raise();
    for (QPushButton *b : Qstlbl)
        b->raise();
    ClickME->hide();
    for (QPushButton *b : Qstlbl)
        b->hide();

    setTabOrder(LST, com[0]);
    for (int i = 1; i < int(com.size()); ++i)
        setTabOrder(com[i - 1], com[i]);
    setTabOrder(com.back(), Qstlbl[0]);
    setTabOrder(Qstlbl[0], Qstlbl[1]);
    setTabOrder(Qstlbl[1], LstCom[0]);
    setTabOrder(LstCom[0], LstCom[1]);

    // Every way into the game goes through entry(), which meets a fatal error once.
    connect(&BgmTim, &QTimer::timeout, this,
            [this] { entry([this] { media::BgmTim_Timer(*options_.music); }); });
    connect(&TimLBl, &QTimer::timeout, this, [this] { entry([this] { TimLBl_Timer(*this); }); });
    connect(lbl, &MessageLabel::clicked, this, [this] { readOn(); });
    connect(backlog, &MessageLabel::clicked, this, [this] { closeBacklog(); });
    connect(&skip_, &QTimer::timeout, this, [this] {
        // The key's own state, not its events: a window that lost the release reads on no
        // further than the next tick.
        if (!(QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier))
            skip_.stop();
        else if (screen_ == Screen::Event && !backlog->isOpen() && st.eventActive)
            readOn();
    });
    connect(&musicOpener_, &QFutureWatcher<void>::finished, this,
            [this] { entry([this] { musicOpened(); }); });
    for (int i = 0; i < int(com.size()); ++i) {
        connect(com[i], &QPushButton::clicked, this,
                [this, i] { entry([this, i] { com_Click(*this, std::int16_t(i)); }); });
    }
    for (int i = 0; i < int(Qstlbl.size()); ++i) {
        connect(Qstlbl[i], &QPushButton::clicked, this,
                [this, i] { entry([this, i] { Qstlbl_Click(*this, std::int16_t(i)); }); });
    }
    for (int i = 0; i < int(LstCom.size()); ++i) {
        connect(LstCom[i], &QPushButton::clicked, this,
                [this, i] { entry([this, i] { LstCom_Click(*this, std::int16_t(i)); }); });
    }
    connect(LST, &AlbumList::itemClicked, this, [this] { entry([this] { LST_Click(*this); }); });
    connect(LST, &AlbumList::currentRowChanged, this, [this] {
        // Moving the selection with the keys shows the photo too, as a click does.
        if (LST->hasFocus() && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
            entry([this] { LST_Click(*this); });
    });
}

Fom::~Fom() {
    waitForMusic();
}

void Fom::Form_Load() {
    st.appDir =
        options_.appDir.isEmpty() ? rt::programDir() : rt::withTrailingSeparator(options_.appDir);
    st.datDir = rt::findGameFile(st.appDir, u"dat").path + u'/';
    st.imgDir = rt::findGameFile(st.appDir, u"img").path + u'/';
    const AlbumPlace album = albumPlace(st.datDir);
    st.albumFile = album.file;
    st.albumSeed = album.seed;
    // A game that never writes the album (a writer's test play) leaves it to others.
    if (options_.saveAlbum && !guard_.claim(st.albumFile)) {
        phase_ = Phase::Ended; // the game already running on this album plays on
        return;
    }
    rt::randomize();
    // The music starts once the first frame is out: opening it loads the synthesiser,
    // its soundfont and a sound server connection, which the window need not wait for.
    music_ = options_.music ? Music::AfterFirstFrame : Music::Off;
    st.statMax = {255, 100, 300000};
    readAlbum(*this);
    readCatalogue(*this, QStringLiteral("syasin"), QStringLiteral("【"), st.photoTexts, 31);
    readCatalogue(*this, QStringLiteral("tsyasin"), QStringLiteral("【特別"), st.specialPhotoTexts,
                  16);
    layoutWindow();
    phase_ = Phase::Loaded;
}

bool Fom::load() {
    entry([this] { Form_Load(); });
    return phase_ == Phase::Loaded;
}

int Fom::play() {
    if (!load())
        return exitStatus(); // reported, or another game on this album came forward
    show();
    // The opening runs on the first show: a fatal error there has already reported.
    if (finished())
        return exitStatus();
    return QApplication::exec();
}

void Fom::quitRequested() {
    if (finished())
        QCoreApplication::exit(exitStatus_); // also ends the report's own loop
    else
        entry([this] { Form_Unload(); });
}

void Fom::Form_Activate() {
    st.statValue = {100, 50, 10};
    st.photoProgress = 0;
    for (std::int16_t i = 0; i <= 2; ++i)
        StatChg(*this, i, 0);
    for (int i = 1; i <= 9; ++i)
        st.eventSeen.at(i) = False;
    st.firstChoiceCount = 0;
    IveStt(*this, QStringLiteral("0"));
    st.eventSeen.at(0) = True;
}

void Fom::startMusic() {
    if (music_ != Music::AfterFirstFrame && music_ != Music::Queued)
        return;
    if (finished())
        return;
    music_ = Music::Opening;
    // The synthesiser, its soundfont and the sound server can take a good part of a
    // second to answer: the game goes on meanwhile, and sends no other music command
    // before the watcher says the song is open.
    musicOpener_.setFuture(QtConcurrent::run([dir = st.appDir, mci = options_.music] {
        media::MidiOpen(*mci, rt::findGameFile(dir, u"bgm.mid").path);
    }));
}

void Fom::musicOpened() {
    if (music_ != Music::Opening)
        return; // the end of the game has already waited for it
    music_ = Music::Open;
    try {
        musicOpener_.waitForFinished(); // rethrows what failed on the worker
    } catch (const QUnhandledException &failure) {
        if (failure.exception())
            std::rethrow_exception(failure.exception());
        throw;
    }
    media::MidiPlay(*options_.music);
    BgmTim.start();
}

// What the worker may still be doing; a failure there has been reported, or never will be.
void Fom::waitForMusic() {
    try {
        musicOpener_.waitForFinished();
    } catch (...) {
    }
}

// Stops and closes the music, once it has finished opening.
void Fom::endMusic() {
    waitForMusic();
    music_ = Music::Off;
    BgmTim.stop();
    if (!options_.music)
        return;
    media::MidiStop(*options_.music);
    media::MidiClose(*options_.music);
}

void Fom::showScreen(Screen screen) {
    const bool base = screen == Screen::Base;
    for (QPushButton *b : com)
        b->setVisible(base);
    for (QPushButton *b : Qstlbl)
        b->hide();
    LST->setVisible(base);
    for (QPushButton *b : LstCom)
        b->setVisible(base);
    KANELBL->setVisible(base);
    TurasaPic->setVisible(base);
    lbl->show();
    Pic->show();
    screen_ = screen;
    // The keyboard starts where a turn does: on the park; in an event, on the text, where
    // a screen reader follows each line as it appears.
    (base ? static_cast<QWidget *>(com[0]) : lbl)->setFocus(Qt::OtherFocusReason);
}

void Fom::GameStt() {
    st.eventActive = False;
    showScreen(Screen::Base);
    PicSet(*this, QStringLiteral("ttl"));
    pageLeft();
    lbl->clearCaption();
    TimLBl.stop();
    ClickME->hide();
}

bool Fom::captionEmpty() const {
    return lbl->caption().isEmpty();
}

void Fom::clearCaption() {
    pageLeft();
    lbl->clearCaption();
}

void Fom::appendCaption(const QString &text) {
    lbl->append(text);
    eventPage_ = true;
}

void Fom::pageLeft() {
    if (eventPage_)
        backlog->record(lbl->caption());
    eventPage_ = false;
}

void Fom::showPicture(const QString &name) {
    PicSet(*this, name);
}

void Fom::showChoices(const QString &first, const QString &second, int firstRow, int secondRow) {
    Qstlbl[0]->setText(buttonText(first));
    Qstlbl[1]->setText(buttonText(second));
    Qstlbl[0]->show();
    Qstlbl[1]->show();
    // A screen reader says the focused caption, then this: so both are heard at once.
    for (int i = 0; i < 2; ++i) {
        Qstlbl[i]->setAccessibleDescription(Qstlbl[i]->toolTip() + QStringLiteral(" もう一つは ") +
                                            (i == 0 ? second : first));
    }
    placeChoice(0, firstRow);
    placeChoice(1, secondRow);
    Qstlbl[firstRow == st.choiceTop[0] ? 0 : 1]->setFocus(Qt::OtherFocusReason);
}

void Fom::showIndicator(bool shown) {
    ClickME->setVisible(shown);
}

void Fom::startMessageTimer() {
    if (!TimLBl.isActive())
        TimLBl.start();
}

void Fom::stopMessageTimer() {
    TimLBl.stop();
}

void Fom::startEvent(const QString &name) {
    IveStt(*this, name);
}

// A writer running the game from a terminal learns there why an event ended early.
void Fom::eventFailed(int lineNo, const QString &line, const rt::RuntimeError &error) {
    const QString where = lineNo > 0 ? QStringLiteral("（%1行目）").arg(lineNo) : QString();
    QString text = QStringLiteral("「%1」の行%2が失敗したため、イベントはここで終わります: %3")
                       .arg(line, where, error.message());
    if (!error.file().isEmpty())
        text += QStringLiteral(" (") + error.file() + u')';
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

void Fom::Form_Unload() {
    leave(nullptr);
}

void Fom::entry(const std::function<void()> &handler) {
    if (finished())
        return;
    try {
        handler();
    } catch (const rt::RuntimeError &error) {
        fail(error);
    } catch (const std::exception &error) {
        fail(rt::RuntimeError(QStringLiteral("内部エラーが起きました: ") +
                              QString::fromLocal8Bit(error.what())));
    }
}

void Fom::fail(const rt::RuntimeError &error) {
    leave(&error);
}

// The one way out, for a normal close and a fatal error alike: the album first (the
// player's only lasting state), then the music, then the report and the exit.
void Fom::leave(const rt::RuntimeError *error) {
    if (finished())
        return;
    const bool save = options_.saveAlbum && (phase_ == Phase::Loaded || phase_ == Phase::Playing);
    phase_ = Phase::Ended;
    BgmTim.stop();
    TimLBl.stop();
    QString report = error ? error->text() : QString();
    if (save) {
        try {
            writeAlbum(*this);
        } catch (const rt::RuntimeError &saveError) {
            if (!error)
                report = saveError.text();
            else if (saveError.text() != error->text())
                report +=
                    QStringLiteral("\n\nアルバムも保存できませんでした。\n") + saveError.text();
        }
    }
    guard_.release();
    if (music_ == Music::Opening)
        hide(); // the song may take a while yet to open: the window is gone meanwhile
    endMusic();
    exitStatus_ = report.isEmpty() ? 0 : 1;
    if (exitStatus_ != 0) {
        report = rt::shortenedReport(report);
        rt::closeAllFiles();
        hide();
        desktop_.reportError(rt::RuntimeError(report));
    }
    desktop_.exitProgram(exitStatus_);
}

bool Fom::askClearAll() {
    return desktop_.askClearAll(this);
}

bool Fom::Desktop::askClearAll(QWidget *window) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("ミルテナ"), QStringLiteral("全消去します"),
                    QMessageBox::Yes | QMessageBox::No, window);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
    return box.exec() == QMessageBox::Yes;
}

void Fom::Desktop::reportError(const rt::RuntimeError &error) {
    rt::showErrorReport(error.text());
}

void Fom::Desktop::exitProgram(int status) {
    // Queued as well: an error met before the event loop runs (the opening starts on the
    // first show) must still end it at once.
    QCoreApplication::exit(status);
    QTimer::singleShot(0, qApp, [status] { QCoreApplication::exit(status); });
}

void Fom::layoutWindow() {
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    int screenWidth = options_.screenWidth > 0 ? options_.screenWidth
                      : screen                 ? screen->geometry().width()
                                               : 1024;
    double dpi = options_.logicalDpi > 0 ? options_.logicalDpi
                 : screen                ? screen->logicalDotsPerInchX()
                                         : 96;
    // Qt draws points at its own DPI, which leaves out the scale that the game applies.
    const double scale = options_.logicalDpi > 0 ? 1 : userScale(screen);
    metrics_ = layout::windowMetrics(screenWidth, dpi * scale);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, windowBackground);
    pal.setColor(QPalette::WindowText, windowText);
    pal.setColor(QPalette::Base, windowBackground);
    setPalette(pal);
    setAutoFillBackground(true);
    const QFont font = gameFont(metrics_.fontPoints * scale);

    for (int i = 0; i < int(com.size()); ++i) {
        com[i]->setFont(font);
        setButtonColour(com[i], QColor(255, 200, 30 * i + 100));
    }
    com[0]->setToolTip(QStringLiteral("時折写真を撮ります。それ以外では､休んだりします｡ "
                                      "お金が1000円以上ないと疲労がたまります｡ "));
    com[1]->setToolTip(QStringLiteral("写真やカメラについて習います。写真を撮る腕が上がります｡"
                                      "お金が5000円以上ないと､門前払いされます｡疲労がちょっと"
                                      "たまります｡ "));
    com[2]->setToolTip(QStringLiteral("お金を稼ぎます。疲労が沢山たまります｡ "));
    com[3]->setToolTip(
        QStringLiteral("疲労が回復します。その代わり､カメラの腕が落ちてしまいます｡"));
    TurasaPic->setColour(windowBackground);
    TurasaPic->setToolTip(QStringLiteral("疲労"));
    KANELBL->setAutoFillBackground(false);
    KANELBL->setTextFormat(Qt::PlainText);
    KANELBL->setFont(font);
    KANELBL->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    KANELBL->setToolTip(QStringLiteral("所持金"));
    LST->setFont(font);
    LST->setToolTip(QStringLiteral("撮った写真"));
    LST->setAccessibleName(QStringLiteral("撮った写真"));
    for (QPushButton *b : LstCom) {
        setButtonColour(b, windowBackground);
        b->setFont(font);
    }
    LstCom[0]->setText(QStringLiteral("捨てる"));
    LstCom[0]->setToolTip(QStringLiteral("写真を捨てます"));
    LstCom[1]->setText(QStringLiteral("全消去"));
    LstCom[1]->setToolTip(QStringLiteral("写真を全部捨てます"));
    lbl->setFont(font);
    for (QPushButton *b : Qstlbl) {
        setButtonColour(b, windowBackground);
        b->setFont(font);
        b->setToolTip(QStringLiteral("どうしよう・・・"));
    }

    // Square from the outside; the frame, once the window manager has given one, takes
    // its share of the client area (see settleFrame).
    setFixedSize(metrics_.windowPixels, metrics_.windowPixels);
    placeControls();
    for (int i = 0; i < int(Qstlbl.size()); ++i) {
        choiceRow_[i] = 8 + i;
        st.choiceTop[i] = std::int16_t(layout::topInUnits(Qstlbl[i]->y(), height()));
    }
}

QRect Fom::cellRect(double left, double top, double width, double height) const {
    return layout::toPixels(QRectF(left, top, width, height), size());
}

void Fom::placeChoice(int index, int row) {
    choiceRow_.at(index) = row;
    Qstlbl.at(index)->setGeometry(cellRect(0, row, 4, 1));
}

void Fom::placeControls() {
    for (int i = 0; i < int(com.size()); ++i)
        com[i]->setGeometry(cellRect(0, i, 2, 1));
    TurasaPic->setGeometry(cellRect(0, 4, 2, 1));
    KANELBL->setGeometry(cellRect(0, 5, 2, 1));
    // The amount is right-aligned: keep its last digit off the picture view beside it.
    KANELBL->setContentsMargins(0, 0, qMax(2, KANELBL->height() / 8), 0);
    Pic->setGeometry(cellRect(2, 0, 6, 6));
    LST->setGeometry(cellRect(8, 0, 2, 4));
    for (int i = 0; i < int(LstCom.size()); ++i)
        LstCom[i]->setGeometry(cellRect(8, 4 + i, 2, 1));
    lbl->setGeometry(cellRect(0, 6, 10, 4));
    ClickME->setGeometry(cellRect(0, 6, 10, 4));
    for (int i = 0; i < int(Qstlbl.size()); ++i)
        Qstlbl[i]->setGeometry(cellRect(0, choiceRow_[i], 4, 1));
}

void Fom::settleFrame() {
    if (frameSettled_ || !isWindow() || !isVisible())
        return;
    QSize frame = frameGeometry().size();
    QSize client = geometry().size();
    int dw = frame.width() - client.width();
    int dh = frame.height() - client.height();
    if (dw <= 0 && dh <= 0)
        return;
    frameSettled_ = true;
    setFixedSize(metrics_.windowPixels - dw, metrics_.windowPixels - dh);
}

void Fom::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    placeControls();
}

void Fom::startFirstGame() {
    if (phase_ != Phase::Loaded)
        return;
    phase_ = Phase::Playing;
    entry([this] { options_.firstGame ? options_.firstGame(*this) : Form_Activate(); });
}

bool Fom::event(QEvent *event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Show:
        if (QWindow *window = windowHandle())
            window->installEventFilter(heldKeys_);
        // The new game starts before the window is first drawn, so the first frame
        // already shows the opening, with or without a window manager to activate it.
        startFirstGame();
        // Where the platform never draws or activates the window, the rest still comes.
        QTimer::singleShot(300, this, [this] {
            settleFrame();
            startMusic();
        });
        break;
    case QEvent::WindowActivate:
        settleFrame();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (isVisible())
            QTimer::singleShot(0, this, [this] { settleFrame(); });
        break;
    default:
        break;
    }
    return handled;
}

void Fom::paintEvent(QPaintEvent *event) {
    QWidget::paintEvent(event);
    // Queued, so that it runs once this frame has gone to the screen.
    if (music_ == Music::AfterFirstFrame) {
        music_ = Music::Queued;
        QTimer::singleShot(0, this, [this] { startMusic(); });
    }
}

void Fom::keyPressEvent(QKeyEvent *event) {
    // Reading on by keyboard: Space and Return do what a click on the message area does.
    // Keys reach the window when the focus is on the message area, or on no control.
    const int key = event->key();
    const bool readsOn = (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
                         !event->isAutoRepeat();
    const bool back = key == Qt::Key_PageUp || key == Qt::Key_Up;
    if (backlog->isOpen()) {
        if (back || key == Qt::Key_PageDown || key == Qt::Key_Down)
            turnBacklog(back ? 1 : -1);
        else if (readsOn || key == Qt::Key_Escape)
            closeBacklog();
    } else if (back && screen_ == Screen::Event) {
        openBacklog();
    } else if (key == Qt::Key_Control) {
        skip_.start();
    } else if (readsOn) {
        readOn();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void Fom::mousePressEvent(QMouseEvent *event) {
    // A click anywhere ends the reading back, as one on the page does.
    if (backlog->isOpen())
        closeBacklog();
    QWidget::mousePressEvent(event);
}

void Fom::wheelEvent(QWheelEvent *event) {
    if (screen_ != Screen::Event)
        return QWidget::wheelEvent(event);
    // Up reads back, down reads on: a notch is a page back, or a click on the text.
    wheelRest_ += event->angleDelta().y();
    for (; wheelRest_ >= 120; wheelRest_ -= 120)
        backlog->isOpen() ? turnBacklog(1) : openBacklog();
    for (; wheelRest_ <= -120 && !finished(); wheelRest_ += 120)
        backlog->isOpen() ? turnBacklog(-1) : readOn();
    event->accept();
}

void Fom::readOn() {
    entry([this] { lbl_Click(*this); });
}

// While the backlog is open nothing of the game moves; closed, all is as it was.
void Fom::openBacklog() {
    QWidget *focused = focusWidget();
    if (!backlog->open(*lbl))
        return;
    focusBeforeBacklog_ = focused;
    timerHeld_ = TimLBl.isActive();
    TimLBl.stop();
}

void Fom::turnBacklog(int by) {
    if (!backlog->turn(by))
        closeBacklog();
}

void Fom::closeBacklog() {
    backlog->hide();
    if (timerHeld_)
        TimLBl.start();
    timerHeld_ = false;
    (focusBeforeBacklog_ ? focusBeforeBacklog_.data() : lbl)->setFocus(Qt::OtherFocusReason);
}

void Fom::closeEvent(QCloseEvent *event) {
    event->accept();
    entry([this] { Form_Unload(); });
}
