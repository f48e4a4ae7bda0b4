#include "TextBox.h"

#include "SingleLineFilter.h"

namespace rov2 {

TextBox::TextBox(QWidget* parent) : LineInput(true, parent)
{
    setValidator(new SingleLineFilter(this));
}

} // namespace rov2
