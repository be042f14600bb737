// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets.h"

#include <QStringList>

// The pages of events already read in this run, shown again one at a time over the
// message area, in its font and colours, with a mark of where the page stands just above
// the area's right end, where the event screen has nothing.
class Backlog : public MessageLabel {
  public:
    explicit Backlog(QWidget *parent);

    // A page that has left the message area.
    void record(const QString &page);
    // Opens on the newest page, over `area`; false when nothing has been read yet.
    bool open(const MessageLabel &area);
    // Older pages for a positive count, newer for a negative one; false once it has gone
    // past the newest, which leaves it to be closed.
    bool turn(int by);
    bool isOpen() const { return isVisible(); }
    QString mark() const { return mark_->text(); }

  protected:
    void hideEvent(QHideEvent *event) override;
    // Tab never reaches a choice button under it.
    bool focusNextPrevChild(bool) override { return true; }

  private:
    void showPage();

    static constexpr qsizetype kept = 200;
    QStringList pages_; // oldest first
    qsizetype at_ = 0;
    QLabel *mark_;
};
