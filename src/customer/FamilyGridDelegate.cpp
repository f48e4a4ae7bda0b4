#include "FamilyGridDelegate.h"

#include "CellButton.h"
#include "DateBox.h"
#include "FamilyColumn.h"
#include "FamilyTableModel.h"
#include "InputMethod.h"
#include "NumberBox.h"
#include "TextBox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

namespace rov2 {
namespace {

constexpr char kColumnProperty[] = "rov2FamilyColumn";

int editorColumn(const QWidget* editor)
{
    const QVariant v = editor->property(kColumnProperty);
    return v.isValid() ? v.toInt() : -1;
}

bool alone(const QKeyEvent& key)
{
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool opensDropDown(const QKeyEvent& key)
{
    const auto modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_F4 && modifiers == Qt::NoModifier) ||
           (key.key() == Qt::Key_Down && modifiers == Qt::AltModifier);
}

bool eraFor(const QModelIndex& index, const CompanySettings& settings)
{
    const auto* model = qobject_cast<const FamilyTableModel*>(index.model());
    return model ? model->eraCalendar() : settings.eraCalendar();
}

LineInput* makeEditor(const QModelIndex& index, QWidget* parent, const CompanySettings& settings)
{
    const int column = index.column();
    if (column == family::生年月日) {
        auto* box = new DateBox(parent);
        box->setObjectName(QStringLiteral("dt家族生年月日"));
        box->setEraCalendar(eraFor(index, settings));
        return box;
    }
    if (column == family::誕生月 || column == family::年齢)
        return new NumberBox(parent);
    return new TextBox(parent);
}

} // namespace

FamilyGridDelegate::FamilyGridDelegate(QObject* parent, const CompanySettings& settings)
    : QStyledItemDelegate(parent), settings_(settings)
{
}

bool FamilyGridDelegate::hasButton(int column)
{
    return column == family::続柄 || column == family::性別;
}

QRect FamilyGridDelegate::buttonRect(const QRect& cell)
{
    return cellButtonRect(cell);
}

QWidget* FamilyGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                          const QModelIndex& index) const
{
    const int column = index.column();
    LineInput* editor = makeEditor(index, parent, settings_);
    // In a cell, Enter and the arrows belong to the grid, not to the window's input order.
    editor->setMoveKeys({}, {});
    editor->setFrame(false);
    editor->setProperty(kColumnProperty, column);
    SetImeOpen(editor, family::isLatinColumn(column) ? 0 : 1);
    return editor;
}

void FamilyGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QVariant value = index.data(Qt::EditRole);
    if (auto* date = qobject_cast<DateBox*>(editor)) {
        if (value.typeId() == QMetaType::QDate)
            date->setDate(value.toDate());
        else
            date->setText(value.toString()); // a stored text that is no date stays visible
    } else if (auto* number = qobject_cast<NumberBox*>(editor)) {
        number->setValue(value);
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(value.toString());
    }
}

void FamilyGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const
{
    if (auto* date = qobject_cast<DateBox*>(editor)) {
        // A text that is no date goes to the model as text, which refuses it.
        const std::optional<QDate> held = date->date();
        model->setData(index, held ? QVariant(*held) : QVariant(date->text()));
    } else if (auto* number = qobject_cast<NumberBox*>(editor)) {
        model->setData(index, number->value());
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, line->text());
    }
}

void FamilyGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex& /*index*/) const
{
    // The era form of a date is longer than the cell shows it; the box may reach over the next cell.
    QRect area = option.rect;
    if (qobject_cast<const DateBox*>(editor))
        area.setWidth(qMax(area.width(), editor->sizeHint().width()));
    editor->setGeometry(area);
}

void FamilyGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!hasButton(index.column()))
        return;
    paintCellButton(painter, option);
}

bool FamilyGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (!editor || editorColumn(editor) < 0)
        return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress && handleKey(editor, *static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::FocusOut) {
        if (focusLossEndsEdit(editor, *static_cast<QFocusEvent*>(event)))
            finish(editor);
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

bool FamilyGridDelegate::handleKey(QWidget* editor, const QKeyEvent& key)
{
    if (alone(key) && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)) {
        finish(editor);
        Q_EMIT enterCommitted();
        return true;
    }
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) {
        finish(editor);
        Q_EMIT tabCommitted(key.key() == Qt::Key_Backtab);
        return true;
    }
    if (editorColumn(editor) == family::続柄 && opensDropDown(key)) {
        Q_EMIT dropDownRequested();
        return true;
    }
    return false;
}

bool FamilyGridDelegate::focusLossEndsEdit(const QWidget* editor, const QFocusEvent& event) const
{
    // The editor's own popups (the calendar, the context menu) take the focus with this reason.
    if (event.reason() == Qt::PopupFocusReason)
        return false;
    // Parent links also lead from a popup window to the editor that owns it.
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (w == editor || (companion_ && w == companion_.data()))
            return false;
    }
    return true;
}

void FamilyGridDelegate::finish(QWidget* editor)
{
    Q_EMIT commitData(editor);
    Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
}

} // namespace rov2
