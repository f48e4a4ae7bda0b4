#pragma once

#include "FrmPostalCodeSearch.h"

#include <QPointer>
#include <QString>

namespace rov2 {

/// The postal-code search as the customer screen runs it:
///
///     PostalCodeSearch search(this);
///     search.setDataPath(env().locations.dataFile);
///     search.setWorkPath(env().locations.workFile);
///     search.setDictionaryPath(env().locations.postalFile);
///     search.prepare();
///     search.run();
///     if (!search.postalCode().isEmpty()) ... search.postalCode(), search.address()
///
/// The dictionary is only read. The screen checks that it exists before.
class PostalCodeSearch
{
public:
    explicit PostalCodeSearch(QWidget* owner = nullptr);
    ~PostalCodeSearch();
    PostalCodeSearch(const PostalCodeSearch&) = delete;
    PostalCodeSearch& operator=(const PostalCodeSearch&) = delete;

    /// Kept for the screen's order of calls; the search reads only the dictionary.
    void setDataPath(const QString& path) { dataPath_ = path; }
    void setWorkPath(const QString& path) { workPath_ = path; }
    void setDictionaryPath(const QString& path) { dictionaryPath_ = path; }
    QString dataPath() const { return dataPath_; }
    QString workPath() const { return workPath_; }
    QString dictionaryPath() const { return dictionaryPath_; }

    /// Builds the window over the dictionary.
    void prepare();
    /// Shows the window until a choice or Esc (prepares it first when needed).
    /// @return QDialog::Accepted when an address was chosen, else QDialog::Rejected.
    int run();
    /// The chosen code as the dictionary stores it ("1000001"); empty when none was chosen.
    QString postalCode() const { return code_; }
    /// The chosen address: prefecture, city and town joined; empty when none was chosen.
    QString address() const { return address_; }

    FrmPostalCodeSearch* window() const { return window_; }

private:
    QPointer<QWidget> owner_;
    QString dataPath_;
    QString workPath_;
    QString dictionaryPath_;
    QPointer<FrmPostalCodeSearch> window_;
    QString code_;
    QString address_;
};

} // namespace rov2
