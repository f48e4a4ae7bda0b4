#include "ModalDriving.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace rov2::test {

void typeText(const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_TRUE(target) << "nothing has the focus";
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

void whenModal(std::function<void(QWidget* window)> drive)
{
    QTimer::singleShot(0, [drive = std::move(drive)] {
        QPointer<QWidget> window = QApplication::activeModalWidget();
        if (!window) {
            ADD_FAILURE() << "no modal window came up";
            return;
        }
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window)) {
            ADD_FAILURE() << "the modal window did not become active";
            QTest::keyClick(window, Qt::Key_Escape);
            return;
        }
        drive(window);
        // A window left open would block the test for ever.
        if (window && window->isVisible())
            QTest::keyClick(window, Qt::Key_Escape);
    });
}

bool waitForFocus(QWidget* w)
{
    return QTest::qWaitFor([w] { return w && w->hasFocus(); });
}

bool queuedEventsHandled()
{
    QObject marker; // takes its queued call with it if the wait runs out
    bool handled = false;
    QMetaObject::invokeMethod(&marker, [&handled] { handled = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([&handled] { return handled; });
}

} // namespace rov2::test
