#include "FamilyTableModel.h"

#include "Database.h"
#include "DateText.h"
#include "FamilyColumn.h"
#include "JapaneseDate.h"
#include "Query.h"

#include <QLocale>
#include <QtDebug>
#include <cmath>

namespace rov2 {
namespace {

const QString kTable = QStringLiteral("w家族情報");

QString quotedField(int column)
{
    return QLatin1Char('"') + family::fieldName(column) + QLatin1Char('"');
}

QString selectStatement()
{
    QStringList fields;
    for (int c = 0; c < family::ColumnCount; ++c)
        fields << quotedField(c);
    return QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid")
        .arg(fields.join(QStringLiteral(", ")), kTable);
}

/// Reads a date picked in the date box or typed in any of the forms the screens show.
std::optional<QDate> dateFrom(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate) {
        const QDate d = value.toDate();
        return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
    }
    return readTypedDate(value.toString());
}

/// A number as the table keeps it: whole numbers as integers.
std::optional<QVariant> numberFrom(const QVariant& value)
{
    bool ok = false;
    const double n = QLocale::c().toDouble(value.toString().trimmed(), &ok);
    if (!ok || !std::isfinite(n))
        return std::nullopt;
    if (n == std::floor(n) && std::abs(n) < 1e15)
        return QVariant(static_cast<qlonglong>(n));
    return QVariant(n);
}

/// Runs an update that must change exactly one row.
bool updateOneRow(const QString& file, const QString& sql, const QVariantList& params, QString* error)
{
    auto db = Database::open(file, error);
    if (!db)
        return false;
    if (!db->execute(sql, params)) {
        *error = db->lastError();
        return false;
    }
    if (db->changes() != 1) {
        *error = QStringLiteral("the row is no longer in the table");
        return false;
    }
    return true;
}

bool isEmptyValue(const QVariant& value)
{
    return value.isNull() || (value.typeId() != QMetaType::QDate && value.toString().isEmpty());
}

} // namespace

FamilyTableModel::FamilyTableModel(QObject* parent, QString workFile, const CompanySettings& settings)
    : QAbstractTableModel(parent), workFile_(std::move(workFile)), settings_(settings)
{
}

bool FamilyTableModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() &&
           index.column() < columnCount();
}

QString FamilyTableModel::workFile() const
{
    return workFile_;
}

void FamilyTableModel::setEraCalendar(bool era)
{
    if (era_ == era)
        return;
    era_ = era;
    if (!rows_.isEmpty())
        Q_EMIT dataChanged(index(0, family::生年月日), index(rowCount() - 1, family::生年月日),
                           {Qt::DisplayRole});
}

bool FamilyTableModel::eraCalendar() const
{
    return era_.value_or(settings_.eraCalendar());
}

bool FamilyTableModel::refresh()
{
    std::optional<QVector<Row>> rows = readRows();
    beginResetModel();
    rows_ = rows ? std::move(*rows) : QVector<Row>();
    endResetModel();
    return rows.has_value();
}

void FamilyTableModel::clearRows()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

std::optional<QVector<FamilyTableModel::Row>> FamilyTableModel::readRows() const
{
    QString error;
    auto db = Database::open(workFile(), &error);
    if (!db) {
        qWarning().noquote() << "family grid: cannot open the work file" << workFile() << ":" << error;
        return std::nullopt;
    }
    Query q = db->query(selectStatement());
    QVector<Row> rows;
    while (q.next()) {
        Row row{q.value(0).toLongLong(), {}};
        for (int c = 0; c < family::ColumnCount; ++c)
            row.values << q.value(c + 1);
        rows << row;
    }
    if (!q.ok()) {
        qWarning().noquote() << "family grid: cannot read" << kTable << ":" << db->lastError();
        return std::nullopt;
    }
    return rows;
}

int FamilyTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FamilyTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : family::ColumnCount;
}

QVariant FamilyTableModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return {};
    const QVariant& stored = rows_.at(index.row()).values.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return displayValue(index.column(), stored);
    case Qt::EditRole:
        return editValue(index.column(), stored);
    case Qt::TextAlignmentRole:
        if (index.column() == family::誕生月 || index.column() == family::年齢)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    default:
        return {};
    }
}

QVariant FamilyTableModel::displayValue(int column, const QVariant& stored) const
{
    if (column != family::生年月日 || stored.isNull())
        return stored;
    return gridDateText(stored, eraCalendar());
}

QVariant FamilyTableModel::editValue(int column, const QVariant& stored) const
{
    if (column != family::生年月日 || stored.isNull())
        return stored;
    const std::optional<QDate> date = fromStoredDate(stored.toString());
    return date ? QVariant(*date) : stored;
}

QVariant FamilyTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < family::ColumnCount)
        return family::fieldName(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags FamilyTableModel::flags(const QModelIndex& index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    // 性別 is chosen from its pick list, never typed; 名称 belongs to the record routines.
    if (index.column() == family::性別 || index.column() == family::名称)
        return base;
    return base | Qt::ItemIsEditable;
}

bool FamilyTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !isCell(index))
        return false;
    const int row = index.row();
    const int column = index.column();
    const std::optional<QVariant> stored = storedValue(column, value);
    if (!stored) {
        writeCells(row, {{column, QVariant()}});
        return false;
    }
    Cells cells{{column, *stored}};
    if (column == family::生年月日 && !stored->isNull())
        cells.append({family::年齢, ageToShow(stored->toString(), QVariant(), Clock::today())});
    if (!writeCells(row, cells))
        return false;
    Q_EMIT valueStored(row, column);
    return true;
}

std::optional<QVariant> FamilyTableModel::storedValue(int column, const QVariant& value) const
{
    if (isEmptyValue(value))
        return QVariant();
    if (column == family::生年月日) {
        const std::optional<QDate> date = dateFrom(value);
        return date ? std::optional<QVariant>(toStoredDate(*date)) : std::nullopt;
    }
    if (column == family::誕生月 || column == family::年齢)
        return numberFrom(value);
    return QVariant(value.toString());
}

bool FamilyTableModel::writeCells(int row, const Cells& cells)
{
    QStringList assignments;
    QVariantList params;
    for (const auto& [column, value] : cells) {
        assignments << quotedField(column) + QStringLiteral(" = ?");
        params << value;
    }
    params << rows_.at(row).rowId;
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                            .arg(kTable, assignments.join(QStringLiteral(", ")));
    QString error;
    if (!updateOneRow(workFile(), sql, params, &error)) {
        qWarning().noquote() << "family grid: cannot store row" << row + 1 << "in" << workFile() << ":"
                             << error;
        return false;
    }
    for (const auto& [column, value] : cells) {
        rows_[row].values[column] = value;
        Q_EMIT dataChanged(index(row, column), index(row, column));
    }
    return true;
}

} // namespace rov2
