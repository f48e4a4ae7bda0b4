#include "RelationshipDropDown.h"

#include "Database.h"
#include "Query.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QtDebug>

namespace rov2 {

RelationshipDropDown::RelationshipDropDown(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("DD続柄"));
    setAccessibleName(QStringLiteral("続柄"));
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("続柄"), QStringLiteral("性別")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::Fixed);
    header()->resizeSection(1, fontMetrics().horizontalAdvance(QStringLiteral("性別")) + 12);
    hide();
}

bool RelationshipDropDown::reload(const QString& workFile)
{
    clear();
    QString error;
    auto db = Database::open(workFile, &error);
    if (!db) {
        qWarning().noquote() << "relationship list: cannot open the work file" << workFile << ":" << error;
        return false;
    }
    Query q = db->query(QStringLiteral("SELECT sname, 性別 FROM w続柄 ORDER BY rowid"));
    while (q.next()) {
        if (q.value(0).isNull())
            continue;
        addTopLevelItem(new QTreeWidgetItem({q.value(0).toString(), q.value(1).toString()}));
    }
    if (!q.ok()) {
        qWarning().noquote() << "relationship list: cannot read w続柄 :" << db->lastError();
        clear();
        return false;
    }
    return true;
}

void RelationshipDropDown::popUp(const QString& workFile, const QRect& cell, const QString& current)
{
    reload(workFile);
    const QList<QTreeWidgetItem*> found = findItems(current, Qt::MatchExactly, 0);
    setCurrentItem(found.isEmpty() ? topLevelItem(0) : found.first());
    place(cell);
    raise();
    show();
    setFocus(Qt::OtherFocusReason);
    if (currentItem())
        scrollToItem(currentItem());
}

QSize RelationshipDropDown::sizeHint() const
{
    const int rowHeight = qMax(fontMetrics().height() + 4, 18);
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("続柄続柄続柄性別")) + 40;
    return {width, header()->sizeHint().height() + rowHeight * 8 + 2 * frameWidth()};
}

void RelationshipDropDown::place(const QRect& cell)
{
    const QWidget* area = parentWidget();
    QSize size = sizeHint();
    if (area)
        size = size.boundedTo(area->size());
    int top = cell.bottom() + 1;
    if (area && top + size.height() > area->height())
        top = qMax(0, cell.top() - size.height());
    int left = cell.left();
    if (area && left + size.width() > area->width())
        left = qMax(0, area->width() - size.width());
    setGeometry(left, top, size.width(), size.height());
}

void RelationshipDropDown::keyPressEvent(QKeyEvent* event)
{
    const bool alone = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (alone && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        pick(currentItem());
        return;
    }
    if (alone && event->key() == Qt::Key_Escape) {
        event->accept();
        const QScopedValueRollback closing(closing_, true);
        Q_EMIT dismissed();
        hide();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void RelationshipDropDown::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        pick(itemAt(event->position().toPoint()));
}

void RelationshipDropDown::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    if (isHidden() || closing_)
        return;
    hide();
    Q_EMIT dismissed();
}

void RelationshipDropDown::pick(const QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QString name = item->text(0);
    const QString sex = item->text(1);
    // Signal first, so that the grid takes the focus back before this list
    // hides; hiding a focused widget would hand the focus to the next input.
    const QScopedValueRollback closing(closing_, true);
    Q_EMIT relationshipPicked(name, sex);
    hide();
}

} // namespace rov2
