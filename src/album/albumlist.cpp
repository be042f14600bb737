// SPDX-License-Identifier: GPL-3.0-or-later
#include "albumlist.h"

#include "media/picture.h"
#include "runtime/cp932.h"
#include "shell/fom.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <algorithm>
#include <span>
#include <string_view>

// One entry per row. An album holds a few thousand photos at most; the plain form reads
// and sorts 100,000 within its goal (bench/run).
class AlbumModel : public QAbstractListModel {
  public:
    explicit AlbumModel(QObject *parent) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : int(rows.size());
    }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!valid(index) || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        // The list shows a few characters of a row; Qt lays out and elides all it is given,
        // which for an edited album's 8 MB line takes seconds at every draw.
        const QString &text = rows[index.row()].text;
        qsizetype shown = std::min(text.size(), displayedLength);
        if (shown < text.size() && text[shown - 1].isHighSurrogate())
            --shown;
        return shown < text.size() ? text.left(shown) : text;
    }
    static constexpr qsizetype displayedLength = 200;
    Qt::ItemFlags flags(const QModelIndex &index) const override {
        if (!valid(index))
            return Qt::NoItemFlags;
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    }

    bool valid(const QModelIndex &index) const {
        return index.isValid() && !index.parent().isValid() && index.column() == 0 &&
               index.row() < int(rows.size());
    }

    void insertAt(int row, album::Entry entry) {
        beginInsertRows({}, row, row);
        rows.insert(row, std::move(entry));
        endInsertRows();
    }
    void removeAt(int row) {
        beginRemoveRows({}, row, row);
        rows.remove(row);
        endRemoveRows();
    }
    void reset(QList<album::Entry> entries) {
        beginResetModel();
        rows = std::move(entries);
        endResetModel();
    }

    QList<album::Entry> rows;
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
    return row >= 0 && row < count() ? model_->rows[row].text : QString();
}

const QList<album::Entry> &AlbumList::entries() const {
    return model_->rows;
}

QByteArray AlbumList::bytes(int row) const {
    return row >= 0 && row < count() ? model_->rows[row].bytes : QByteArray();
}

int AlbumList::insertRow(const QString &text) const {
    int lo = 0;
    int hi = count();
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (text < model_->rows[mid].text)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

void AlbumList::add(const QString &text) {
    QSignalBlocker quiet(this);
    model_->insertAt(insertRow(text), {text, rt::encodeCp932(text)});
}

void AlbumList::removeRow(int row) {
    if (row >= 0 && row < count())
        model_->removeAt(row);
}

void AlbumList::clear() {
    model_->reset({});
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

void AlbumList::fill(QList<album::Entry> entries) {
    // Code unit by code unit, digits before letters; equal texts keep their file order.
    const auto before = [](const album::Entry &a, const album::Entry &b) {
        const auto units = [](const QString &s) {
            return std::u16string_view(reinterpret_cast<const char16_t *>(s.utf16()),
                                       std::size_t(s.size()));
        };
        return units(a.text) < units(b.text);
    };
    // The game writes its album sorted, so an album read back seldom needs the sort.
    if (!std::is_sorted(entries.cbegin(), entries.cend(), before))
        std::stable_sort(entries.begin(), entries.end(), before);
    QSignalBlocker quiet(this);
    model_->reset(std::move(entries));
}

namespace album {

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
