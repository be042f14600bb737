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
