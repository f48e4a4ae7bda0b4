#include "EditingTableView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimerEvent>

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

bool EditingTableView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (trigger != SelectedClicked || !(editTriggers() & SelectedClicked)) {
        // Anything else (a key, a double-click, another press, a move) ends the wait.
        clickEdit_.stop();
        return QTableView::edit(index, trigger, event);
    }
    // The cell's own use of the click comes first: a check box is ticked.
    if (QTableView::edit(index, NoEditTriggers, event))
        return true;
    if (!index.isValid() || !(model()->flags(index) & Qt::ItemIsEditable))
        return false;
    clickedIndex_ = index;
    clickEdit_.start(QApplication::doubleClickInterval(), this);
    return true;
}

void EditingTableView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != clickEdit_.timerId()) {
        QTableView::timerEvent(event);
        return;
    }
    clickEdit_.stop();
    if (clickedIndex_.isValid() && clickedIndex_ == currentIndex() && state() != EditingState)
        QAbstractItemView::edit(clickedIndex_);
}

bool EditingTableView::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && forwardToEditor(*static_cast<QKeyEvent*>(event)))
        return true;
    return QTableView::event(event);
}

bool EditingTableView::forwardToEditor(QKeyEvent& key)
{
    // While an input method composes the first characters, Qt keeps the focus
    // here; keys that come meanwhile, or were already on their way, belong to the editor.
    QWidget* editor = currentEditor();
    if (!editor || !isTyped(key))
        return false;
    QApplication::sendEvent(editor->focusProxy() ? editor->focusProxy() : editor, &key);
    return true;
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
