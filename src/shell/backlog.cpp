// SPDX-License-Identifier: GPL-3.0-or-later
#include "backlog.h"

Backlog::Backlog(QWidget *parent) : MessageLabel(parent), mark_(new QLabel(parent)) {
    // Opaque: the live page stays underneath, as it was.
    setAttribute(Qt::WA_TranslucentBackground, false);
    setAttribute(Qt::WA_NoSystemBackground, false);
    setAutoFillBackground(true);
    setAccessibleName(QStringLiteral("ログ"));
    caretAtEnd = true;
    mark_->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    mark_->hide();
    hide();
}

void Backlog::record(const QString &page) {
    if (page.trimmed().isEmpty())
        return;
    pages_ << page;
    if (pages_.size() > kept)
        pages_.removeFirst();
}

bool Backlog::open(const MessageLabel &area) {
    if (pages_.isEmpty())
        return false;
    setFont(area.font());
    mark_->setFont(area.font());
    setGeometry(area.geometry());
    // Right-aligned in the last quarter, clear of the picture view.
    const int height = mark_->fontMetrics().height() + 2;
    mark_->setGeometry(x() + width() * 3 / 4, y() - height,
                       width() / 4 - area.contentsMargins().right(), height);
    at_ = pages_.size() - 1;
    // Shown with the focus first, so that a screen reader takes the page as new text.
    clearCaption();
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    mark_->show();
    showPage();
    return true;
}

bool Backlog::turn(int by) {
    const qsizetype to = at_ - by;
    if (to >= pages_.size())
        return false;
    at_ = qMax<qsizetype>(0, to);
    showPage();
    return true;
}

void Backlog::showPage() {
    mark_->setText(QStringLiteral("ログ %1/%2").arg(at_ + 1).arg(pages_.size()));
    setCaption(pages_.at(at_));
}

void Backlog::hideEvent(QHideEvent *event) {
    mark_->hide();
    MessageLabel::hideEvent(event);
}
