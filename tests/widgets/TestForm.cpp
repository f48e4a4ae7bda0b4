#include "TestForm.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

namespace rov2::test {

TestForm::TestForm() : layout_(new QVBoxLayout(&window_))
{
    window_.resize(320, 400);
}

bool TestForm::show()
{
    window_.show();
    QApplication::setActiveWindow(&window_);
    return QTest::qWaitForWindowActive(&window_);
}

namespace {

// Sent to the widget rather than to the focus window: the offscreen platform
// does not hand the activation back to the window when a popup closes.
QWidget* keyTarget()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget();
}

} // namespace

void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(keyTarget(), key, modifiers);
}

// Latin characters come as key presses; Japanese text comes as the input
// method delivers it, a committed string.
void type(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(keyTarget(), c.toLatin1());
            continue;
        }
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QCoreApplication::sendEvent(QGuiApplication::focusObject(), &commit);
    }
}

QString focusName()
{
    const QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
}

QString focusTrail(const QList<QKeyCombination>& keys)
{
    QStringList trail;
    for (const QKeyCombination key : keys) {
        press(key.key(), key.keyboardModifiers());
        trail << focusName();
    }
    return trail.join(QLatin1Char(' '));
}

} // namespace rov2::test
