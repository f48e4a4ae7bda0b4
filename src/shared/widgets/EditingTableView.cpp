#include "EditingTableView.h"

#include <QKeyEvent>

namespace rov2 {

EditingTableView::EditingTableView(QWidget* parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setAttribute(Qt::WA_InputMethodEnabled);
}

QWidget* EditingTableView::currentEditor() const
{
    return state() == EditingState ? indexWidget(currentIndex()) : nullptr;
}

bool EditingTableView::commitPendingEdit()
{
    QWidget* editor = currentEditor();
    if (!editor)
        return false;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void EditingTableView::discardPendingEdit()
{
    if (QWidget* editor = currentEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

Qt::KeyboardModifiers EditingTableView::significant(const QKeyEvent& key)
{
    return key.modifiers() & ~Qt::KeypadModifier;
}

bool EditingTableView::isEnter(const QKeyEvent& key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && significant(key) == Qt::NoModifier;
}

bool EditingTableView::opensList(const QKeyEvent& key)
{
    return (key.key() == Qt::Key_F4 && significant(key) == Qt::NoModifier) ||
           (key.key() == Qt::Key_Down && significant(key) == Qt::AltModifier);
}

bool EditingTableView::isTyped(const QKeyEvent& key)
{
    const auto modifiers = significant(key) & ~Qt::ShiftModifier;
    return modifiers == Qt::NoModifier && !key.text().isEmpty() && key.text().at(0).isPrint();
}

} // namespace rov2
