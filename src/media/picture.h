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
