#include "CustomerKanaSearch.h"

#include "FrmCustomerKanaSearch.h"

namespace rov2 {

CustomerKanaSearch::CustomerKanaSearch(QWidget* owner) : owner_(owner) {}

CustomerKanaSearch::~CustomerKanaSearch()
{
    if (window_)
        window_->deleteLater();
}

void CustomerKanaSearch::prepare()
{
    if (window_)
        window_->deleteLater();
    name_.clear();
    window_ = new FrmCustomerKanaSearch(dataPath_, owner_);
}

int CustomerKanaSearch::run()
{
    if (!window_)
        prepare();
    const int answer = window_->exec();
    // The window goes with its owner if that is closed meanwhile.
    if (answer != QDialog::Accepted || !window_)
        return QDialog::Rejected;
    name_ = window_->chosenName();
    return answer;
}

} // namespace rov2
