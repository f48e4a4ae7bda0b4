#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

#include <array>
#include <optional>

namespace rov2 {

class Database;

/// The rows of the work table w顧客リスト as the list grid shows them. With
/// a hundred thousand customers and their families the list runs to several
/// hundred thousand rows: the model keeps only the row ids, in table order,
/// (or only the first, when they run without a gap), and reads the rows themselves a page at a time as the grid asks for them,
/// holding a few pages. Only the check column is editable; a tick is written
/// to the table at once (one UPDATE of that row), so that every later action
/// reads the marks from the table.
class CustomerListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    /// @param workFile the work file that holds the list table.
    CustomerListModel(QObject* parent, QString workFile);

    void setWorkFile(const QString& path) { workFile_ = path; }
    QString workFile() const;

    /// Reads the row ids again after the table was refilled.
    /// @param rows the table's rows when the caller knows them (it has just
    /// refilled the table), which spares counting them.
    /// @return false when the table could not be read (the model is then empty).
    bool refresh(std::optional<qint64> rows = std::nullopt);
    /// Forgets the rows read so far, keeping the row ids: after the marks of
    /// many rows changed behind the model's back.
    void reloadRows();

    /// 名称 of a row: the customer, also on a family row; empty when unknown.
    QString customerName(int row) const;
    bool isMarked(int row) const;
    /// Ticks or clears a row's mark. @return true when the table holds the new mark.
    bool setMarked(int row, bool marked);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    /// Only Qt::CheckStateRole of the check column is stored.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::CheckStateRole) override;

    /// Rows read per page, and how many pages are kept at most.
    static constexpr int kPageRows = 256;
    static constexpr int kKeptPages = 16;

private:
    using Row = std::array<QVariant, 7>; // one value per column of ListColumn.h
    struct Page {
        QVector<Row> rows;
        quint64 lastUse = 0;
    };

    bool isCell(const QModelIndex& index) const;
    const Row* row(int r) const;
    bool readPage(int page, Page* out) const;
    void dropOldestPage() const;

    QString workFile_;
    qint64 rowIdAt(int row) const { return rowIds_.isEmpty() ? firstRowId_ + row : rowIds_.at(row); }
    bool readRowIds(Database& db, std::optional<qint64> count);

    // A list refilled in one statement holds the row ids first, first + 1, ...
    // and needs no table of them; only a list with gaps keeps one.
    int rows_ = 0;
    qint64 firstRowId_ = 0;
    QVector<qint64> rowIds_;
    mutable QHash<int, Page> pages_;
    mutable quint64 useClock_ = 0;
};

} // namespace rov2
