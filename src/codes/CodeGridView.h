#pragma once

#include "EditingTableView.h"

namespace rov2 {

/// The table of the code-table grid. Typing edits a name, so does a click on
/// the current name; a
/// double-click on a row, or Space on its mark, flips the mark; Enter goes
/// down a row. The 性別 cell is never typed into: a typed character there is
/// dropped, while a click on it, F4 or Alt+Down asks for the gender list (F2
/// belongs to the screen: メイン).
class CodeGridView : public EditingTableView
{
    Q_OBJECT

public:
    explicit CodeGridView(QWidget* parent);

    /// The next row, same column; nothing on the last row.
    void moveDown();

    using QTableView::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

Q_SIGNALS:
    void markToggleRequested(int row);
    void genderListRequested(const QModelIndex& index);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool genderColumnShown() const;
};

} // namespace rov2
