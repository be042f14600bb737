#pragma once

#include <QByteArray>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <cstdint>

class Fom;

// The album list keeps its entries sorted by their text, code unit by code unit (digits
// before letters); an equal entry goes behind the ones already there.
namespace album {

// Where a new entry goes: one binary search, no re-sort.
int insertRow(const QListWidget &list, const QString &text);
void add(QListWidget &list, const QString &text);
// Fills an empty list in one go; raw lines keep the file's own bytes for writing back.
void fill(QListWidget &list, const QList<QByteArray> &rawLines);
// The bytes to write for an entry: as read from the file, or the text in CP932.
QByteArray bytesOf(const QListWidgetItem &item);
// The selected entry's position, or -1.
int selectedRow(const QListWidget &list);

// The number an entry starts with: blanks ignored, an optional sign, then digits; no
// digits give 0. ok is false when it does not fit 32 bits.
std::int64_t leadingNumber(QStringView text, bool *ok = nullptr);

} // namespace album

void LST_Click(Fom &fom);
void LstCom_Click(Fom &fom, std::int16_t index);
