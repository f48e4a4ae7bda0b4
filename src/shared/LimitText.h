#pragma once

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

} // namespace rov2
