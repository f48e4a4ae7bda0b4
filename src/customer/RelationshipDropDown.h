#pragma once

#include <QTreeWidget>

namespace rov2 {

/// The drop-down of the family grid's 続柄 column: the relationships of the
/// work table w続柄, each with the sex that goes with it. It is read afresh
/// every time it opens, so that a relationship added meanwhile is offered.
/// A click or Enter picks a row; Esc or the loss of the focus closes it.
class RelationshipDropDown : public QTreeWidget
{
    Q_OBJECT

public:
    explicit RelationshipDropDown(QWidget* parent);

    /// Reads w続柄 of @p workFile into the list, in table order; rows
    /// without a name are left out. @return false when it could not be read
    /// (the list is then empty).
    bool reload(const QString& workFile);

    /// Reads the list, places it inside its parent below @p cell (above it
    /// when there is no room below), makes the row named @p current the
    /// current one, shows it and gives it the focus.
    void popUp(const QString& workFile, const QRect& cell, const QString& current);

    QSize sizeHint() const override;

Q_SIGNALS:
    void relationshipPicked(const QString& name, const QString& sex);
    /// Closed without a pick (Esc, or the focus went elsewhere).
    void dismissed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void pick(const QTreeWidgetItem* item);
    void place(const QRect& cell);

    bool closing_ = false; ///< closing on a pick or Esc: the focus loss is not a dismissal
};

} // namespace rov2
