#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>

namespace rov2 {

/// The name of the main customer screen, which a Pop on an empty stack brings up.
inline const QString kMainScreenName = QStringLiteral("FrmROV2");

enum class StackOp { Push, Pop };

/// The back-navigation stack of screen names (five entries, the newest on
/// top), shared by all screens for the whole run. A screen's name is its
/// objectName().
///
/// Push: the hub button of @p screen records it before opening another
/// screen; the oldest entry falls off when all five are used. Returns true.
/// Pop: the back button of @p screen takes the top entry off. When the stack
/// was empty the main screen is loaded if need be and shown, and the result is
/// false (the caller stays open). Otherwise @p screen is set to the normal
/// window state and shown, the popped screen (when registered) is brought
/// forward, and the result is true: the caller then closes itself.
/// @return an invalid QVariant, doing nothing, when @p screen is null or has no
/// name; else a bool as above.
QVariant ScreenStack(StackOp operation, QWidget* screen);

/// Makes a screen reachable by name. @p getter returns the one instance of
/// the screen, loading it on the first call; nullptr when it cannot.
/// Registering a name again replaces its getter.
void registerScreen(const QString& name, std::function<QWidget*()> getter);
void unregisterScreen(const QString& name);

/// Warns when a screen registered as @p name calls itself something else:
/// the stack would then record a name that finds nothing.
void checkScreenName(const QString& name, const QWidget* screen);

/// Registers the screen class @p Screen as @p name, the objectName it gives
/// itself. The first request creates it, runs @p setup on it and loads it
/// (Form_Load); closing it deletes it, and the next request loads it afresh.
/// Registering again starts from no instance.
template <class Screen>
void registerScreenType(const QString& name, std::function<void(Screen&)> setup = {})
{
    auto loaded = std::make_shared<QPointer<Screen>>();
    registerScreen(name, [name, loaded, setup = std::move(setup)]() -> QWidget* {
        if (!*loaded) {
            auto* screen = new Screen;
            screen->setAttribute(Qt::WA_DeleteOnClose);
            checkScreenName(name, screen);
            // Known before loading, so that a request during Form_Load finds this one.
            *loaded = screen;
            if (setup)
                setup(*screen);
            screen->Form_Load();
        }
        return loaded->data();
    });
}

/// The registered screen of that name, loading it on first use; nullptr when
/// no screen of that name is registered or it cannot be loaded.
QWidget* screenNamed(const QString& name);

/// The entries from the top down, empty ones left out.
QStringList screenStackEntries();
/// Empties the stack (tests start from a fresh stack).
void resetScreenStack();

} // namespace rov2
