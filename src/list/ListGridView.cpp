#include "ListGridView.h"

#include "CustomerListModel.h"
#include "ListColumn.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace rov2 {
namespace {

/// The whole check cell is the target of a click, not only the small box.
class CheckCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override
    {
        if (index.column() != listcol::チェック)
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            return false; // the press still makes the row current
        case QEvent::MouseButtonDblClick:
            return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint()))
                return false;
            const bool marked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            model->setData(index, marked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
            return true;
        }
        default:
            return false; // Space is the view's: it works from any column
        }
    }
};

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace

ListGridView::ListGridView(QWidget* parent) : QTableView(parent)
{
    setItemDelegate(new CheckCellDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    // Hundreds of thousands of rows: one fixed height, so the header keeps no per-row sizes to work out.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
}

void ListGridView::setListModel(CustomerListModel* model)
{
    model_ = model;
    setModel(model);
}

void ListGridView::toggleCurrent()
{
    const QModelIndex current = currentIndex();
    if (!model_ || !current.isValid())
        return;
    model_->setMarked(current.row(), !model_->isMarked(current.row()));
}

void ListGridView::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QTableView::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Space) {
        toggleCurrent();
        event->accept();
        return;
    }
    if (isEnter(event->key()) && currentIndex().isValid()) {
        Q_EMIT rowOpened(currentIndex().row());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ListGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    QTableView::mouseDoubleClickEvent(event);
    // A double-click on the check cell is two ticks, not an opening.
    if (event->button() == Qt::LeftButton && at.isValid() && at.column() != listcol::チェック)
        Q_EMIT rowOpened(at.row());
}

} // namespace rov2
