#pragma once

#include "CustomerLookup.h"
#include "TypedSearchWindow.h"

#include <QVariant>

namespace rov2 {

/// The customer search window: one input, searched as it changes, matched
/// against any part of the name, reading, address lines and telephone numbers
/// (see findCustomers), the customers listed in the order of their readings.
class FrmCustomerSearch : public TypedSearchWindow
{
    Q_OBJECT

public:
    /// @param dataFile the data file whose 顧客マスタ is searched: read once when
    /// the window opens (again when a search finds it unread), then searched in memory.
    explicit FrmCustomerSearch(const QString& dataFile, QWidget* parent = nullptr);

    /// The chosen customer's name; a null QVariant until one is chosen.
    QVariant chosenName() const { return chosen_; }

    /// The most customers listed; a user who sees that there are more types on.
    static constexpr int kListLimit = 1000;

protected:
    std::optional<Found> find(const QString& text, QString* failure) override;
    QString countText(const QString& text, int rows, bool more) const override;
    void keep(const MatchTableModel::Row& row) override;

private:
    QString dataFile_;
    std::optional<CustomerIndex> index_;
    QVariant chosen_;
};

/// The rows of the customer lists: name, reading, first address line, telephone; the name is the key.
QVector<MatchTableModel::Row> customerRows(const CustomerMatches& matches);

} // namespace rov2
