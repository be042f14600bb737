#include "albumlist.h"

#include "media/picture.h"
#include "runtime/cp932.h"
#include "shell/fom.h"

#include <QAbstractListModel>
#include <QHash>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <algorithm>
#include <array>
#include <numeric>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

// Per row, an index into a table of the distinct entries: an album holds a few codes many
// times over, and the view asks only for the rows it shows.
class AlbumModel : public QAbstractListModel {
  public:
    struct Entry {
        QString text;
        QByteArray bytes; // what goes back: the file's own when the text would not write them
    };

    explicit AlbumModel(QObject *parent) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : int(rows.size());
    }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!valid(index) || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return entryAt(index.row()).text;
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override {
        if (!valid(index))
            return Qt::NoItemFlags;
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    }

    bool valid(const QModelIndex &index) const {
        return index.isValid() && !index.parent().isValid() && index.column() == 0 &&
               index.row() < int(rows.size());
    }
    const Entry &entryAt(int row) const { return entries[std::size_t(rows[std::size_t(row)])]; }

    // Equal texts share one entry unless the file's bytes must be kept.
    int plainEntry(const QString &text) {
        auto found = plain.constFind(text);
        if (found != plain.cend())
            return *found;
        const int id = int(entries.size());
        entries.push_back({text, rt::encodeCp932(text)});
        plain.insert(text, id);
        return id;
    }
    int keptEntry(const QString &text, const QByteArray &raw) {
        auto found = kept.constFind(raw);
        if (found != kept.cend())
            return *found;
        const int id = int(entries.size());
        entries.push_back({text, raw});
        kept.insert(raw, id);
        return id;
    }

    void insertAt(int row, int entry) {
        beginInsertRows({}, row, row);
        rows.insert(rows.begin() + row, entry);
        endInsertRows();
    }
    void removeAt(int row) {
        beginRemoveRows({}, row, row);
        rows.erase(rows.begin() + row);
        endRemoveRows();
    }
    void append(std::vector<int> more) {
        if (more.empty())
            return;
        if (rows.empty()) {
            // One reset, not a long insert the view and selection would have to follow.
            beginResetModel();
            rows = std::move(more);
            endResetModel();
            return;
        }
        beginInsertRows({}, int(rows.size()), int(rows.size() + more.size()) - 1);
        rows.insert(rows.end(), more.begin(), more.end());
        endInsertRows();
    }
    void clearAll() {
        beginResetModel();
        rows.clear();
        entries.clear();
        plain.clear();
        kept.clear();
        endResetModel();
    }

    std::vector<int> rows; // entry of each row
    std::vector<Entry> entries;
    QHash<QString, int> plain;
    QHash<QByteArray, int> kept;
};

AlbumList::AlbumList(QWidget *parent) : QListView(parent), model_(new AlbumModel(this)) {
    setModel(model_);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &index) { emit itemClicked(index.row()); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                emit currentRowChanged(current.isValid() ? current.row() : -1);
            });
}

AlbumList::~AlbumList() = default;

void AlbumList::mousePressEvent(QMouseEvent *event) {
    QListView::mousePressEvent(event);
    selectedAtPress_ = selectedRow();
}

void AlbumList::mouseReleaseEvent(QMouseEvent *event) {
    QListView::mouseReleaseEvent(event);
    // A press dragged onto another row selects that row without a click: show it too,
    // so that the player never discards a photo they did not see.
    const int row = selectedRow();
    if (row >= 0 && row != selectedAtPress_)
        emit itemClicked(row);
    selectedAtPress_ = row;
}

int AlbumList::count() const {
    return model_->rowCount();
}

QString AlbumList::text(int row) const {
    return row >= 0 && row < count() ? model_->entryAt(row).text : QString();
}

QByteArray AlbumList::bytes(int row) const {
    return row >= 0 && row < count() ? model_->entryAt(row).bytes : QByteArray();
}

int AlbumList::insertRow(const QString &text) const {
    int lo = 0;
    int hi = count();
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (text < model_->entryAt(mid).text)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

void AlbumList::add(const QString &text) {
    QSignalBlocker quiet(this);
    model_->insertAt(insertRow(text), model_->plainEntry(text));
}

void AlbumList::removeRow(int row) {
    if (row >= 0 && row < count())
        model_->removeAt(row);
}

void AlbumList::clear() {
    model_->clearAll();
}

int AlbumList::selectedRow() const {
    const QModelIndex current = currentIndex();
    if (!model_->valid(current) || !selectionModel()->isSelected(current))
        return -1;
    return current.row();
}

int AlbumList::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void AlbumList::setCurrentRow(int row) {
    selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

QRect AlbumList::rowRect(int row) const {
    return visualRect(model_->index(row, 0));
}

namespace album {
namespace {

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

std::u16string_view key(const QString &text) {
    return {QStringView(text).utf16(), std::size_t(text.size())};
}

} // namespace

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

void Filler::fillInto(AlbumList &list) {
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
    // Each distinct line becomes the list's entry once.
    AlbumModel &model = *list.model_;
    std::vector<int> entry(distinct.size());
    for (std::size_t d = 0; d < distinct.size(); ++d) {
        const QString &text = texts[distinct[d].text];
        entry[d] =
            distinct[d].keepBytes ? model.keptEntry(text, distinct[d].raw) : model.plainEntry(text);
    }
    std::vector<int> rows(l.lineDistinct.size());
    for (int d : l.lineDistinct)
        rows[start[distinct[d].text]++] = entry[d];
    QSignalBlocker quiet(&list);
    model.append(std::move(rows));
}

void fill(AlbumList &list, const QList<QByteArray> &rawLines) {
    Filler filler;
    for (const QByteArray &raw : rawLines)
        filler.add(raw);
    filler.fillInto(list);
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
    const QString s = fom.LST->text(fom.LST->selectedRow());
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
        const int row = fom.LST->selectedRow();
        if (row >= 0) {
            QSignalBlocker quiet(fom.LST);
            fom.LST->removeRow(row);
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
