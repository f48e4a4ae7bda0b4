#include "CustomerListModel.h"

#include "Database.h"
#include "ListColumn.h"
#include "Query.h"

#include <QtDebug>

#include <algorithm>

namespace rov2 {
namespace listcol {
static_assert(Count == 7, "CustomerListModel::Row holds one value per column");

namespace {
struct ColumnInfo {
    const char* field;
    const char* caption;
};
constexpr ColumnInfo kColumns[Count] = {
    {"チェック", ""}, {"名称", "顧客名"}, {"ふりがな", "ふりがな"}, {"氏名", "家族氏名"},
    {"続柄", "続柄"}, {"住所1", "住所1"}, {"家族", "家族"},
};
} // namespace

QString fieldName(int column) { return QString::fromUtf8(kColumns[column].field); }
QString caption(int column) { return QString::fromUtf8(kColumns[column].caption); }

} // namespace listcol

namespace {

const QString kTable = QStringLiteral("w顧客リスト");

QString selectPage()
{
    QStringList fields;
    for (int c = 0; c < listcol::Count; ++c)
        fields << QLatin1Char('"') + listcol::fieldName(c) + QLatin1Char('"');
    return QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid BETWEEN ? AND ? ORDER BY rowid")
        .arg(fields.join(QStringLiteral(", ")), kTable);
}

} // namespace

CustomerListModel::CustomerListModel(QObject* parent, QString workFile)
    : QAbstractTableModel(parent), workFile_(std::move(workFile))
{
}

QString CustomerListModel::workFile() const
{
    return workFile_;
}

bool CustomerListModel::readRowIds(Database& db, std::optional<qint64> count)
{
    rows_ = 0;
    firstRowId_ = 0;
    rowIds_.clear();
    // Three statements rather than one: each alone has SQLite's short cut
    // (count(*) counts the table's pages without reading its rows, min and
    // max of the rowid look at one end), together they read every row.
    if (!count)
        count = db.count(QStringLiteral("SELECT count(*) AS num FROM %1").arg(kTable));
    if (!count)
        return false;
    if (*count == 0)
        return true;
    const std::optional<qint64> first = db.count(QStringLiteral("SELECT min(rowid) AS num FROM %1").arg(kTable));
    const std::optional<qint64> last = db.count(QStringLiteral("SELECT max(rowid) AS num FROM %1").arg(kTable));
    if (!first || !last)
        return false;
    if (*last - *first + 1 == *count) {
        firstRowId_ = *first;
        rows_ = static_cast<int>(*count);
        return true;
    }
    Query q = db.query(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(kTable));
    while (q.next())
        rowIds_ << q.value(0).toLongLong();
    if (!q.ok()) {
        rowIds_.clear();
        return false;
    }
    rows_ = static_cast<int>(rowIds_.size());
    return true;
}

bool CustomerListModel::refresh(std::optional<qint64> rows)
{
    beginResetModel();
    pages_.clear();
    auto db = Database::open(workFile());
    const bool ok = db && readRowIds(*db, rows);
    if (!ok) {
        rows_ = 0;
        rowIds_.clear();
        qWarning().noquote() << "customer list: cannot read" << kTable << "of" << workFile();
    }
    endResetModel();
    return ok;
}

void CustomerListModel::reloadRows()
{
    pages_.clear();
    if (rows_ > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, listcol::Count - 1));
}

bool CustomerListModel::readPage(int page, Page* out) const
{
    const int first = page * kPageRows;
    const int last = std::min(first + kPageRows, rows_) - 1;
    auto db = Database::open(workFile());
    if (!db)
        return false;
    Query q = db->query(selectPage(), {rowIdAt(first), rowIdAt(last)});
    // A row that went away meanwhile stays empty rather than shifting the others.
    out->rows = QVector<Row>(last - first + 1);
    int at = first;
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        while (at <= last && rowIdAt(at) < id)
            ++at;
        if (at > last)
            break;
        if (rowIdAt(at) != id)
            continue;
        Row& r = out->rows[at - first];
        for (int c = 0; c < listcol::Count; ++c)
            r[c] = q.value(c + 1);
    }
    if (!q.ok())
        qWarning().noquote() << "customer list: cannot read rows of" << kTable << ":" << db->lastError();
    return q.ok();
}

void CustomerListModel::dropOldestPage() const
{
    auto oldest = pages_.begin();
    for (auto it = pages_.begin(); it != pages_.end(); ++it)
        if (it->lastUse < oldest->lastUse)
            oldest = it;
    pages_.erase(oldest);
}

const CustomerListModel::Row* CustomerListModel::row(int r) const
{
    if (r < 0 || r >= rows_)
        return nullptr;
    const int page = r / kPageRows;
    auto it = pages_.find(page);
    if (it == pages_.end()) {
        Page fresh;
        if (!readPage(page, &fresh))
            return nullptr; // tried again when the grid next asks
        if (pages_.size() >= kKeptPages)
            dropOldestPage();
        it = pages_.insert(page, std::move(fresh));
    }
    it->lastUse = ++useClock_;
    return &it->rows.at(r - page * kPageRows);
}

bool CustomerListModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() && index.column() < columnCount();
}

int CustomerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int CustomerListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : listcol::Count; }

QString CustomerListModel::customerName(int r) const
{
    const Row* values = row(r);
    return values ? (*values)[listcol::名称].toString() : QString();
}

bool CustomerListModel::isMarked(int r) const
{
    const Row* values = row(r);
    return values && (*values)[listcol::チェック].toLongLong() != 0;
}

QVariant CustomerListModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    const bool check = index.column() == listcol::チェック;
    if (check && role == Qt::CheckStateRole)
        return isMarked(index.row()) ? Qt::Checked : Qt::Unchecked;
    if (check || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const Row* values = row(index.row());
    return values ? (*values)[index.column()] : QVariant();
}

QVariant CustomerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < listcol::Count)
        return listcol::caption(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CustomerListModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return index.column() == listcol::チェック ? base | Qt::ItemIsUserCheckable : base;
}

bool CustomerListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !isCell(index) || index.column() != listcol::チェック)
        return false;
    return setMarked(index.row(), value.toInt() == Qt::Checked);
}

bool CustomerListModel::setMarked(int r, bool marked)
{
    if (r < 0 || r >= rowCount() || !row(r))
        return false;
    if (isMarked(r) == marked)
        return true;
    auto db = Database::open(workFile());
    const bool ok = db && db->execute(QStringLiteral("UPDATE %1 SET チェック = ? WHERE rowid = ?").arg(kTable),
                                      {marked, rowIdAt(r)}) &&
                    db->changes() == 1;
    if (!ok) {
        qWarning().noquote() << "customer list: cannot store the mark of row" << r + 1 << "in" << workFile();
        return false;
    }
    // The page may have been dropped meanwhile: row() reads it again, already marked.
    if (auto it = pages_.find(r / kPageRows); it != pages_.end())
        it->rows[r % kPageRows][listcol::チェック] = marked ? -1 : 0;
    const QModelIndex cell = index(r, listcol::チェック);
    Q_EMIT dataChanged(cell, cell, {Qt::CheckStateRole});
    return true;
}

} // namespace rov2
