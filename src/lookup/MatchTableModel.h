#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

namespace rov2 {

/// The read-only rows a look-up found, as the list of its window shows them.
/// Each row keeps the value the look-up answers with when it is chosen
/// (a name, a code), which need not be one of the shown texts.
class MatchTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Row {
        QStringList cells;
        QString key;
    };

    MatchTableModel(QStringList headers, QObject* parent = nullptr);

    void setRows(QVector<Row> rows);
    const Row& rowAt(int row) const { return rows_.at(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList headers_;
    QVector<Row> rows_;
};

} // namespace rov2
