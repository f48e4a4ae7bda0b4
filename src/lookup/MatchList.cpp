#include "MatchList.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace rov2 {

MatchList::MatchList(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    // Rows of one height let the view skip measuring thousands of them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            Q_EMIT rowChosen(i.row());
    });
}

void MatchList::setCurrentRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    const QModelIndex i = model()->index(row, 0);
    setCurrentIndex(i);
    selectionModel()->select(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(i);
}

int MatchList::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void MatchList::keyPressEvent(QKeyEvent* event)
{
    const bool alone = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (alone && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        if (currentRow() >= 0)
            Q_EMIT rowChosen(currentRow());
        return;
    }
    if (alone && event->key() == Qt::Key_Up && currentRow() <= 0) {
        event->accept();
        Q_EMIT upFromFirstRow();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace rov2
