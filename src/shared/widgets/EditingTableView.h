#pragma once

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
};

} // namespace rov2
