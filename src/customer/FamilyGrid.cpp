#include "FamilyGrid.h"

#include "AddCodeName.h"
#include "CompanySettings.h"
#include "FamilyColumn.h"
#include "FamilyGridDelegate.h"
#include "FamilyGridView.h"
#include "FamilyTableModel.h"
#include "InputMethod.h"
#include "Locations.h"
#include "RelationshipDropDown.h"
#include "SexPickList.h"

#include <QApplication>
#include <QHeaderView>
#include <QInputMethod>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStyle>
#include <QVBoxLayout>

namespace rov2 {
namespace {

bool isInside(const QWidget* widget, const QWidget* container)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == container)
            return true;
    }
    return false;
}

} // namespace

FamilyGrid::FamilyGrid(QWidget* parent, const Locations& locations, const CompanySettings& settings)
    : QWidget(parent), dat家族(new FamilyTableModel(this, locations.workFile, settings)),
      Grid家族(new FamilyGridView(this)), DD続柄(new RelationshipDropDown(this)), Lst性別(new SexPickList(this)),
      delegate_(new FamilyGridDelegate(this, settings)), locations_(locations), settings_(settings)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Grid家族);
    Grid家族->setModel(dat家族);
    Grid家族->setItemDelegate(delegate_);
    delegate_->setCompanion(DD続柄);
    setFocusProxy(Grid家族);
    setUpColumns();
    connectParts();
}

void FamilyGrid::setWorkFile(const QString& path)
{
    dat家族->setWorkFile(path);
}

void FamilyGrid::setEraCalendar(bool era)
{
    dat家族->setEraCalendar(era);
}

bool FamilyGrid::refresh()
{
    Lst性別->hide();
    DD続柄->hide();
    return dat家族->refresh();
}

void FamilyGrid::showNoRows()
{
    Lst性別->hide();
    DD続柄->hide();
    dat家族->clearRows();
}

bool FamilyGrid::commitPendingEdit()
{
    QWidget* editor = Grid家族->currentEditor();
    if (!editor)
        return false;
    // Text still being composed in the input method belongs to the cell too.
    if (isInside(QApplication::focusWidget(), editor))
        QGuiApplication::inputMethod()->commit();
    return Grid家族->commitPendingEdit();
}

void FamilyGrid::setUpColumns()
{
    Grid家族->setColumnHidden(family::名称, true);
    // Each column as wide as the longest value it usually holds, or its
    // caption when that is wider; the two pick-list columns keep room for
    // their button. メモ takes what is left.
    const char* const samples[family::ColumnCount] = {
        "", "山田　花子子", "やまだ　はなこ", "おばあさん", "女", "hanako@example.ne.jp", "080-0000-0000",
        "0000/00/00", "12", "100", "山田商店株式会社", "メモ"};
    const QFontMetrics fm(Grid家族->font());
    const int padding =
        2 * (Grid家族->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Grid家族) + 1) + 8;
    const int button = Grid家族->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Grid家族);
    QHeaderView* header = Grid家族->horizontalHeader();
    for (int c = family::氏名; c < family::ColumnCount; ++c) {
        const bool picked = c == family::続柄 || c == family::性別;
        const int content = fm.horizontalAdvance(QString::fromUtf8(samples[c])) + padding + (picked ? button : 0);
        Grid家族->setColumnWidth(c, qMax(content, header->sectionSizeHint(c)));
    }
    header->setStretchLastSection(true);
}

int FamilyGrid::contentWidth() const
{
    int width = Grid家族->verticalHeader()->sizeHint().width() + 2 * Grid家族->frameWidth() +
                Grid家族->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Grid家族);
    for (int c = 0; c < family::ColumnCount; ++c)
        if (!Grid家族->isColumnHidden(c))
            width += Grid家族->columnWidth(c);
    return width;
}

void FamilyGrid::connectParts()
{
    connect(Grid家族->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { switchInputMethod(current); });
    connect(dat家族, &QAbstractItemModel::modelReset, this, &FamilyGrid::takeCurrentAfterReset);
    connect(dat家族, &FamilyTableModel::valueStored, this, &FamilyGrid::onValueStored);
    connect(Grid家族, &FamilyGridView::sexListRequested, this, &FamilyGrid::openSexList);
    connect(Grid家族, &FamilyGridView::relationshipListRequested, this, &FamilyGrid::openRelationshipList);
    connect(delegate_, &FamilyGridDelegate::enterCommitted, Grid家族, &FamilyGridView::moveAfterEnter);
    connect(delegate_, &FamilyGridDelegate::tabCommitted, Grid家族, &FamilyGridView::moveByTab);
    connect(delegate_, &FamilyGridDelegate::dropDownRequested, this,
            [this] { openRelationshipList(Grid家族->currentIndex()); });
    connect(Lst性別, &SexPickList::textDoubleClicked, this,
            [this](const QString& text) { takeSex(text, true); });
    connect(Lst性別, &SexPickList::textEntered, this, [this](const QString& text) { takeSex(text, false); });
    connect(Lst性別, &SexPickList::cancelled, this, [this] { Grid家族->setFocus(Qt::OtherFocusReason); });
    connect(DD続柄, &RelationshipDropDown::relationshipPicked, this, &FamilyGrid::takeRelationship);
    connect(DD続柄, &RelationshipDropDown::dismissed, this, &FamilyGrid::relationshipListClosed);
}

