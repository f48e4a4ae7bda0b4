#pragma once

#include <QTableView>

namespace rov2 {

/// The table of the code-table grid. Typing edits a name, so does a click on
/// the current name; a
/// double-click on a row, or Space on its mark, flips the mark; Enter goes
/// down a row. The 性別 cell is never typed into: a typed character there is
/// dropped, while a click on it, F4 or Alt+Down asks for the gender list (F2
/// belongs to the screen: メイン).
class CodeGridView : public QTableView
{
    Q_OBJECT

public:
    explicit CodeGridView(QWidget* parent);

    /// The editor open on the current cell, or nullptr.
    QWidget* currentEditor() const;
    /// Stores what the open editor holds and closes it.
    /// @return false when no editor was open.
    bool commitPendingEdit();
    /// Closes the open editor without storing it.
    void discardPendingEdit();

    /// The next row, same column; nothing on the last row.
    void moveDown();

    /// Typing into a cell that cannot be edited must not jump to another row.
    void keyboardSearch(const QString& /*search*/) override {}

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
