// SPDX-License-Identifier: GPL-3.0-or-later
#include "album/catalogue.h"
#include "gamecheck.h"
#include "runtime/error.h"
#include "sim/actions.h"

#include <algorithm>

// The album and the two photo catalogues, walked the way the game's start-up reads them.
namespace check {
namespace {

// What the park can put into the album.
bool isPhotoCode(const QString &text) {
    for (bool special : {false, true}) {
        for (int n = 0; n < photoCount(special); ++n) {
            if (text == photoCode(n, special))
                return true;
        }
    }
    return false;
}

// A line that a writer surely meant as the separator, but which is text to the game.
bool looksLikeSeparator(const QString &text) {
    if (text == u">")
        return false;
    QString folded = text.normalized(QString::NormalizationForm_KC);
    folded.removeIf(isBlank);
    return folded == u">";
}

} // namespace

CatalogueSplit splitCatalogue(TextReader &reader, int capacity,
                              const std::function<void(const TextLine &, bool)> &onLine) {
    QList<int> numbers; // of each line read
    QString last;
    const album::CatalogueSplit game = album::splitCatalogue(
        capacity, [&] { return reader.atEnd(); },
        [&] {
            const TextLine line = reader.next();
            onLine(line, reader.atEnd());
            numbers.append(line.number);
            return last = line.text;
        });
    CatalogueSplit split;
    for (const album::CatalogueRecord &record : game.records) {
        const bool visible =
            std::any_of(record.lines.cbegin(), record.lines.cend(),
                        [](const QString &l) { return !l.isEmpty() && !blankOnly(l); });
        split.records.append({numbers[record.opening], visible});
    }
    if (game.full) {
        // The rest is never read by the game: count its records for the message.
        split.extra = 1 + (last == u">" && !reader.atEnd());
        split.extraLine = numbers.last();
        while (!reader.atEnd()) {
            const TextLine rest = reader.next();
            split.extra += rest.text == u">" && !reader.atEnd();
        }
    }
    return split;
}

void GameCheck::checkAlbum() {
    const QString file = QStringLiteral("dat/save.dat");
    const rt::GameFile &found = dat_.find(QStringLiteral("save.dat"));
    if (!noteName(found, file, file, 0)) {
        out.warning(file, 0, QStringLiteral("album-missing"),
                    QStringLiteral("アルバムのファイルがありません。ゲームは空のアルバムで始まり、"
                                   "終わるときにこのファイルを作ります。"));
        return;
    }
    try {
        TextReader reader(found);
        // The game keeps undecodable album bytes as they are; only the picture name suffers.
        TextChecks text(out, file, Severity::Warning);
        while (!reader.atEnd()) {
            const TextLine line = reader.next();
            text.line(line, reader.atEnd());
            if (line.text.isEmpty()) {
                out.warning(file, line.number, QStringLiteral("album-entry"),
                            QStringLiteral("空の項目です。アルバムに何も書かれていない行として並び"
                                           "ます。"));
                continue;
            }
            if (!isPhotoCode(line.text)) {
                out.warning(file, line.number, QStringLiteral("album-entry"),
                            QStringLiteral("「%1」は写真のコード（00〜30、t00〜t15）ではありません"
                                           "。選んでも説明は出ません。")
                                .arg(shown(line.text)));
            }
            referPicture(line.text, file, line.number);
        }
        text.finish(reader);
    } catch (const rt::RuntimeError &e) {
        out.error(file, 0, QStringLiteral("unreadable"),
                  e.message() + QStringLiteral("ゲームは始められません。"));
    }
}

void GameCheck::checkCatalogue(const QString &stem, bool special) {
    const int capacity = photoCount(special);
    const QString file = QStringLiteral("dat/") + stem + QStringLiteral(".dat");
    const rt::GameFile &found = dat_.find(stem + QStringLiteral(".dat"));
    const QString what = special ? QStringLiteral("特別な写真") : QStringLiteral("写真");
    if (!noteName(found, file, file, 0)) {
        out.error(
            file, 0, QStringLiteral("catalogue-missing"),
            QStringLiteral("%1の説明のファイルがありません。ゲームは始められません。").arg(what));
        return;
    }
    CatalogueSplit split;
    try {
        TextReader reader(found);
        TextChecks text(out, file, Severity::Error);
        split = splitCatalogue(reader, capacity, [&](const TextLine &line, bool last) {
            text.line(line, last);
            if (looksLikeSeparator(line.text)) {
                out.warning(file, line.number, QStringLiteral("catalogue-separator"),
                            QStringLiteral("区切りの行は「>」の1文字だけでなければなりません。この"
                                           "行は説明の文として読まれ、記録は分かれません。"));
            }
        });
        text.finish(reader);
    } catch (const rt::RuntimeError &e) {
        out.error(file, 0, QStringLiteral("unreadable"),
                  e.message() + QStringLiteral("ゲームは始められません。"));
        return;
    }
    const QList<CatalogueRecord> &records = split.records;
    if (split.extra > 0) {
        out.warning(file, split.extraLine, QStringLiteral("catalogue-extra"),
                    QStringLiteral("ここから先の %1 件の記録は読まれません。%2は %3 枚（「%4」〜"
                                   "「%5」）で、説明もその数だけ読まれます。")
                        .arg(QString::number(split.extra), what, QString::number(capacity),
                             photoCode(0, special), photoCode(capacity - 1, special)));
    }

    for (int n = 0; n < records.size(); ++n) {
        if (records[n].visible)
            continue;
        out.error(file, records[n].line, QStringLiteral("catalogue-empty-record"),
                  QStringLiteral("%1「%2」の説明が空です。撮れたときに番号しか出ません。")
                      .arg(what, photoCode(n, special)));
    }
    if (records.size() < capacity) {
        const int n = int(records.size());
        out.error(file, 0, QStringLiteral("catalogue-count"),
                  QStringLiteral("記録が %1 件しかありません（「>」の行で区切って %2 件必要です）。"
                                 "%3「%4」〜「%5」は撮れても説明が出ません。")
                      .arg(QString::number(n), QString::number(capacity), what,
                           photoCode(n, special), photoCode(capacity - 1, special)));
    }
}

} // namespace check
