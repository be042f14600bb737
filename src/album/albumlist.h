// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QListView>
#include <QString>
#include <cstdint>

class Fom;
class AlbumModel;

namespace album {
// An album entry: its text, and the bytes that write it back (as read from the file, so
// that a line that is not valid CP932 survives the round trip).
struct Entry {
    QString text;
    QByteArray bytes;
};
} // namespace album
// Rows move by memmove when one is inserted in front of them.
Q_DECLARE_TYPEINFO(album::Entry, Q_RELOCATABLE_TYPE);

// The album list. Rows are kept sorted by their text, code unit by code unit (digits
// before letters); an equal entry goes behind the ones already there.
class AlbumList : public QListView {
    Q_OBJECT
  public:
    explicit AlbumList(QWidget *parent = nullptr);
    ~AlbumList() override;

    int count() const;
    QString text(int row) const;
    // The bytes to write for a row: as read from the file, or the text in CP932.
    QByteArray bytes(int row) const;
    // Every row in order, for the writer.
    const QList<album::Entry> &entries() const;

    // Where a new entry goes: one binary search, no re-sort.
    int insertRow(const QString &text) const;
    void add(const QString &text);
    // Replaces the rows with these entries, sorted, in one go.
    void fill(QList<album::Entry> entries);
    void removeRow(int row);
    void clear();

    // The selected row, or -1 (a current row that is not selected does not count).
    int selectedRow() const;
    int currentRow() const;
    // Selects the row and makes it current; -1 leaves nothing current or selected.
    void setCurrentRow(int row);
    QRect rowRect(int row) const;

  signals:
    // The player picked a row with the mouse: a click, or a press that was dragged to
    // another row before its release.
    void itemClicked(int row);
    void currentRowChanged(int row);

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    AlbumModel *model_;
    int selectedAtPress_ = -1;
};

namespace album {

// The number an entry starts with: blanks ignored, an optional sign, then digits; no
// digits give 0. ok is false when it does not fit 32 bits.
std::int64_t leadingNumber(QStringView text, bool *ok = nullptr);

} // namespace album

void LST_Click(Fom &fom);
void LstCom_Click(Fom &fom, std::int16_t index);
