#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>
#include <QVector>

#include <optional>

namespace rov2 {

/// The thirty slots of the work table wコードマスタ as the code-table grid
/// shows and edits them. Each value given to setData() is written to the
/// work table at once, so that saving reads what the grid shows; the model
/// keeps a copy of the rows only to answer data() quickly.
///
/// An empty text is stored as Null, so that a cleared name frees its slot.
class CodeTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    /// @param workFile the work file that holds the slots being edited.
    CodeTableModel(QObject* parent, QString workFile);

    QString workFile() const;

    /// Reads the work table again in row order.
    /// @return false when it could not be read (the model is then empty).
    bool refresh();

    /// True when some slot has a name.
    bool hasAnyName() const;
    /// Flips the mark of @p row. @return false when it could not be stored.
    bool toggleMark(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Writes one cell to the work table. The mark takes only True (-1, a
    /// checked state) or False; any other value clears the mark and is refused.
    /// @return true only when the value given was stored.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    /// @p value could not be written to the work table (a full disk, a
    /// locked file); the cell keeps what is stored.
    void writeFailed(int row, int column, const QVariant& value);

private:
    struct Row {
        qint64 rowId = -1;
        QVector<QVariant> values; ///< one per column, the unbound one always Null
    };

    bool isCell(const QModelIndex& index) const;
    std::optional<QVector<Row>> readRows() const;
    bool writeCell(int row, int column, const QVariant& value);

    QString workFile_;
    QVector<Row> rows_;
};

} // namespace rov2
