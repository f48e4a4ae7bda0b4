#include "CustomerSearch.h"

#include "FrmCustomerSearch.h"

namespace rov2 {

CustomerSearch::CustomerSearch(QWidget* owner) : owner_(owner) {}

CustomerSearch::~CustomerSearch()
{
    if (window_)
        window_->deleteLater();
}

void CustomerSearch::prepare()
{
    if (window_)
        window_->deleteLater();
    result_ = QVariant();
    window_ = new FrmCustomerSearch(dataPath_, owner_);
}

void CustomerSearch::showModal()
{
    if (!window_)
        prepare();
    const int answer = window_->exec();
    // The window goes with its owner if that is closed meanwhile.
    result_ = answer == QDialog::Accepted && window_ ? window_->chosenName() : QVariant();
}

} // namespace rov2
