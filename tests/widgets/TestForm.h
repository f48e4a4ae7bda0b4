#pragma once

#include "QtPrinters.h"

#include <QVBoxLayout>
#include <QWidget>

namespace rov2::test {

/// A window holding input widgets one under the other, shown and active so
/// that focus and key presses behave as on a screen.
class TestForm
{
public:
    TestForm();

    template <class W> W* add(const QString& name)
    {
        auto* w = new W(&window_);
        w->setObjectName(name);
        w->setAccessibleName(name);
        layout_->addWidget(w);
        return w;
    }

    /// Shows the window and waits until it is active; false when it never is.
    bool show();
    QWidget* window() { return &window_; }

private:
    QWidget window_;
    QVBoxLayout* layout_;
};

/// Presses a key as the user would: it goes to the active popup or the
/// focus widget, through event filters and shortcuts.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
/// Types @p text into the focus widget, Japanese characters through the input method.
void type(const QString& text);
/// The object name of the focus widget, or "(none)".
QString focusName();
/// Presses the keys one after the other; the focus widget's name after each,
/// joined by blanks.
QString focusTrail(const QList<QKeyCombination>& keys);

} // namespace rov2::test
