#pragma once

#include <QImage>
#include <QString>

class Fom;

// Shows a picture: imgDir & name & ".dat" (dmy for an empty name), recognised by its
// content, stretched over the whole view. A picture that fails to load changes nothing.
void PicSet(Fom &fom, const QString &name);

// Loads a picture file by content, whatever its name says; throws RuntimeError naming
// the file when it is missing or unreadable.
// Decoding needs at most this much memory (8000 x 8000 pixels at four bytes each).
QImage loadPicture(const QString &path);
constexpr int pictureAllocationLimitMB = 256;

// For a run of script lines passed in one go: a picture named again is shown from the
// buffer instead of being read and decoded again. Within one step no event is handled
// and nothing is drawn, so this looks exactly like PicSet; only a file rewritten on the
// disk during the step could tell them apart, as if it had been rewritten just after.
// Keep one only for the length of a step.
class PictureMemo {
  public:
    // PicSet(name), or the buffer shown again when this memo loaded it for the same name
    // and nothing has loaded into it since. A failed load is never remembered.
    void show(Fom &fom, QStringView name);

  private:
    QString name_;
    qint64 loaded_ = 0; // the buffer's cache key right after that load; 0 for none
};
