#include "PostalCodeSearch.h"

#include "FrmPostalCodeSearch.h"

namespace rov2 {

PostalCodeSearch::PostalCodeSearch(QWidget* owner) : owner_(owner) {}

PostalCodeSearch::~PostalCodeSearch()
{
    if (window_)
        window_->deleteLater();
}

void PostalCodeSearch::prepare()
{
    if (window_)
        window_->deleteLater();
    code_.clear();
    address_.clear();
    window_ = new FrmPostalCodeSearch(dictionaryPath_, owner_);
}

int PostalCodeSearch::run()
{
    if (!window_)
        prepare();
    const int answer = window_->exec();
    // The window goes with its owner if that is closed meanwhile.
    if (answer != QDialog::Accepted || !window_)
        return QDialog::Rejected;
    code_ = window_->chosenCode();
    address_ = window_->chosenAddress();
    return answer;
}

} // namespace rov2
