#include "CodeGridView.h"

#include "CodeColumn.h"

#include "CodeTableModel.h"
#include "ImeQuery.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace rov2 {
CodeGridView::CodeGridView(QWidget* parent) : EditingTableView(parent)
{
    // Typing replaces a name; a click on the current name edits it in place.
    // A double-click flips the row's mark instead of editing (F2 is the screen's).
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(false);
}

void CodeGridView::moveDown()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() + 1 < model()->rowCount())
        setCurrentIndex(current.siblingAtRow(current.row() + 1));
}

QVariant CodeGridView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    return imeQueryAnswer(this, query, QTableView::inputMethodQuery(query), true);
}

bool CodeGridView::genderColumnShown() const { return !isColumnHidden(codes::性別); }

bool CodeGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (index.isValid() && index.column() == codes::性別 && trigger != AllEditTriggers &&
        trigger != CurrentChanged) {
        // An edit of the gender is never started: an edit key opens its list instead (the mouse, below).
        if (trigger == EditKeyPressed && genderColumnShown())
            Q_EMIT genderListRequested(index);
        return false;
    }
    return EditingTableView::edit(index, trigger, event);
}

void CodeGridView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (state() != EditingState && isEnter(*event)) {
        event->accept();
        moveDown();
        return;
    }
    if (current.isValid() && current.column() == codes::チェック && event->key() == Qt::Key_Space &&
        significant(*event) == Qt::NoModifier) {
        event->accept();
        Q_EMIT markToggleRequested(current.row());
        return;
    }
    if (current.isValid() && current.column() == codes::性別) {
        if (opensList(*event) && genderColumnShown()) {
            event->accept();
            Q_EMIT genderListRequested(current);
            return;
        }
        if (isTyped(*event)) {
            event->accept(); // dropped: the cell takes only what its list offers
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void CodeGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        QTableView::mouseDoubleClickEvent(event);
        return;
    }
    Q_EMIT markToggleRequested(index.row());
    // The base class ends the click that began the double-click, so that it
    // does not open an editor afterwards.
    QTableView::mouseDoubleClickEvent(event);
}

void CodeGridView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    // A click on a gender cell (its button included) opens the list.
    if (event->button() == Qt::LeftButton && index.isValid() && index == currentIndex() &&
        index.column() == codes::性別 && genderColumnShown())
        Q_EMIT genderListRequested(index);
}

} // namespace rov2
