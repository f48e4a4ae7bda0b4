#pragma once

#include <QString>

class QWidget;

namespace rov2 {

/// Names a control for assistive technology and for tests: its caption
/// becomes the accessible name (a mnemonic '&' removed), its control name
/// (e.g. "cmb顧客名") the objectName and the accessible description. A control
/// without a caption is named by its control name without the type prefix
/// ("顧客名"). A null widget is ignored.
void nameControl(QWidget* w, const QString& controlName, const QString& caption);

/// Names a control that shows a value (a count, the busy text, progress):
/// the control name becomes the objectName and the accessible description,
/// and no fixed accessible name is set, so that a screen reader speaks what
/// the control shows ("登録数 1,234"), not a caption. A null widget is ignored.
void nameValueControl(QWidget* w, const QString& controlName);

/// The caption as it is read out: "登録(&S)" gives "登録(S)", "&&" gives "&".
QString withoutMnemonic(const QString& caption);

} // namespace rov2
