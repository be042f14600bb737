#include "albumlist.h"

#include "media/picture.h"
#include "runtime/cp932.h"
#include "shell/fom.h"

#include <QSignalBlocker>
#include <algorithm>
#include <span>

namespace album {
namespace {
constexpr int rawRole = Qt::UserRole + 1;
}

int insertRow(const QListWidget &list, const QString &text) {
    int lo = 0;
    int hi = list.count();
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (text < list.item(mid)->text())
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

void add(QListWidget &list, const QString &text) {
    QSignalBlocker quiet(&list);
    list.insertItem(insertRow(list, text), text);
}

void fill(QListWidget &list, const QList<QByteArray> &rawLines) {
    struct Entry {
        QString text;
        const QByteArray *raw;
    };
    std::vector<Entry> entries;
    entries.reserve(rawLines.size());
    for (const QByteArray &raw : rawLines)
        entries.push_back({rt::decodeCp932(raw), &raw});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.text < b.text; });
    QSignalBlocker quiet(&list);
    list.setUpdatesEnabled(false);
    for (const Entry &e : entries) {
        auto *item = new QListWidgetItem(e.text);
        if (rt::encodeCp932(e.text) != *e.raw)
            item->setData(rawRole, *e.raw);
        list.addItem(item);
    }
    list.setUpdatesEnabled(true);
}

QByteArray bytesOf(const QListWidgetItem &item) {
    QVariant raw = item.data(rawRole);
    return raw.isValid() ? raw.toByteArray() : rt::encodeCp932(item.text());
}

int selectedRow(const QListWidget &list) {
    int row = list.currentRow();
    if (row < 0 || row >= list.count() || !list.item(row)->isSelected())
        return -1;
    return row;
}

std::int64_t leadingNumber(QStringView text, bool *ok) {
    auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && blank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::int64_t value = 0;
    bool fits = true;
    for (; i < n; ++i) {
        if (blank(text[i]))
            continue;
        char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            break;
        if (value < (std::int64_t(1) << 40))
            value = value * 10 + (c - u'0');
        else
            fits = false;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        fits = false;
    if (ok)
        *ok = fits;
    return value;
}

} // namespace album

void LST_Click(Fom &fom) {
    const int row = album::selectedRow(*fom.LST);
    const QString s = row >= 0 ? fom.LST->item(row)->text() : QString();
    if (s.isEmpty())
        return;
    PicSet(fom, s);
    const bool special = s.contains(u't');
    bool fits = false;
    const std::int64_t n =
        album::leadingNumber(special ? QStringView(s).mid(1) : QStringView(s), &fits);
    // An edited album may name a photo the catalogue does not have: show no text for it.
    const std::span<const QString> table = special
                                               ? std::span<const QString>(fom.st.specialPhotoTexts)
                                               : std::span<const QString>(fom.st.photoTexts);
    if (!fits || n < 0 || n >= std::int64_t(table.size()))
        fom.lbl->clearCaption();
    else
        fom.lbl->setCaption(table[std::size_t(n)]);
}

void LstCom_Click(Fom &fom, std::int16_t index) {
    if (index == 0) {
        const int row = album::selectedRow(*fom.LST);
        if (row >= 0 && row < fom.LST->count()) {
            QSignalBlocker quiet(fom.LST);
            delete fom.LST->takeItem(row);
            fom.LST->setCurrentRow(-1);
            fom.LST->clearSelection();
        }
    } else if (index == 1) {
        if (fom.askClearAll()) {
            QSignalBlocker quiet(fom.LST);
            fom.LST->clear();
        }
    }
}
