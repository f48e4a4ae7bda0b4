#pragma once

#include <QKeyEvent>
#include <QList>

namespace rov2 {

/// The keys with which an input box hands the focus to the next or previous
/// input of its window (tab order). By default Enter and Down go forward and
/// Up goes back, as the boxes of the customer screen are set up.
class MoveKeys
{
public:
    enum class Move { None, Next, Previous };

    MoveKeys();

    /// Replaces both lists; empty lists switch the movement off. Key_Enter
    /// (keypad) and Key_Return stand for the same key.
    void set(const QList<int>& next, const QList<int>& previous);

    /// The move that @p event asks for. Only a key pressed alone moves:
    /// Shift+Enter or Alt+Down are left to the box.
    Move moveFor(const QKeyEvent& event) const;

    QList<int> next() const { return next_; }
    QList<int> previous() const { return previous_; }

private:
    QList<int> next_;
    QList<int> previous_;
};

} // namespace rov2
