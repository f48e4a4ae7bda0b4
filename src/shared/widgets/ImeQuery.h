#pragma once

#include <QVariant>
#include <QWidget>

namespace rov2 {

/// Hints that keep the input method on Latin input while it is off.
inline constexpr Qt::InputMethodHints kImeClosedHints = Qt::ImhLatinOnly | Qt::ImhPreferLatin;

/// What SetImeOpen last set on @p widget, or @p byDefault when it never was.
bool imeOpenFor(const QWidget* widget, bool byDefault);

/// Corrects what a base class answered to an input-method query. Qt 6's
/// QLineEdit says ImEnabled whatever Qt::WA_InputMethodEnabled is, so the
/// answer follows SetImeOpen's property instead; ImHints gains or loses the
/// Latin hints to match. Other queries pass unchanged.
QVariant imeQueryAnswer(const QWidget* widget, Qt::InputMethodQuery query, const QVariant& answer,
                        bool byDefault);

} // namespace rov2
