#pragma once

#include "FrmCustomerSearch.h"

#include <QPointer>
#include <QString>
#include <QVariant>

namespace rov2 {

/// The customer search as the customer screen runs it:
///
///     CustomerSearch search(this);
///     search.setDataPath(env().locations.dataFile);
///     search.setWorkPath(env().locations.workFile);
///     search.prepare();
///     search.showModal();   // returns once the user chose or closed the window
///     const QVariant name = search.result();   // the 名称, or Null
///
/// Releasing the object closes its window.
class CustomerSearch
{
public:
    /// @param owner the window the search is shown over (it stays disabled meanwhile).
    explicit CustomerSearch(QWidget* owner = nullptr);
    ~CustomerSearch();
    CustomerSearch(const CustomerSearch&) = delete;
    CustomerSearch& operator=(const CustomerSearch&) = delete;

    void setDataPath(const QString& path) { dataPath_ = path; }
    /// Kept for the screen's order of calls; the search reads only the data file.
    void setWorkPath(const QString& path) { workPath_ = path; }
    QString dataPath() const { return dataPath_; }
    QString workPath() const { return workPath_; }

    /// Builds the window over the data file; the first of the two operations.
    void prepare();
    /// Shows the window until a choice or Esc (prepares it first when needed).
    void showModal();
    /// The chosen customer's name, or a null QVariant when none was chosen.
    QVariant result() const { return result_; }

    /// The window while the search is prepared or shown, for tests and the owner.
    FrmCustomerSearch* window() const { return window_; }

private:
    QPointer<QWidget> owner_;
    QString dataPath_;
    QString workPath_;
    QPointer<FrmCustomerSearch> window_;
    QVariant result_;
};

} // namespace rov2
