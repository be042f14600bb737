#include "fom.h"

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
#include <QMessageBox>
#include <QScreen>

namespace {

const QColor windowBackground(255, 255, 255);
const QColor windowText(255, 100, 0);

QFont gameFont(int points) {
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL Gothic"),
                      QStringLiteral("TakaoGothic"), QStringLiteral("Droid Sans Fallback")});
    font.setPointSize(points);
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

Fom::Fom(Options options) : options_(std::move(options)) {
    // Controls in the window's design order; buttons stay above the message area.
    BgmTim.setInterval(1);
    TimLBl.setInterval(100);
    for (int i = 0; i < int(LstCom.size()); ++i)
        LstCom[i] = new QPushButton(this);
    for (int i = 0; i < int(Qstlbl.size()); ++i)
        Qstlbl[i] = new QPushButton(this);
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
    connect(&BgmTim, &QTimer::timeout, this, [this] { entry([] { media::BgmTim_Timer(); }); });
    connect(&TimLBl, &QTimer::timeout, this, [this] { entry([this] { TimLBl_Timer(*this); }); });
    connect(lbl, &MessageLabel::clicked, this, [this] { entry([this] { lbl_Click(*this); }); });
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

Fom::~Fom() = default;

void Fom::Form_Load() {
    st.appDir =
        options_.appDir.isEmpty() ? rt::programDir() : rt::withTrailingSeparator(options_.appDir);
    st.datDir = st.appDir + QStringLiteral("dat/");
    st.imgDir = st.appDir + QStringLiteral("img/");
    const AlbumPlace album = albumPlace(st.datDir);
    st.albumFile = album.file;
    st.albumSeed = album.seed;
    rt::randomize();
    // The music starts once the first frame is out: opening it loads the synthesiser,
    // its soundfont and a sound server connection, which the window need not wait for.
    musicPending_ = true;
    st.statMax = {255, 100, 300000};
    readAlbum(*this);
    readCatalogue(*this, QStringLiteral("syasin"), QStringLiteral("【"), st.photoTexts, 31);
    readCatalogue(*this, QStringLiteral("tsyasin"), QStringLiteral("【特別"), st.specialPhotoTexts,
                  16);
    layoutWindow();
    albumLoaded_ = true;
    BgmTim.start();
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
    if (!musicPending_ || finished_)
        return;
    musicPending_ = false;
    media::MidiOpen(st.appDir + QStringLiteral("bgm.mid"));
    media::MidiPlay();
}

void Fom::GameStt() {
    st.eventActive = False;
    for (QPushButton *b : com)
        b->show();
    for (QPushButton *b : Qstlbl)
        b->hide();
    PicSet(*this, QStringLiteral("ttl"));
    TurasaPic->show();
    LST->show();
    for (QPushButton *b : LstCom)
        b->show();
    lbl->clearCaption();
    KANELBL->show();
    TimLBl.stop();
    ClickME->hide();
    lbl->show();
    Pic->show();
}

void Fom::Form_Unload() {
    albumLoaded_ = false; // a failed save is reported once, not retried
    musicPending_ = false;
    writeAlbum(*this);
    media::MidiStop();
    media::MidiClose();
    exitWith(0);
}

void Fom::entry(const std::function<void()> &handler) {
    if (finished_)
        return;
    try {
        handler();
    } catch (const rt::RuntimeError &error) {
        fail(error);
    } catch (const std::exception &error) {
        fail(rt::RuntimeError(QStringLiteral("内部エラーが起きました: ") +
                              QString::fromLocal8Bit(error.what())));
    }
    if (!finished_)
        lbl->sync();
}

void Fom::fail(const rt::RuntimeError &error) {
    if (finished_)
        return;
    finished_ = true;
    BgmTim.stop();
    TimLBl.stop();
    QString report = error.text();
    // The album is the player's only lasting state: keep this run's photos.
    if (albumLoaded_) {
        albumLoaded_ = false;
        try {
            writeAlbum(*this);
        } catch (const rt::RuntimeError &saveError) {
            if (saveError.text() != error.text())
                report +=
                    QStringLiteral("\n\nアルバムも保存できませんでした。\n") + saveError.text();
        }
    }
    media::MidiStop();
    media::MidiClose();
    rt::closeAllFiles();
    hide();
    if (options_.reportError)
        options_.reportError(rt::RuntimeError(report));
    else
        rt::showErrorReport(report);
    exitWith(1);
}

void Fom::exitWith(int status) {
    finished_ = true;
    exitStatus_ = status;
    BgmTim.stop();
    TimLBl.stop();
    if (options_.exitProgram)
        options_.exitProgram(status);
    else
        QCoreApplication::exit(status);
}

bool Fom::askClearAll() {
    if (options_.askClearAll)
        return options_.askClearAll();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("ミルテナ"), QStringLiteral("全消去します"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void Fom::layoutWindow() {
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    int screenWidth = options_.screenWidth > 0 ? options_.screenWidth
                      : screen                 ? screen->geometry().width()
                                               : 1024;
    double dpi = options_.logicalDpi > 0 ? options_.logicalDpi
                 : screen                ? screen->logicalDotsPerInchX()
                                         : 96;
    metrics_ = layout::windowMetrics(screenWidth, dpi);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, windowBackground);
    pal.setColor(QPalette::WindowText, windowText);
    pal.setColor(QPalette::Base, windowBackground);
    setPalette(pal);
    setAutoFillBackground(true);
    const QFont font = gameFont(metrics_.fontPoints);

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
    if (started_ || finished_)
        return;
    started_ = true;
    entry([this] { Form_Activate(); });
}

bool Fom::event(QEvent *event) {
    switch (event->type()) {
    case QEvent::WindowActivate:
        settleFrame();
        startFirstGame();
        break;
    case QEvent::Show:
        // Where the platform never activates the window, the game still starts.
        QTimer::singleShot(300, this, [this] {
            settleFrame();
            startMusic();
            startFirstGame();
        });
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (isVisible())
            QTimer::singleShot(0, this, [this] { settleFrame(); });
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void Fom::paintEvent(QPaintEvent *event) {
    QWidget::paintEvent(event);
    // Queued, so that it runs once this frame has gone to the screen.
    if (musicPending_ && !musicQueued_) {
        musicQueued_ = true;
        QTimer::singleShot(0, this, [this] { startMusic(); });
    }
}

void Fom::closeEvent(QCloseEvent *event) {
    event->accept();
    entry([this] { Form_Unload(); });
}
