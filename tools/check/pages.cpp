// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck.h"

#include "shell/fom.h"

#include <QApplication>
#include <QResizeEvent>

namespace check {

PageView::PageView() {
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    Fom::Options options;
    options.screenWidth = referenceScreenWidth;
    options.logicalDpi = 96;
    options.music = nullptr;
    fom_ = std::make_unique<Fom>(options);
    fom_->layoutWindow();
    // The window is square from the outside; a window manager's frame takes its share of
    // the client area, and the controls follow the client's size. A title bar of 20 pixels
    // and borders of 1 (openbox's, the slimmest of the common desktops) leave the message
    // area ten whole rows, as the larger title bars elsewhere do.
    const int side = fom_->metrics().windowPixels;
    const QSize client(side - 2 * referenceBorder, side - referenceTitleBar - referenceBorder);
    const QSize old = fom_->size();
    fom_->setFixedSize(client);
    QResizeEvent resized(client, old);
    QCoreApplication::sendEvent(fom_.get(), &resized);
    // Pages are made for ten lines. Where they do not fit even short, the game's font is
    // missing here and the layout would say nothing about the game: no page is judged.
    const QStringList tenShortLines(10, QStringLiteral("あ"));
    if (!fit(tenShortLines.join(QStringLiteral("\r\n"))).fits)
        fom_.reset();
}

PageView::~PageView() = default;

PageView::Fit PageView::fit(const QString &caption) {
    if (!fom_)
        return {};
    MessageLabel &area = *fom_->lbl;
    area.setCaption(caption);
    // The label's own layout: what it needs at its width against what it has. It draws
    // from the top and cuts off what falls below.
    const int needed = area.heightForWidth(area.width());
    const int spacing = std::max(1, area.fontMetrics().lineSpacing());
    const int margins = area.contentsMargins().top() + area.contentsMargins().bottom();
    Fit f;
    f.fits = needed <= area.height();
    f.rows = (needed - margins + spacing - 1) / spacing;
    f.visible = (area.height() - margins) / spacing;
    return f;
}

PageView::Glyphs PageView::choiceGlyphs(const QString &caption) {
    if (!fom_)
        return {};
    ChoiceButton &button = *fom_->Qstlbl[0];
    button.setText(caption);
    return {QFontMetrics(button.captionFont()).ascent(), QFontMetrics(button.font()).ascent()};
}

PageView *GameCheck::pages() {
    if (!pages_)
        pages_ = std::make_unique<PageView>();
    return pages_->available() ? pages_.get() : nullptr;
}

} // namespace check
