#pragma once

#include "LineInput.h"

namespace rov2 {

/// A one-line text input. The input method is on unless the property
/// rov2ImeOpen says otherwise; Enter/Down and Up move through the window.
class TextBox : public LineInput
{
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);
};

} // namespace rov2
