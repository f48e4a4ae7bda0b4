#pragma once

#include "FrmCustomerKanaSearch.h"

#include <QPointer>
#include <QString>

namespace rov2 {

/// The customer search in kana syllabary order as the customer screen runs it:
///
///     CustomerKanaSearch search(this);
///     search.setDataPath(env().locations.dataFile);
///     search.setWorkPath(env().locations.workFile);
///     search.prepare();
///     search.run();          // its answer (accepted or not) is not needed
///     const QString name = search.name();   // empty when closed without a choice
class CustomerKanaSearch
{
public:
    explicit CustomerKanaSearch(QWidget* owner = nullptr);
    ~CustomerKanaSearch();
    CustomerKanaSearch(const CustomerKanaSearch&) = delete;
    CustomerKanaSearch& operator=(const CustomerKanaSearch&) = delete;

    void setDataPath(const QString& path) { dataPath_ = path; }
    /// Kept for the screen's order of calls; the search reads only the data file.
    void setWorkPath(const QString& path) { workPath_ = path; }
    QString dataPath() const { return dataPath_; }
    QString workPath() const { return workPath_; }

    /// Builds the window over the data file.
    void prepare();
    /// Shows the window until a choice or Esc (prepares it first when needed).
    /// @return QDialog::Accepted when a customer was chosen, else QDialog::Rejected.
    int run();
    /// The chosen customer's name; the empty text when none was chosen.
    QString name() const { return name_; }

    FrmCustomerKanaSearch* window() const { return window_; }

private:
    QPointer<QWidget> owner_;
    QString dataPath_;
    QString workPath_;
    QPointer<FrmCustomerKanaSearch> window_;
    QString name_;
};

} // namespace rov2
