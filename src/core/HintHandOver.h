#pragma once

#include <QString>

namespace rov2 {

/// What a screen's hint button hands to the hint editor.
struct HintHandOver {
    QString formName;
    QString controlName;
    QString formCaption;
};

} // namespace rov2
