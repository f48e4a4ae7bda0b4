#pragma once

#include <optional>

class QWidget;

namespace rov2 {

/// The dynamic property by which SetImeOpen records whether a widget takes
/// Japanese input. Qt 6's own QLineEdit does not honour
/// Qt::WA_InputMethodEnabled, so the program's input widgets override
/// inputMethodQuery() and answer Qt::ImEnabled from this property
/// (imeOpenSetting() reads it), falling back to their base class when it is unset.
inline constexpr char kImeOpenProperty[] = "rov2ImeOpen";

/// Switches the input method of @p w on (@p open non-zero: Japanese text) or
/// off (0: codes and numbers). Sets kImeOpenProperty, Qt::WA_InputMethodEnabled
/// and, when closed, Qt::ImhLatinOnly and Qt::ImhPreferLatin; an editable combo box passes the setting
/// on to its line edit. A widget that has the focus is updated at once.
/// A null widget is ignored.
void SetImeOpen(QWidget* w, int open);

/// What SetImeOpen last set on @p w; nothing when it never was.
std::optional<bool> imeOpenSetting(const QWidget* w);

} // namespace rov2
