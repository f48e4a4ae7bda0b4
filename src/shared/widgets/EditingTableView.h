#pragma once

#include <QBasicTimer>
#include <QPersistentModelIndex>
#include <QTableView>

class QKeyEvent;

namespace rov2 {

/// What the editable grids share: a table view whose open cell editor can be
/// stored or dropped from outside (a save, a focus change, Esc), and whose
/// keys are told apart the same way.
class EditingTableView : public QTableView
{
    Q_OBJECT

public:
    explicit EditingTableView(QWidget* parent);

    /// The editor open on the current cell, or nullptr.
    QWidget* currentEditor() const;
    /// Stores what the open editor holds and closes it.
    /// @return false when no editor was open.
    bool commitPendingEdit();
    /// Closes the open editor without storing it.
    void discardPendingEdit();
    /// A click on the current cell asked for its editor, which waits for the
    /// double-click interval to pass first.
    bool editPending() const { return clickEdit_.isActive(); }

    /// Typing into a cell that cannot be edited must not jump to another row.
    void keyboardSearch(const QString& /*search*/) override {}

    /// The modifiers that matter: the keypad's own is ignored.
    static Qt::KeyboardModifiers significant(const QKeyEvent& key);
    /// Enter or Return, on its own.
    static bool isEnter(const QKeyEvent& key);
    /// F4 or Alt+Down: the keys that open a cell's pick list.
    static bool opensList(const QKeyEvent& key);
    /// A printable character typed (with or without Shift).
    static bool isTyped(const QKeyEvent& key);

protected:
    /// A click on the current cell waits to tell a click from a double-click,
    /// as Qt's own wait does; a key typed meanwhile opens the editor at once
    /// and goes into it (Qt's wait would drop it). A grid that overrides
    /// edit() passes on to this one.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    /// Characters that reach the grid while its editor opens go into the editor.
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    bool forwardToEditor(QKeyEvent& key);

    QBasicTimer clickEdit_;
    QPersistentModelIndex clickedIndex_;
};

} // namespace rov2
