// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <cmath>

namespace {

// The message area to a screen reader: a name of its own and the page as its text, so
// that each line is announced as it is added, rather than the whole page again. Orca
// speaks text added to a focused terminal, but not to a label.
class MessageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit MessageAccessible(QWidget *label) : QAccessibleWidget(label, QAccessible::Terminal) {}
    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(int start, int end) const override { return page().mid(start, end - start); }
    int characterCount() const override { return int(page().size()); }
    int cursorPosition() const override { return label().caretAtEnd ? characterCount() : 0; }
    QString attributes(int offset, int *start, int *end) const override {
        *start = *end = offset;
        return {};
    }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    using QAccessibleWidget::text;

  private:
    const MessageLabel &label() const { return *static_cast<MessageLabel *>(widget()); }
    const QString &page() const { return label().caption(); }
};

QAccessibleInterface *accessibleFor(const QString &key, QObject *object) {
    if (key == u"MessageLabel" && object->isWidgetType())
        return new MessageAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

MessageLabel::MessageLabel(QWidget *parent) : QLabel(parent) {
    static const bool installed = (QAccessible::installFactory(accessibleFor), true);
    (void)installed;
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    setContentsMargins(ClickIndicator::insets(QSize()));
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
}

void MessageLabel::setCaption(const QString &text) {
    const QString old = std::exchange(caption_, text);
    changed();
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent updated(this, 0, old, text);
        QAccessible::updateAccessibility(&updated);
    }
}

void MessageLabel::append(QStringView text) {
    const qsizetype at = caption_.size();
    caption_ += text;
    changed();
    if (QAccessible::isActive()) {
        QAccessibleTextInsertEvent inserted(this, int(at), text.toString());
        QAccessible::updateAccessibility(&inserted);
    }
}

void MessageLabel::clearCaption() {
    const QString old = std::exchange(caption_, {});
    changed();
    if (QAccessible::isActive() && !old.isEmpty()) {
        QAccessibleTextRemoveEvent removed(this, 0, old);
        QAccessible::updateAccessibility(&removed);
    }
}

void MessageLabel::changed() {
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

void MessageLabel::resizeEvent(QResizeEvent *event) {
    setContentsMargins(ClickIndicator::insets(size()));
    QLabel::resizeEvent(event);
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
    QImage canvas(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    canvas.fill(background_);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(canvas.rect(), picture);
    p.end();
    canvas_ = std::move(canvas);
    update();
}

void PictureView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    if (canvas_.isNull())
        p.fillRect(rect(), background_);
    else
        p.drawImage(rect(), canvas_);
}

void PictureView::resizeEvent(QResizeEvent *) {
    // The window settles its size once the frame is known; keep the picture filling it.
    if (!canvas_.isNull() && canvas_.size() != size())
        canvas_ = canvas_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

ClickIndicator::ClickIndicator(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
}

namespace {

// The indicator's parts, all in proportion to the area, so that its frame and arrow
// grow with the screen and the text margins with them.
struct IndicatorParts {
    int line;     // the frame's width
    double arrow; // the corner arrow's width and height
};

IndicatorParts indicatorParts(QSize area) {
    int line = qMax(2, qMin(area.width(), area.height()) / 40);
    return {line, qMax(8.0, area.height() / 8.0)};
}

} // namespace

QMargins ClickIndicator::insets(QSize area) {
    const IndicatorParts parts = indicatorParts(area);
    const int gap = parts.line + 2;
    // The arrow sits in the lower right corner, beside the text rather than under it.
    return {gap, gap, gap + int(std::ceil(parts.arrow)) + parts.line, gap};
}

void ClickIndicator::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor pink(255, 192, 192);
    const QColor red(255, 0, 0);
    const IndicatorParts parts = indicatorParts(size());
    const int w = parts.line;
    p.setPen(QPen(pink, w));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(w / 2.0, w / 2.0, -w / 2.0, -w / 2.0));
    const double s = parts.arrow;
    QPointF tip(width() - w - 1.0 - s / 2, height() - w - 1.0);
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(-s / 2, -s * 0.8));
    arrow.lineTo(tip + QPointF(s / 2, -s * 0.8));
    arrow.closeSubpath();
    p.setPen(QPen(red, 1));
    p.setBrush(pink);
    p.drawPath(arrow);
}

