#include "SexPickList.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace rov2 {

SexPickList::SexPickList(QWidget* parent) : QListWidget(parent)
{
    addItems({QStringLiteral("女"), QStringLiteral("男"), QString()});
    setObjectName(QStringLiteral("Lst性別"));
    setAccessibleName(QStringLiteral("性別"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    hide();
}

void SexPickList::popUp(const QPoint& topLeft, const QString& current)
{
    const QList<QListWidgetItem*> found = findItems(current, Qt::MatchExactly);
    setCurrentRow(found.isEmpty() ? 0 : row(found.first()));
    resize(sizeHint());
    move(topLeft);
    raise();
    show();
    setFocus(Qt::OtherFocusReason);
}

QString SexPickList::currentText() const
{
    const QListWidgetItem* item = currentItem();
    return item ? item->text() : QString();
}

QSize SexPickList::sizeHint() const
{
    const int frame = 2 * frameWidth();
    const int rowHeight = qMax(sizeHintForRow(0), fontMetrics().height() + 2);
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("男")) * 4;
    return {width + frame, rowHeight * count() + frame};
}

void SexPickList::keyPressEvent(QKeyEvent* event)
{
    const bool alone = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (alone && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        Q_EMIT textEntered(currentText());
        hide();
        return;
    }
    if (alone && event->key() == Qt::Key_Escape) {
        event->accept();
        Q_EMIT cancelled();
        hide();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void SexPickList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidgetItem* item = itemAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !item) {
        QListWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    setCurrentItem(item);
    Q_EMIT textDoubleClicked(item->text());
    hide();
}

void SexPickList::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    hide();
}

} // namespace rov2
