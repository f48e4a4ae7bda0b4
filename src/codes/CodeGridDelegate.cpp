#include "CodeGridDelegate.h"

#include "CellButton.h"
#include "CodeColumn.h"

#include "CodeTableModel.h"
#include "InputMethod.h"
#include "TextBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace rov2 {

CodeGridDelegate::CodeGridDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QRect CodeGridDelegate::buttonRect(const QRect& cell)
{
    return cellButtonRect(cell);
}

QWidget* CodeGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                        const QModelIndex& /*index*/) const
{
    auto* editor = new TextBox(parent);
    // In a cell, Enter and the arrows belong to the grid, not to the window's input order.
    editor->setMoveKeys({}, {});
    editor->setFrame(false);
    SetImeOpen(editor, 1);
    return editor;
}

void CodeGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!genderButton_ || index.column() != codes::性別)
        return;
    paintCellButton(painter, option);
}

bool CodeGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool alone = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (alone && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            Q_EMIT enterCommitted();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace rov2
