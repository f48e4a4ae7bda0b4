#pragma once

class QFrame;
class QLabel;
class QString;
class QWidget;

namespace rov2 {

/// The panel a screen shows while it works ("読込中です････"): a raised frame
/// over @p screen holding one centred line, hidden until shown.
/// @param line receives the line's label
QFrame* makeBusyPanel(QWidget* screen, QLabel*& line);

/// Shows @p text on the panel, centred over its screen, and paints it at once,
/// without taking the user's input meanwhile.
void showBusyPanel(QFrame* panel, QLabel* line, const QString& text);

} // namespace rov2
