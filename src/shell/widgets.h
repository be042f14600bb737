// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QWidget>

// The message area: a plain-text label that keeps its caption exactly (CR LF between
// lines) and reports clicks.
class MessageLabel : public QLabel {
    Q_OBJECT
  public:
    explicit MessageLabel(QWidget *parent);

    const QString &caption() const { return caption_; }
    void setCaption(const QString &text);
    void append(QStringView text);
    void clearCaption();
    // Where a screen reader's caret stands: on the first line, where it starts to read when
    // the page takes the focus; or at the end, so that a page put in place of another is
    // read as new text.
    bool caretAtEnd = false;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // The focus only marks where a screen reader listens: a label that takes it would make
    // itself a text control, which announces every page again as a whole.
    void focusInEvent(QFocusEvent *event) override { QWidget::focusInEvent(event); }
    void focusOutEvent(QFocusEvent *event) override { QWidget::focusOutEvent(event); }

  private:
    void changed();

    QString caption_;
    bool pressed_ = false;
};

// A box painted in one colour: the fatigue swatch.
class Swatch : public QWidget {
  public:
    explicit Swatch(QWidget *parent);
    QColor colour() const { return colour_; }
    void setColour(const QColor &colour);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QColor colour_{Qt::white};
};

// The picture view: keeps what was last painted into it.
class PictureView : public QWidget {
  public:
    explicit PictureView(QWidget *parent);
    // Clears to the background and stretches the picture over the whole view.
    void paintStretched(const QImage &picture);
    // What the view shows.
    const QImage &canvas() const { return canvas_; }
    QColor background() const { return background_; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    QImage canvas_;
    QColor background_{Qt::white};
};

// The click-to-continue indicator over the message area. It lets every click through
// and only frames the area and marks its corner, so the text stays readable.
class ClickIndicator : public QWidget {
  public:
    explicit ClickIndicator(QWidget *parent);
    // What the indicator may paint over, for an area of this size: the message area
    // keeps its text inside these margins, whatever the screen.
    static QMargins insets(QSize area);

  protected:
    void paintEvent(QPaintEvent *event) override;
};

// A choice button. Its caption is shown whole: it wraps inside the button and, where it
// does not fit, gets smaller until it does. Return picks it and the arrow keys move to
// the other choice, as Space and Tab already do.
class ChoiceButton : public QPushButton {
  public:
    explicit ChoiceButton(QWidget *parent);
    void setPartner(ChoiceButton *partner) { partner_ = partner; }
    // The font the caption is drawn with at the button's present size.
    QFont captionFont() const;
    // Width of the focus mark: it grows with the button.
    int focusLine() const;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    struct Fit {
        QString text;
        QSize size;
        QFont base;
        QFont font;
        int flags = 0;
    };
    const Fit &fit() const;
    QRect captionRect() const;

    ChoiceButton *partner_ = nullptr;
    mutable Fit fit_;
};

// One press of a key is one press, however long it is held. The X server repeats a held
// key as release and press pairs of one timestamp; Qt marks a pair as a repeat only when
// it happens to hold both events at once, and a missed pair would read on, or click the
// button under the key, once more. Installed on a window, it drops every repeated press.
class HeldKeyFilter : public QObject {
  public:
    explicit HeldKeyFilter(QObject *parent) : QObject(parent) {}

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QSet<quint32> held_; // pressed and not released since
    quint32 lastReleased_ = 0;
    quint64 lastReleaseTime_ = 0;
};
