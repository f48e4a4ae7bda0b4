#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class QWidget;

namespace rov2 {

/// The name of the main customer screen, which a POP on an empty stack brings up.
inline const QString kMainScreenName = QStringLiteral("FrmROV2");

/// The back-navigation stack of screen names (five entries, the newest on
/// top), shared by all screens for the whole run. A screen's name is its
/// objectName().
///
/// "PUSH": the hub button of @p screen records it before opening another
/// screen; the oldest entry falls off when all five are used. Returns true.
/// "POP": the back button of @p screen takes the top entry off. When the stack
/// was empty the main screen is loaded if need be and shown, and the result is
/// false (the caller stays open). Otherwise @p screen is set to the normal
/// window state and shown, the popped screen (when registered) is brought
/// forward, and the result is true: the caller then closes itself.
/// Any other operation changes nothing and returns true.
/// @return an invalid QVariant, doing nothing, when @p screen is null or has no
/// name; else a bool as above.
QVariant ScreenStack(const QString& operation, QWidget* screen);

/// Makes a screen reachable by name. @p getter returns the one instance of
/// the screen, loading it on the first call; nullptr when it cannot.
/// Registering a name again replaces its getter.
void registerScreen(const QString& name, std::function<QWidget*()> getter);
void unregisterScreen(const QString& name);

/// The registered screen of that name, loading it on first use; nullptr when
/// no screen of that name is registered or it cannot be loaded.
QWidget* screenNamed(const QString& name);

/// The entries from the top down, empty ones left out.
QStringList screenStackEntries();
/// Empties the stack (tests start from a fresh stack).
void resetScreenStack();

} // namespace rov2
