#include "InputMethod.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethod>
#include <QLineEdit>
#include <QVariant>

namespace rov2 {

namespace {

void applyTo(QWidget* w, bool open)
{
    w->setProperty(kImeOpenProperty, open);
    w->setAttribute(Qt::WA_InputMethodEnabled, open);
    Qt::InputMethodHints hints = w->inputMethodHints();
    hints.setFlag(Qt::ImhLatinOnly, !open);
    hints.setFlag(Qt::ImhPreferLatin, !open);
    w->setInputMethodHints(hints);
    if (w->hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}

} // namespace

void SetImeOpen(QWidget* w, int open)
{
    if (!w)
        return;
    applyTo(w, open != 0);
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
        applyTo(combo->lineEdit(), open != 0);
}

std::optional<bool> imeOpenSetting(const QWidget* w)
{
    const QVariant v = w ? w->property(kImeOpenProperty) : QVariant();
    if (!v.isValid())
        return std::nullopt;
    return v.toBool();
}

} // namespace rov2
