#pragma once

#include <QFocusEvent>
#include <QWidget>

namespace rov2 {

/// True when @p event takes the focus from @p widget to another input of the
/// same window: the moment the screens run their leave checks. Not when a
/// popup opens (the widget's own drop-down or a context menu), not when the
/// whole window loses the activation (another window or a message box comes
/// up), and not when the focus goes to a part of the widget itself.
bool isFocusLeave(const QWidget* widget, const QFocusEvent* event);

} // namespace rov2
