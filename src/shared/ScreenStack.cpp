#include "ScreenStack.h"

#include <QHash>
#include <QWidget>
#include <QtDebug>
#include <array>

namespace rov2 {

namespace {

constexpr int kDepth = 5;

std::array<QString, kDepth>& entries()
{
    static std::array<QString, kDepth> stack;
    return stack;
}

QHash<QString, std::function<QWidget*()>>& registry()
{
    static QHash<QString, std::function<QWidget*()>> screens;
    return screens;
}

QWidget* registeredScreen(const QString& name)
{
    const auto it = registry().constFind(name);
    return it == registry().constEnd() || !*it ? nullptr : (*it)();
}

void bringForward(QWidget* w)
{
    if (w->isMinimized())
        w->showNormal();
    else
        w->show();
    w->raise();
    w->activateWindow();
}

void push(const QString& name)
{
    auto& stack = entries();
    for (int i = kDepth - 1; i > 0; --i)
        stack[i] = stack[i - 1];
    stack[0] = name;
}

QString pop()
{
    auto& stack = entries();
    const QString top = stack[0];
    for (int i = 0; i < kDepth - 1; ++i)
        stack[i] = stack[i + 1];
    stack[kDepth - 1].clear();
    return top;
}

void showMainScreen()
{
    QWidget* main = registeredScreen(kMainScreenName);
    if (!main) {
        qWarning().noquote() << "screen stack: the main screen" << kMainScreenName << "cannot be loaded";
        return;
    }
    bringForward(main);
}

} // namespace

QVariant ScreenStack(StackOp operation, QWidget* screen)
{
    if (!screen || screen->objectName().isEmpty())
        return {};
    if (operation == StackOp::Push) {
        push(screen->objectName());
        return true;
    }
    const QString popped = pop();
    if (popped.isEmpty()) {
        showMainScreen();
        return false;
    }
    screen->showNormal();
    if (QWidget* below = registeredScreen(popped); below && below != screen)
        bringForward(below);
    return true;
}

void registerScreen(const QString& name, std::function<QWidget*()> getter)
{
    registry().insert(name, std::move(getter));
}

void unregisterScreen(const QString& name)
{
    registry().remove(name);
}

void checkScreenName(const QString& name, const QWidget* screen)
{
    if (screen->objectName() != name)
        qWarning().noquote() << "screen stack: the screen registered as" << name << "is called"
                             << screen->objectName();
}

QStringList screenStackEntries()
{
    QStringList names;
    for (const QString& name : entries()) {
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

void resetScreenStack()
{
    entries().fill(QString());
}

QWidget* screenNamed(const QString& name)
{
    return registeredScreen(name);
}

} // namespace rov2