ChoiceButton::ChoiceButton(QWidget *parent) : QPushButton(parent) {}

int ChoiceButton::focusLine() const {
    // In proportion to the button, as the click indicator's frame is to the message area.
    return qMax(2, height() / 16);
}

QRect ChoiceButton::captionRect() const {
    // Clear of the border and the focus mark inside it.
    const int pad = qMax(3 + focusLine(), height() / 12);
    return rect().adjusted(pad, pad / 2, -pad, -pad / 2);
}

const ChoiceButton::Fit &ChoiceButton::fit() const {
    if (fit_.text == text() && fit_.size == size() && fit_.base == font())
        return fit_;
    fit_ = {text(), size(), font(), font(), 0};
    const QRect area = captionRect();
    const int wraps[] = {Qt::TextWordWrap, Qt::TextWrapAnywhere};
    // The largest size, no larger than the button's own font, at which the whole
    // caption fits; words are kept whole where they can be.
    for (double points = font().pointSizeF(); points > 0; points -= 0.5) {
        fit_.font.setPointSizeF(qMax(1.0, points));
        const QFontMetrics metrics(fit_.font);
        for (int wrap : wraps) {
            fit_.flags = Qt::AlignCenter | Qt::TextShowMnemonic | wrap;
            const QRect needed = metrics.boundingRect(area, fit_.flags, text());
            if (needed.width() <= area.width() && needed.height() <= area.height())
                return fit_;
        }
        if (points <= 1)
            break;
    }
    return fit_;
}

QFont ChoiceButton::captionFont() const {
    return fit().font;
}

void ChoiceButton::paintEvent(QPaintEvent *) {
    QPainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear(); // the caption is drawn here, wrapped
    style()->drawControl(QStyle::CE_PushButton, &option, &p, this);
    const Fit &f = fit();
    p.setFont(f.font);
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(captionRect(), f.flags, text());
    if (hasFocus()) {
        // Where the keyboard is: a line inside the border in the desktop's highlight.
        const int w = focusLine();
        p.setPen(QPen(palette().color(QPalette::Highlight), w, Qt::SolidLine, Qt::SquareCap,
                      Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        const double inset = 2 + w / 2.0;
        p.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
    }
}

void ChoiceButton::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A held key never picks a choice the player has not seen.
        if (!event->isAutoRepeat())
            click();
        return;
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Right: {
        const bool up = event->key() == Qt::Key_Up || event->key() == Qt::Key_Left;
        if (partner_ && partner_->isVisible() && (partner_->y() < y()) == up)
            partner_->setFocus(Qt::OtherFocusReason);
        return;
    }
    default:
        QPushButton::keyPressEvent(event);
    }
}

namespace {

quint32 keyCode(const QKeyEvent *event) {
    // The scan code names the key itself, whatever modifier changes its meaning.
    return event->nativeScanCode() ? event->nativeScanCode() : quint32(event->key()) | 1u << 31;
}

} // namespace

bool HeldKeyFilter::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const quint32 code = keyCode(key);
        const bool pairedWithRelease =
            key->timestamp() != 0 && code == lastReleased_ && key->timestamp() == lastReleaseTime_;
        const bool repeat = key->isAutoRepeat() || held_.contains(code) || pairedWithRelease;
        held_.insert(code);
        if (repeat)
            return true;
        break;
    }
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        lastReleased_ = keyCode(key);
        lastReleaseTime_ = key->timestamp();
        if (!key->isAutoRepeat())
            held_.remove(lastReleased_);
        break;
    }
    case QEvent::FocusOut:
        // A key let go in another window sends this one no release.
        held_.clear();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
