#pragma once

#include <QListWidget>

namespace rov2 {

/// The small pick list `Lst性別` of a grid's 性別 column (the family grid,
/// the code table's relationships): "女", "男" and an empty entry (to remove
/// the sex). Hidden until the grid shows it beside the cell; it hides itself
/// again when it loses the focus.
class SexPickList : public QListWidget
{
    Q_OBJECT

public:
    explicit SexPickList(QWidget* parent);

    /// Shows the list with its top left corner at @p topLeft (parent
    /// coordinates), on the entry equal to @p current, and gives it the focus.
    void popUp(const QPoint& topLeft, const QString& current);

    /// The text of the current entry.
    QString currentText() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    /// An entry was double-clicked.
    void textDoubleClicked(const QString& text);
    /// Enter was pressed on the current entry.
    void textEntered(const QString& text);
    /// Esc was pressed: the list is closing without a choice.
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace rov2
