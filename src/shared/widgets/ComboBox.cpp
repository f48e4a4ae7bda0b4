#include "ComboBox.h"

#include "FocusLeave.h"
#include "ImeQuery.h"
#include "InputMethod.h"
#include "SingleLineFilter.h"

#include <QCompleter>
#include <QLineEdit>
#include <QPointer>

namespace rov2 {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(15);
    // QComboBox chooses the first item put into an empty list, which would
    // write it into the text of an editable box.
    connect(model(), &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this] { textBeforeInsert_ = currentText(); });
    connect(model(), &QAbstractItemModel::rowsInserted, this, &ComboBox::keepTextAfterInsert);
}

void ComboBox::setEditable(bool editable)
{
    QComboBox::setEditable(editable);
    dropCompleter();
    if (QLineEdit* edit = lineEdit())
        edit->setValidator(new SingleLineFilter(edit));
}

void ComboBox::setText(const QString& text)
{
    const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    setCurrentIndex(index);
    if (isEditable() && currentText() != text)
        setEditText(text);
}

void ComboBox::clear()
{
    QComboBox::clear();
    if (isEditable())
        setEditText(QString());
}

void ComboBox::replaceItems(const QStringList& items, bool keepText)
{
    const QString kept = keepText ? text() : QString();
    QComboBox::clear();
    addItems(items);
    setText(kept);
}

void ComboBox::setImeOpen(bool open)
{
    SetImeOpen(this, open ? 1 : 0);
}

bool ComboBox::imeOpen() const
{
    return inputMethodQuery(Qt::ImEnabled).toBool();
}

// The combo box has the focus and answers for its line edit. The setting may
// sit on either of them, since SetImeOpen may be given the line edit.
QVariant ComboBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const QVariant answer = QComboBox::inputMethodQuery(query);
    if (!lineEdit())
        return query == Qt::ImEnabled ? QVariant(false) : answer;
    const bool onEdit = !imeOpenSetting(this) && imeOpenSetting(lineEdit());
    return imeQueryAnswer(onEdit ? static_cast<const QWidget*>(lineEdit()) : this, query, answer, true);
}

void ComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (isFocusLeave(this, event))
        Q_EMIT left();
}

void ComboBox::keepTextAfterInsert()
{
    if (isEditable() && currentText() != textBeforeInsert_)
        setText(textBeforeInsert_);
}

// Qt gives a new line edit an inline, case-insensitive completer, which would
// turn a typed "abc" into the item "ABC" or complete a prefix to a longer name.
void ComboBox::dropCompleter()
{
    if (QLineEdit* edit = lineEdit(); edit && edit->completer()) {
        // Taking the completer away may already delete it (it belongs to the line edit).
        QPointer<QCompleter> old = edit->completer();
        setCompleter(nullptr);
        if (old)
            old->deleteLater();
    }
}

} // namespace rov2
