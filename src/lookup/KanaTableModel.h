#pragma once

#include <QAbstractTableModel>

namespace rov2 {

/// The kana syllabary as a table: a column per row of the syllabary (あ, か,
/// さ ... わ), a row per vowel (あ い う え お), を and ん in the わ column,
/// and one cell "他" for readings that begin with no kana. Cells without a
/// kana (yi, ye, wu ...) are empty and cannot be chosen.
class KanaTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    /// The kana of a cell; empty for the cell "他" and for cells without a kana.
    QString kanaAt(const QModelIndex& index) const;
    /// The cell of a plain kana; "" is the cell "他"; invalid for anything else.
    QModelIndex indexOf(const QString& kana) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    /// The text of the cell for readings without a kana.
    static QString othersText() { return QStringLiteral("他"); }
};

} // namespace rov2
