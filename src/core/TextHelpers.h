#pragma once

#include <QString>

namespace rov2 {

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
