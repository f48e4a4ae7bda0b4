#pragma once

#include <QTableView>

namespace rov2 {

/// The list of a look-up window: whole rows, one at a time, chosen with
/// Enter or a double-click. Up on the first row hands the focus back to
/// whatever feeds the list (the typed text, the kana table).
class MatchList : public QTableView
{
    Q_OBJECT

public:
    explicit MatchList(QWidget* parent = nullptr);

    /// Makes row @p row current and selected (nothing when there is no such row).
    void setCurrentRow(int row);
    /// The current row, or -1.
    int currentRow() const;

Q_SIGNALS:
    void rowChosen(int row);
    void upFromFirstRow();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace rov2
