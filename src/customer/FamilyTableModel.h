#pragma once

#include "CompanySettings.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

namespace rov2 {

/// The rows of the work table w家族情報, as the family grid shows and edits
/// them. Each cell that is stored is written to the work table at once, so
/// that saving the customer reads what the grid shows; the model keeps a copy
/// of the rows only to answer data() quickly.
///
/// Stored values follow the table's conventions: an empty text is Null, a
/// birth date is the text "yyyy/mm/dd", 誕生月 and 年齢 are numbers.
class FamilyTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    /// @param workFile the work file that holds w家族情報.
    /// @param settings read each time a birth date is shown (setEraCalendar);
    /// must outlive the model.
    FamilyTableModel(QObject* parent, QString workFile, const CompanySettings& settings);

    void setWorkFile(const QString& path) { workFile_ = path; }
    QString workFile() const;

    /// Reads the work table again, all its rows in table order. Call it after
    /// the table was rewritten behind the grid's back.
    /// @return false when the table could not be read (the model is then empty).
    bool refresh();
    /// Holds no rows until the next refresh().
    void clearRows();

    /// Shows 生年月日 as "gee/mm/dd" (era) or "yyyy/mm/dd". Until it is set,
    /// the setting 年号 of the settings handed in decides each time a cell is
    /// shown.
    void setEraCalendar(bool era);
    bool eraCalendar() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Writes one cell to the work table. A birth date that is not a date and
    /// an age or birth month that is not a number are refused: the cell becomes
    /// Null and false is returned. A valid birth date also sets 年齢 to the age
    /// on today's date. @return true only when the value given was stored.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    /// A value given to setData() was stored (not emitted for refused values
    /// nor for the age that follows from a birth date).
    void valueStored(int row, int column);

private:
    struct Row
    {
        qint64 rowId = -1;
        QVector<QVariant> values;
    };
    using Cells = QList<QPair<int, QVariant>>;

    bool isCell(const QModelIndex& index) const;
    std::optional<QVector<Row>> readRows() const;
    bool writeCells(int row, const Cells& cells);
    std::optional<QVariant> storedValue(int column, const QVariant& value) const;
    QVariant displayValue(int column, const QVariant& stored) const;
    QVariant editValue(int column, const QVariant& stored) const;

    QString workFile_;
    const CompanySettings& settings_;
    std::optional<bool> era_;
    QVector<Row> rows_;
};

} // namespace rov2
