// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

class Fom;
namespace rt {
struct GameFile;
}

// Shows a picture: imgDir & name & ".dat" (dmy for an empty name), recognised by its
// content, stretched over the whole view. A picture that fails to load changes nothing.
void PicSet(Fom &fom, const QString &name);

// Loads a picture file by content, whatever its name says; throws RuntimeError naming
// the file when it is missing, unreadable or cut off before its picture ends. A picture
// wider or taller than bound is decoded shrunk to fit it (the format's decoder skips the
// detail where it can, as JPEG's does); an empty bound keeps the picture's own size.
// Pictures of more pixels than this much memory holds at four bytes each (8000 x 8000)
// are refused.
QImage loadPicture(const QString &path, QSize bound = {});
QImage loadPicture(const rt::GameFile &file, QSize bound = {});
constexpr int pictureAllocationLimitMB = 256;

// For a run of script lines passed in one go: a picture named again is shown from the
// buffer instead of being read and decoded again. Within one step no event is handled
// and nothing is drawn, so this looks exactly like PicSet; only a file rewritten on the
// disk during the step could tell them apart, as if it had been rewritten just after.
// Keep one only for the length of a step. Kept because without it the runner's benchmark
// row (a million picture lines in one step) decodes every line and misses its goal.
class PictureMemo {
  public:
    // PicSet(name), or the buffer shown again when this memo loaded it for the same name,
    // nothing has loaded into it since and the view has kept its size (the buffer is
    // decoded no larger than the view). A failed load is never remembered.
    void show(Fom &fom, QStringView name);

  private:
    QString name_;
    qint64 loaded_ = 0; // the buffer's cache key right after that load; 0 for none
    QSize viewSize_;    // the buffer was decoded for a view of this size
};
