#include "CodeTableModel.h"

#include "CodeColumn.h"

#include "Database.h"
#include "Query.h"

#include <QtDebug>

namespace rov2 {

using namespace codes;

namespace {

const QString kTable = QStringLiteral("wコードマスタ");

/// The stored field of a column; empty for the unbound one.
QString fieldOf(int column)
{
    switch (column) {
    case 行番号: return QStringLiteral("行番号");
    case チェック: return QStringLiteral("チェック");
    case code: return QStringLiteral("code");
    case sname: return QStringLiteral("sname");
    case 性別: return QStringLiteral("性別");
    default: return {};
    }
}

bool isMarked(const QVariant& stored) { return !stored.isNull() && stored.toLongLong() != 0; }

/// The mark as stored (-1 or 0), or nothing for a value that is neither True nor False.
std::optional<bool> markFrom(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
        if (value.toLongLong() == -1)
            return true;
        if (value.toLongLong() == 0)
            return false;
        return std::nullopt;
    default:
        if (value.toString() == QLatin1String("-1"))
            return true;
        if (value.toString() == QLatin1String("0"))
            return false;
        return std::nullopt;
    }
}

} // namespace

CodeTableModel::CodeTableModel(QObject* parent, QString workFile)
    : QAbstractTableModel(parent), workFile_(std::move(workFile))
{
}

QString CodeTableModel::workFile() const { return workFile_; }

bool CodeTableModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() && index.column() < ColumnCount;
}

bool CodeTableModel::refresh()
{
    std::optional<QVector<Row>> rows = readRows();
    beginResetModel();
    rows_ = rows ? std::move(*rows) : QVector<Row>();
    endResetModel();
    return rows.has_value();
}

std::optional<QVector<CodeTableModel::Row>> CodeTableModel::readRows() const
{
    QString error;
    auto db = Database::open(workFile(), &error);
    if (!db) {
        qWarning().noquote() << "code table grid: cannot open the work file" << workFile() << ":" << error;
        return std::nullopt;
    }
    Query q = db->query(QStringLiteral("SELECT 行番号, チェック, code, sname, 性別 FROM wコードマスタ ORDER BY 行番号"));
    QVector<Row> rows;
    while (q.next())
        rows.append({q.value(0).toLongLong(), {q.value(0), q.value(1), q.value(2), q.value(3), {}, q.value(4)}});
    if (!q.ok()) {
        qWarning().noquote() << "code table grid: cannot read" << kTable << ":" << db->lastError();
        return std::nullopt;
    }
    return rows;
}

bool CodeTableModel::hasAnyName() const
{
    for (const Row& r : rows_)
        if (!r.values.at(sname).toString().isEmpty())
            return true;
    return false;
}

bool CodeTableModel::toggleMark(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    return writeCell(row, チェック, !isMarked(rows_.at(row).values.at(チェック)));
}

int CodeTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CodeTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant CodeTableModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    const QVariant& stored = rows_.at(index.row()).values.at(index.column());
    if (index.column() == チェック) {
        if (role == Qt::CheckStateRole)
            return isMarked(stored) ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::EditRole)
            return isMarked(stored);
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return stored;
    return {};
}

QVariant CodeTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == sname)
        return QStringLiteral("名　　称");
    if (section == チェック)
        return QString();
    return fieldOf(section);
}

Qt::ItemFlags CodeTableModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    switch (index.column()) {
    case チェック: return base | Qt::ItemIsUserCheckable;
    case sname: return base | Qt::ItemIsEditable;
    default: return base; // codes are fixed; the gender comes from its list
    }
}

bool CodeTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!isCell(index) || index.column() == Unbound || index.column() == 行番号)
        return false;
    if (index.column() == チェック) {
        if (role != Qt::EditRole && role != Qt::CheckStateRole)
            return false;
        // A click on the check box arrives as a check state.
        const std::optional<bool> mark =
            role == Qt::CheckStateRole ? std::optional<bool>(value.toInt() == Qt::Checked) : markFrom(value);
        if (!mark) {
            writeCell(index.row(), チェック, false);
            return false;
        }
        return writeCell(index.row(), チェック, *mark);
    }
    if (role != Qt::EditRole)
        return false;
    const QString text = value.isNull() ? QString() : value.toString();
    return writeCell(index.row(), index.column(), text.isEmpty() ? QVariant() : QVariant(text));
}

bool CodeTableModel::writeCell(int row, int column, const QVariant& value)
{
    // The mark is kept as -1 or 0, as the stored files have it.
    const QVariant stored = value.typeId() == QMetaType::Bool ? QVariant(value.toBool() ? -1 : 0) : value;
    if (rows_.at(row).values.at(column) == stored && rows_.at(row).values.at(column).isNull() == stored.isNull())
        return true;
    QString error;
    auto db = Database::open(workFile(), &error);
    bool ok = false;
    if (db) {
        ok = db->execute(QStringLiteral("UPDATE wコードマスタ SET \"%1\" = ? WHERE 行番号 = ?").arg(fieldOf(column)),
                         {stored, rows_.at(row).rowId});
        ok = ok && db->changes() == 1;
        if (!ok)
            error = db->lastError().isEmpty() ? QStringLiteral("the row is no longer in the table") : db->lastError();
    }
    if (!ok) {
        qWarning().noquote() << "code table grid: cannot store row" << row + 1 << ":" << error;
        Q_EMIT writeFailed(row, column, value);
        return false;
    }
    rows_[row].values[column] = stored;
    Q_EMIT dataChanged(index(row, column), index(row, column));
    return true;
}

} // namespace rov2
