#pragma once

#include "CustomerLookup.h"

#include <QDialog>

#include <optional>

class QLabel;
class QTableView;

namespace rov2 {

class KanaTableModel;
class MatchList;
class MatchTableModel;

/// The customer search in kana syllabary order: a table of the kana; the
/// current kana lists the customers whose reading begins with it (see
/// findCustomersByKana), in the order of their readings. Arrows move in the
/// table, Enter goes into the list, Enter or a double-click there chooses,
/// Up on the list's first row goes back to the table, Esc closes.
class FrmCustomerKanaSearch : public QDialog
{
    Q_OBJECT

public:
    /// @param dataFile the data file whose 顧客マスタ is read once, when the
    /// window first lists (again when a listing finds it unread); each kana
    /// then lists from memory.
    explicit FrmCustomerKanaSearch(const QString& dataFile, QWidget* parent = nullptr);

    /// Lists the customers under @p kana (a plain kana of the table, or "" for "他")
    /// and makes it the table's current cell.
    void List顧客(const QString& kana);

    /// The chosen customer's name; empty until one is chosen.
    QString chosenName() const { return chosen_; }

    /// The most customers listed under one kana.
    static constexpr int kListLimit = 5000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int row);
    void listCurrent();
    /// Reads the customers unless they have been. @return false when the file could not be read.
    bool readCustomers();

    QString dataFile_;
    std::optional<CustomerIndex> index_;
    QString chosen_;
    QString listed_;
    bool haveListed_ = false;
    KanaTableModel* kanaModel_ = nullptr;
    QTableView* kana_ = nullptr;
    MatchTableModel* model_ = nullptr;
    MatchList* list_ = nullptr;
    QLabel* count_ = nullptr;
};

} // namespace rov2
