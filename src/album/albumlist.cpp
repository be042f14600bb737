#include "albumlist.h"

#include "media/picture.h"
#include "runtime/cp932.h"
#include "shell/fom.h"

#include <QHash>
#include <QSignalBlocker>
#include <algorithm>
#include <array>
#include <numeric>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace album {
namespace {

// An entry whose line is not CP932 as the game writes it (a byte that is no character
// reads as U+FFFD): the file's own bytes go back, not the text's.
class KeptBytesItem : public QListWidgetItem {
  public:
    static constexpr int kind = QListWidgetItem::UserType + 1;
    KeptBytesItem(const QString &text, const QByteArray &raw)
        : QListWidgetItem(text, nullptr, kind), raw(raw) {}
    QListWidgetItem *clone() const override { return new KeptBytesItem(*this); }
    const QByteArray raw;
};

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

std::u16string_view key(const QString &text) {
    return {QStringView(text).utf16(), std::size_t(text.size())};
}

} // namespace

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

struct Filler::Lines {
    struct Distinct {
        QByteArray raw;
        int text;
        bool keepBytes;
    };
    // In front of the hash, a direct-mapped cache of lines seen: an album's few codes
    // nearly always hit it, any other file still finds its lines through the hash.
    struct Recent {
        QByteArrayView raw; // into a Distinct's bytes, which never move
        int distinct = -1;
    };

    Recent &recentSlot(QByteArrayView raw) {
        std::size_t k = std::size_t(raw.size());
        for (char c : raw.first(std::min<qsizetype>(raw.size(), 4)))
            k = k * 31 + static_cast<unsigned char>(c);
        return recent[k % recent.size()];
    }

    int textOf(const QString &text) {
        auto found = byText.constFind(text);
        if (found != byText.cend())
            return *found;
        byText.insert(text, int(texts.size()));
        texts.push_back(text);
        return int(texts.size()) - 1;
    }

    std::vector<Distinct> distinct;
    QHash<QByteArray, int> byRaw;
    std::array<Recent, 256> recent;
    std::vector<QString> texts;
    QHash<QString, int> byText;
    std::vector<int> lineDistinct; // file order
};

Filler::Filler() : lines_(std::make_unique<Lines>()) {}
Filler::~Filler() = default;

void Filler::add(const QByteArray &rawLine) {
    Lines &l = *lines_;
    Lines::Recent &slot = l.recentSlot(rawLine);
    if (slot.distinct < 0 || slot.raw != rawLine) {
        auto found = l.byRaw.constFind(rawLine);
        if (found != l.byRaw.cend()) {
            slot.distinct = *found;
        } else {
            const QString text = rt::decodeCp932(rawLine);
            const bool keepBytes = !isAscii(rawLine) && rt::encodeCp932(text) != rawLine;
            slot.distinct = int(l.distinct.size());
            l.distinct.push_back({rawLine, l.textOf(text), keepBytes});
            l.byRaw.insert(rawLine, slot.distinct);
        }
        slot.raw = l.distinct[slot.distinct].raw;
    }
    l.lineDistinct.push_back(slot.distinct);
}

void Filler::fillInto(QListWidget &list) {
    Lines l = std::move(*lines_);
    *lines_ = Lines();
    const std::vector<Lines::Distinct> &distinct = l.distinct;
    const std::vector<QString> &texts = l.texts;

    // Code unit by code unit; lines of equal text keep their order in the file.
    std::vector<int> byOrder(texts.size());
    std::iota(byOrder.begin(), byOrder.end(), 0);
    std::sort(byOrder.begin(), byOrder.end(),
              [&](int a, int b) { return key(texts[a]) < key(texts[b]); });
    std::vector<qsizetype> start(texts.size(), 0); // first row of each text
    for (int d : l.lineDistinct)
        ++start[distinct[d].text];
    for (qsizetype row = 0; int t : byOrder)
        row += std::exchange(start[t], row);
    std::vector<int> sorted(l.lineDistinct.size()); // distinct line of each row
    for (int d : l.lineDistinct)
        sorted[start[distinct[d].text]++] = d;

    // Plain entries go in by the batch: an insert costs the same for one or many.
    constexpr qsizetype batch = 4096;
    QSignalBlocker quiet(&list);
    list.setUpdatesEnabled(false);
    QStringList run;
    run.reserve(batch);
    for (int d : sorted) {
        if (distinct[d].keepBytes || run.size() == batch) {
            list.addItems(run);
            run.clear();
        }
        if (distinct[d].keepBytes)
            list.addItem(new KeptBytesItem(texts[distinct[d].text], distinct[d].raw));
        else
            run.append(texts[distinct[d].text]);
    }
    list.addItems(run);
    list.setUpdatesEnabled(true);
}

void fill(QListWidget &list, const QList<QByteArray> &rawLines) {
    Filler filler;
    for (const QByteArray &raw : rawLines)
        filler.add(raw);
    filler.fillInto(list);
}

bool keepsBytes(const QListWidgetItem &item) {
    return item.type() == KeptBytesItem::kind;
}

QByteArray bytesOf(const QListWidgetItem &item) {
    if (keepsBytes(item))
        return static_cast<const KeptBytesItem &>(item).raw;
    return rt::encodeCp932(item.text());
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
