#pragma once

#include "EditingTableView.h"

namespace rov2 {

/// The table of the family grid, keyed as a spreadsheet: typing starts
/// editing the current cell, F2 and a double-click edit it, Enter goes on to
/// the next column (from メモ to 氏名 of the next row), Tab, Shift+Tab and the
/// arrows move. The 性別 cell is never typed into: a typed character there is
/// dropped, while a click, F2, F4 or Alt+Down asks for its pick list.
class FamilyGridView : public EditingTableView
{
    Q_OBJECT

public:
    explicit FamilyGridView(QWidget* parent);

    /// The move of Enter: the next visible column; from the last column to
    /// the first visible column of the next row (on the last row, of the
    /// same row).
    void moveAfterEnter();
    /// The move of Tab and Shift+Tab.
    void moveByTab(bool backwards);

    using QTableView::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

Q_SIGNALS:
    /// The 性別 cell was clicked, or F2, F4 or Alt+Down was pressed on it.
    void sexListRequested(const QModelIndex& index);
    /// The drop button of a 続柄 cell was clicked, or F4 or Alt+Down pressed on it.
    void relationshipListRequested(const QModelIndex& index);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool requestList(const QModelIndex& index);
    int firstVisibleColumn() const;
    int nextVisibleColumn(int column, int step) const;
};

} // namespace rov2
