// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture.h"

#include "runtime/error.h"
#include "runtime/paths.h"
#include "shell/fom.h"

#include <QFile>
#include <QImageReader>

namespace {

// The picture file as the decoder asks for it: no read-ahead, so each read below is one of
// the decoder's own, and how the last ones fared tells whether the picture was all there.
class WatchedFile : public QIODevice {
  public:
    QFile &file() { return file_; }
    bool openUnbuffered() { return QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    qint64 size() const override { return file_.size(); }

    bool watching = false;
    bool cameShort = false;  // a read got less than it asked for
    bool askedAtEnd = false; // a read came back for more when nothing was left

  protected:
    qint64 readData(char *data, qint64 most) override {
        if (file_.pos() != pos() && !file_.seek(pos()))
            return -1;
        const qint64 got = file_.read(data, most);
        if (watching && got >= 0 && got < most) {
            cameShort = true;
            askedAtEnd = askedAtEnd || got == 0;
        }
        return got;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

  private:
    QFile file_;
};

} // namespace

QImage loadPicture(const QString &path, QSize bound) {
    return loadPicture(rt::plainPath(path), bound);
}

QImage loadPicture(const rt::GameFile &found, QSize bound) {
    const auto unreadable = [&found] {
        return rt::RuntimeError(QStringLiteral("画像を読み込めません。"), found.path);
    };
    WatchedFile file;
    rt::openForReading(file.file(), found);
    if (!file.openUnbuffered())
        throw unreadable();
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(pictureAllocationLimitMB);
    // A picture that declares a huge size is refused before any pixel is allocated, also
    // where a reduced decode would have fitted.
    const QSize size = reader.size();
    if (size.isValid() &&
        qint64(size.width()) * size.height() * 4 > qint64(pictureAllocationLimitMB) << 20)
        throw unreadable();
    if (size.isValid() && !bound.isEmpty() && size.boundedTo(bound) != size)
        reader.setScaledSize(size.boundedTo(bound));
    const QByteArray format = reader.format();
    file.watching = true;
    const QImage picture = reader.read();
    // Qt hands back what it could decode of a cut-off BMP, JPEG or GIF, without an error and
    // with the rest left as whatever memory held, or grey. Its BMP reader asks for each row
    // exactly, so a short read means missing rows; the JPEG, GIF and PNG readers take the
    // file in chunks and come back for more only while their picture is unfinished.
    const bool chunked = format == "jpeg" || format == "gif" || format == "png";
    const bool cutOff = format == "bmp" ? file.cameShort : chunked && file.askedAtEnd;
    if (picture.isNull() || cutOff)
        throw unreadable();
    return picture;
}

void PicSet(Fom &fom, const QString &name) {
    const QString shown = name.isEmpty() ? QStringLiteral("dmy") : name;
    const rt::GameFile file =
        rt::findGameFile(fom.st.appDir, QStringLiteral("img/") + shown + QStringLiteral(".dat"));
    // Decoded no larger than the view shows it, so a camera photo is never held whole.
    fom.E = loadPicture(file, fom.Pic->size());
    fom.Pic->paintStretched(fom.E);
    fom.Pic->setAccessibleName(shown);
}
