#include "picture.h"

#include "runtime/error.h"
#include "shell/fom.h"

#include <QFileInfo>
#include <QImageReader>

QImage loadPicture(const QString &path) {
    QFileInfo info(path);
    if (!info.exists())
        throw rt::RuntimeError(QStringLiteral("ファイルが見つかりません。"), path);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    // A picture that declares a huge size is refused before any pixel is allocated.
    reader.setAllocationLimit(pictureAllocationLimitMB);
    QImage picture = reader.read();
    if (picture.isNull())
        throw rt::RuntimeError(QStringLiteral("画像を読み込めません。"), path);
    return picture;
}

void PicSet(Fom &fom, const QString &name) {
    const QString path =
        fom.st.imgDir + (name.isEmpty() ? QStringLiteral("dmy") : name) + QStringLiteral(".dat");
    fom.E = loadPicture(path);
    fom.Pic->paintStretched(fom.E);
}

void PictureMemo::show(Fom &fom, QStringView name) {
    if (loaded_ != 0 && name == name_ && fom.E.cacheKey() == loaded_) {
        fom.Pic->paintStretched(fom.E);
        return;
    }
    loaded_ = 0;
    name_ = name.toString();
    PicSet(fom, name_);
    loaded_ = fom.E.cacheKey();
}
