#pragma once

#include <QString>

class QWidget;

namespace rov2 {

/// Keeps the text of a QLineEdit or an editable QComboBox within @p limit
/// units, counting two units for every character whatever its width (a limit
/// of 40 allows 20 characters).
/// @return true when the text fits. Otherwise the system beeps, the text is
/// cut to its first limit/2 characters, the control gets the focus, and the
/// result is false. False too, changing nothing, for a null control or one
/// without an editable text.
bool LimitTextLength(QWidget* control, int limit);

/// Mode 2: the text before the first character of code @p token; the whole
/// text when there is none. With token 0 this reads a fixed-length buffer
/// filled by the system up to its terminating NUL.
/// Any other mode returns the text unchanged.
QString CutText(const QString& text, int token, int mode);

/// Mode 2: the text before the first occurrence of @p token (compared
/// exactly); the whole text when it does not occur or the token is empty.
/// Any other mode returns the text unchanged.
QString CutText(const QString& text, const QString& token, int mode);

} // namespace rov2
