#include "FamilyGridView.h"

#include "FamilyColumn.h"
#include "FamilyGridDelegate.h"
#include "ImeQuery.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace rov2 {
FamilyGridView::FamilyGridView(QWidget* parent) : EditingTableView(parent)
{
    setObjectName(QStringLiteral("Grid家族"));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setTabKeyNavigation(true);
}

void FamilyGridView::moveAfterEnter()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const int next = nextVisibleColumn(current.column(), 1);
    if (next >= 0) {
        setCurrentIndex(model()->index(current.row(), next));
        return;
    }
    const int row = qMin(current.row() + 1, model()->rowCount() - 1);
    setCurrentIndex(model()->index(row, firstVisibleColumn()));
}

void FamilyGridView::moveByTab(bool backwards)
{
    const QModelIndex target = moveCursor(backwards ? MovePrevious : MoveNext, Qt::NoModifier);
    if (target.isValid())
        setCurrentIndex(target);
}

QVariant FamilyGridView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    return imeQueryAnswer(this, query, QTableView::inputMethodQuery(query), true);
}

bool FamilyGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // 性別 is chosen, never typed: an edit started without a typed character opens the list.
    if (index.isValid() && index.column() == family::性別 && trigger == EditKeyPressed) {
        Q_EMIT sexListRequested(index);
        return false;
    }
    return QTableView::edit(index, trigger, event);
}

void FamilyGridView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if (state() != EditingState && isEnter(*event)) {
        event->accept();
        moveAfterEnter();
        return;
    }
    if (opensList(*event) && requestList(current)) {
        event->accept();
        return;
    }
    if (current.column() == family::性別 && isTyped(*event)) {
        event->accept(); // dropped: the cell takes only what its list offers
        return;
    }
    QTableView::keyPressEvent(event);
}

void FamilyGridView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid() || index != currentIndex())
        return;
    if (index.column() == family::性別)
        Q_EMIT sexListRequested(index);
    else if (index.column() == family::続柄 &&
             FamilyGridDelegate::buttonRect(visualRect(index)).contains(event->position().toPoint()))
        Q_EMIT relationshipListRequested(index);
}

void FamilyGridView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    // While the first characters of a cell are being composed, Qt keeps the
    // focus on the grid and the editor waits without it; leaving then must
    // not lose them either.
    QWidget* editor = currentEditor();
    const auto* cells = qobject_cast<const FamilyGridDelegate*>(itemDelegate());
    if (editor && !editor->hasFocus() && cells && cells->focusLossEndsEdit(editor, *event))
        commitPendingEdit();
}

bool FamilyGridView::requestList(const QModelIndex& index)
{
    if (!index.isValid())
        return false;
    if (index.column() == family::性別)
        Q_EMIT sexListRequested(index);
    else if (index.column() == family::続柄)
        Q_EMIT relationshipListRequested(index);
    else
        return false;
    return true;
}

int FamilyGridView::firstVisibleColumn() const
{
    return nextVisibleColumn(-1, 1);
}

int FamilyGridView::nextVisibleColumn(int column, int step) const
{
    const int count = model() ? model()->columnCount() : 0;
    for (int c = column + step; c >= 0 && c < count; c += step) {
        if (!isColumnHidden(c))
            return c;
    }
    return -1;
}

} // namespace rov2
