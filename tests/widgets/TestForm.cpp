#include "TestForm.h"

#include <QApplication>
#include <QTest>

namespace rov2::test {

TestForm::TestForm() : layout_(new QVBoxLayout(&window_)) { window_.resize(320, 400); }

bool TestForm::show()
{
    window_.show();
    QApplication::setActiveWindow(&window_);
    return QTest::qWaitForWindowActive(&window_);
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
}

void type(const QString& text) { QTest::keyClicks(static_cast<QWidget*>(nullptr), text); }

QString focusName()
{
    const QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
}

} // namespace rov2::test
