#pragma once

#include <QByteArray>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class Fom;

// The album list keeps its entries sorted by their text, code unit by code unit (digits
// before letters); an equal entry goes behind the ones already there.
namespace album {

// Where a new entry goes: one binary search, no re-sort.
int insertRow(const QListWidget &list, const QString &text);
void add(QListWidget &list, const QString &text);
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
    void fillInto(QListWidget &list);

  private:
    struct Lines;
    std::unique_ptr<Lines> lines_;
};
// The same for lines already in hand.
void fill(QListWidget &list, const QList<QByteArray> &rawLines);
// The bytes to write for an entry: as read from the file, or the text in CP932.
QByteArray bytesOf(const QListWidgetItem &item);
// True when the entry keeps the file's own bytes (its line is not CP932 as written back).
bool keepsBytes(const QListWidgetItem &item);
// The selected entry's position, or -1.
int selectedRow(const QListWidget &list);

// The number an entry starts with: blanks ignored, an optional sign, then digits; no
// digits give 0. ok is false when it does not fit 32 bits.
std::int64_t leadingNumber(QStringView text, bool *ok = nullptr);

} // namespace album

void LST_Click(Fom &fom);
void LstCom_Click(Fom &fom, std::int16_t index);
