#include "widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

MessageLabel::MessageLabel(QWidget *parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    setContentsMargins(6, 4, 6, 4);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
}

void MessageLabel::setCaption(const QString &text) {
    caption_ = text;
    changed();
}

void MessageLabel::append(QStringView text) {
    caption_ += text;
    changed();
}

void MessageLabel::clearCaption() {
    caption_.clear();
    changed();
}

void MessageLabel::changed() {
    if (dirty_)
        return;
    dirty_ = true;
    QTimer::singleShot(0, this, &MessageLabel::sync);
}

void MessageLabel::sync() {
    if (!dirty_)
        return;
    dirty_ = false;
    // The message area shows a few hundred characters at most; laying out more (a
    // writer's runaway line) would only cost time and memory.
    constexpr qsizetype shownLimit = 16384;
    QString shown = caption_.left(shownLimit);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    setText(shown);
}

void MessageLabel::mousePressEvent(QMouseEvent *event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void MessageLabel::mouseReleaseEvent(QMouseEvent *event) {
    bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

Swatch::Swatch(QWidget *parent) : QWidget(parent) {}

void Swatch::setColour(const QColor &colour) {
    colour_ = colour;
    update();
}

void Swatch::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), colour_);
}

PictureView::PictureView(QWidget *parent) : QWidget(parent) {}

void PictureView::paintStretched(const QImage &picture) {
    const QSize target = size().expandedTo(QSize(1, 1));
    if (stale_ && target == stretchTo_ && picture.cacheKey() == picture_.cacheKey())
        return; // the very same stretch is already waiting
    picture_ = picture;
    stretchTo_ = target;
    if (!stale_) {
        stale_ = true;
        canvas_ = QImage(); // the old canvas is never shown again
        update();
    }
}

const QImage &PictureView::canvas() const {
    if (stale_)
        stretchNow();
    return canvas_;
}

void PictureView::stretchNow() const {
    QImage canvas(stretchTo_, QImage::Format_RGB32);
    canvas.fill(background_);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(canvas.rect(), picture_);
    p.end();
    canvas_ = std::move(canvas);
    stale_ = false;
}

void PictureView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QImage &shown = canvas();
    if (shown.isNull())
        p.fillRect(rect(), background_);
    else
        p.drawImage(rect(), shown);
}

void PictureView::resizeEvent(QResizeEvent *) {
    // The window settles its size once the frame is known; keep the picture filling it.
    // A picture still waiting is stretched at the size it was painted at first, so the
    // view looks the same whenever it is drawn.
    if (stale_)
        stretchNow();
    if (!canvas_.isNull() && canvas_.size() != size())
        canvas_ = canvas_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

ClickIndicator::ClickIndicator(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ClickIndicator::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor pink(255, 192, 192);
    const QColor red(255, 0, 0);
    int w = qMax(2, qMin(width(), height()) / 40);
    p.setPen(QPen(pink, w));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(w / 2.0, w / 2.0, -w / 2.0, -w / 2.0));
    // A small arrow in the lower right corner, clear of the text.
    double s = qMax(8, height() / 8);
    QPointF tip(width() - 2.0 * w - s / 2, height() - 2.0 * w);
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(-s / 2, -s * 0.8));
    arrow.lineTo(tip + QPointF(s / 2, -s * 0.8));
    arrow.closeSubpath();
    p.setPen(QPen(red, 1));
    p.setBrush(pink);
    p.drawPath(arrow);
}
