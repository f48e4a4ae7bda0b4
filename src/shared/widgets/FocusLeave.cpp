#include "FocusLeave.h"

#include <QApplication>

namespace rov2 {

bool isFocusLeave(const QWidget* widget, const QFocusEvent* event)
{
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return false;
    // A popup window names its owner as parent, so this also finds the
    // widget's own drop-down when the focus goes there without a popup reason.
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (w == widget)
            return false;
    }
    return true;
}

} // namespace rov2
