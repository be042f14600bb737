#pragma once

#include <QByteArray>
#include <QList>
#include <QListView>
#include <QString>
#include <cstdint>
#include <memory>

class Fom;
class AlbumModel;
namespace album {
class Filler;
}

// The album list: a list view over rows that each name one distinct entry, so a large
// album costs an int per row rather than an item object per row. Rows are kept sorted by
// their text, code unit by code unit (digits before letters); an equal entry goes behind
// the ones already there.
class AlbumList : public QListView {
    Q_OBJECT
  public:
    explicit AlbumList(QWidget *parent = nullptr);
    ~AlbumList() override;

    int count() const;
    QString text(int row) const;
    // The bytes to write for a row: as read from the file, or the text in CP932.
    QByteArray bytes(int row) const;

    // Where a new entry goes: one binary search, no re-sort.
    int insertRow(const QString &text) const;
    void add(const QString &text);
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
    friend class album::Filler;
    AlbumModel *model_;
    int selectedAtPress_ = -1;
};

namespace album {

// Takes an album's lines as they are read, then fills an empty list in one go. An album
// holds few distinct codes many times over: each distinct line is decoded once, equal
// entries share one text, and an entry keeps the file's bytes only when its text would
// not write them back.
class Filler {
  public:
    Filler();
    ~Filler();
    Filler(const Filler &) = delete;
    Filler &operator=(const Filler &) = delete;
    void add(const QByteArray &rawLine);
    // Puts the lines at their sorted places; the filler is empty afterwards.
    void fillInto(AlbumList &list);

  private:
    struct Lines;
    std::unique_ptr<Lines> lines_;
};
// The same for lines already in hand.
void fill(AlbumList &list, const QList<QByteArray> &rawLines);

// The number an entry starts with: blanks ignored, an optional sign, then digits; no
// digits give 0. ok is false when it does not fit 32 bits.
std::int64_t leadingNumber(QStringView text, bool *ok = nullptr);

} // namespace album

void LST_Click(Fom &fom);
void LstCom_Click(Fom &fom, std::int16_t index);