void FamilyGrid::switchInputMethod(const QModelIndex& current)
{
    if (!current.isValid())
        return;
    const int open = family::isLatinColumn(current.column()) ? 0 : 1;
    SetImeOpen(Grid家族, open);
    SetImeOpen(Grid家族->currentEditor(), open);
}

void FamilyGrid::takeCurrentAfterReset()
{
    if (dat家族->rowCount() > 0)
        Grid家族->setCurrentIndex(dat家族->index(0, family::氏名));
}

void FamilyGrid::openSexList(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    sexCell_ = index;
    const QRect cell = Grid家族->visualRect(index);
    const QPoint corner = Grid家族->viewport()->mapTo(this, cell.topRight() + QPoint(1, 0));
    // Right of the cell as long as the grid has room; pulled back inside it otherwise.
    const QSize size = Lst性別->sizeHint();
    const int x = qMax(0, qMin(corner.x(), width() - size.width()));
    const int y = qMax(0, qMin(corner.y(), height() - size.height()));
    Lst性別->popUp(QPoint(x, y), index.data(Qt::EditRole).toString());
}

void FamilyGrid::takeSex(const QString& text, bool moveOn)
{
    const QModelIndex cell = sexCell_;
    if (cell.isValid())
        dat家族->setData(cell, text);
    Grid家族->setFocus(Qt::OtherFocusReason);
    if (moveOn && cell.isValid())
        Grid家族->setCurrentIndex(cell.siblingAtColumn(family::Email));
    Lst性別->hide();
}

void FamilyGrid::openRelationshipList(const QModelIndex& index)
{
    if (!index.isValid() || index.column() != family::続柄)
        return;
    relationshipCell_ = index;
    const QRect cell = Grid家族->visualRect(index);
    const QRect inGrid(Grid家族->viewport()->mapTo(this, cell.topLeft()), cell.size());
    const auto* typing = qobject_cast<const QLineEdit*>(Grid家族->currentEditor());
    const QString current = typing ? typing->text() : index.data(Qt::EditRole).toString();
    DD続柄->popUp(dat家族->workFile(), inGrid, current);
}

void FamilyGrid::takeRelationship(const QString& name, const QString& sex)
{
    const QModelIndex cell = relationshipCell_;
    Grid家族->discardPendingEdit(); // the pick replaces what was typed
    if (cell.isValid()) {
        bool stored = false;
        {
            const QScopedValueRollback guard(applyingPick_, true);
            stored = dat家族->setData(cell.siblingAtColumn(family::性別), sex);
            stored = dat家族->setData(cell, name) || stored;
        }
        if (stored)
            registerRelationship(cell.row());
        Grid家族->setCurrentIndex(cell);
    }
    Grid家族->setFocus(Qt::OtherFocusReason);
}

void FamilyGrid::relationshipListClosed()
{
    QWidget* editor = Grid家族->currentEditor();
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus == DD続柄) { // Esc: back to where the list was opened from
        QWidget* back = editor ? editor : Grid家族;
        back->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The focus went elsewhere while the 続柄 editor waited for the list: keep what was typed.
    if (editor && !isInside(focus, editor))
        Grid家族->commitPendingEdit();
}

void FamilyGrid::onValueStored(int row, int column)
{
    if (!applyingPick_ && (column == family::続柄 || column == family::性別))
        registerRelationship(row);
}

void FamilyGrid::registerRelationship(int row)
{
    if (!settings_.続柄登録)
        return;
    const QString name = dat家族->index(row, family::続柄).data(Qt::EditRole).toString();
    if (name.isEmpty())
        return;
    const QString sex = dat家族->index(row, family::性別).data(Qt::EditRole).toString();
    AddCodeName(locations_.dataFile, settings_, QStringLiteral("続柄"), name, sex);
    Q_EMIT relationshipsChanged();
}

} // namespace rov2
