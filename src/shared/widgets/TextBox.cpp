#include "TextBox.h"

namespace rov2 {

TextBox::TextBox(QWidget* parent) : LineInput(true, parent) {}

} // namespace rov2
