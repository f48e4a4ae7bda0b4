#pragma once

#include "TypedSearchWindow.h"

namespace rov2 {

/// The postal-code search window: the leading digits of a code (three or
/// more, with or without "-") or any part of an address, searched as typed
/// (see findPostalCodes); each row shows the code and the address.
class FrmPostalCodeSearch : public TypedSearchWindow
{
    Q_OBJECT

public:
    /// @param dictionary the postal dictionary, opened read-only for every search.
    explicit FrmPostalCodeSearch(const QString& dictionary, QWidget* parent = nullptr);

    /// The chosen code as the dictionary stores it, and its address; empty until one is chosen.
    QString chosenCode() const { return code_; }
    QString chosenAddress() const { return address_; }

    static constexpr int kListLimit = 1000;

protected:
    std::optional<Found> find(const QString& text, QString* failure) override;
    QString countText(const QString& text, int rows, bool more) const override;
    void keep(const MatchTableModel::Row& row) override;

private:
    QString dictionary_;
    QString code_;
    QString address_;
};

/// A code as the list shows it: seven digits as "123-4567", anything else as stored.
QString displayedPostalCode(const QString& code);

} // namespace rov2
