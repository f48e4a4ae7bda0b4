#include "LimitText.h"

#include "Dialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtDebug>

namespace rov2 {

namespace {

QLineEdit* editorOf(QWidget* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit;
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->lineEdit();
    return nullptr;
}

// The first @p count characters, a character outside the BMP (a surrogate
// pair) counting as one so that it is never split in half.
QString firstCharacters(const QString& text, qsizetype count)
{
    qsizetype units = 0;
    for (qsizetype chars = 0; chars < count && units < text.size(); ++chars)
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return text.left(units);
}

} // namespace

bool LimitTextLength(QWidget* control, int limit)
{
    QLineEdit* edit = editorOf(control);
    if (!edit) {
        qWarning() << "LimitTextLength: not a text control:" << control;
        return false;
    }
    const QString text = edit->text();
    const qsizetype characters = text.toUcs4().size();
    if (characters * 2 <= limit)
        return true;
    dialogs().beep();
    edit->setText(firstCharacters(text, qMax(0, limit) / 2));
    control->setFocus();
    return false;
}

} // namespace rov2
