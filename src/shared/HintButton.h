#pragma once

#include <QString>

class QWidget;

namespace rov2 {

struct HintHandOver;

/// The name under which the hint editor is registered.
inline const QString kHintScreenName = QStringLiteral("FrmHint");

/// What every screen's hint button does: hands over @p screen's name, the
/// button's name and the screen's caption in @p handOver (what the hint
/// editor reads), then brings up the hint editor
/// (not modal). An editor that is open already keeps the note it shows.
/// @return the editor, or nullptr when it is not part of this build.
QWidget* openHintEditor(QWidget* screen, const QString& buttonName, HintHandOver& handOver);

} // namespace rov2
