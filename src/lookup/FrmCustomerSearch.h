#pragma once

#include "CustomerLookup.h"
#include "TypedSearchWindow.h"

#include <QVariant>

#include <functional>
#include <memory>

class QThread;

namespace rov2 {

/// The customer search window: one input, searched as it changes, matched
/// against any part of the name, reading, address lines and telephone numbers
/// (see findCustomers), the customers listed in the order of their readings.
class FrmCustomerSearch : public TypedSearchWindow
{
    Q_OBJECT

public:
    /// How the customers are read: CustomerIndex::load unless a test holds the reading back.
    using IndexLoad = std::function<std::optional<CustomerIndex>(const QString& dataFile, QString* error)>;

    /// @param dataFile the data file whose 顧客マスタ is searched: read anew
    /// each time a window opens, on a thread of its own so that the user can
    /// type at once; what was typed meanwhile is searched as the customers
    /// arrive, every later change in memory.
    explicit FrmCustomerSearch(const QString& dataFile, QWidget* parent = nullptr, IndexLoad load = {});
    /// Waits for a reading still under way: it uses the file and the collator.
    ~FrmCustomerSearch() override;

    /// The chosen customer's name; a null QVariant until one is chosen.
    QVariant chosenName() const { return chosen_; }
    /// True once the customers are read and the searches answer from them.
    bool customersRead() const { return index_.has_value(); }

    /// The most customers listed; a user who sees that there are more types on.
    static constexpr int kListLimit = 1000;

protected:
    std::optional<Found> find(const QString& text, QString* failure) override;
    QString countText(const QString& text, int rows, bool more) const override;
    void keep(const MatchTableModel::Row& row) override;

private:
    struct Reading {
        std::optional<CustomerIndex> index;
        QString error;
    };
    void startReading();
    /// Takes the customers read, or says that they could not be, and searches the text as it is now.
    void arrived(Reading& reading);

    QString dataFile_;
    IndexLoad load_;
    std::unique_ptr<QThread> reader_;
    bool reading_ = false; ///< a reading is under way and has not arrived
    std::optional<CustomerIndex> index_;
    bool unreadable_ = false; ///< the last reading failed and is not yet said
    QVariant chosen_;
};

/// The rows of the customer lists: name, reading, first address line, telephone; the name is the key.
QVector<MatchTableModel::Row> customerRows(const CustomerMatches& matches);

} // namespace rov2
