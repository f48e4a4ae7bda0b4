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

/// The caption as it is read out: "登録(&S)" gives "登録(S)", "&&" gives "&".
QString withoutMnemonic(const QString& caption);

} // namespace rov2
