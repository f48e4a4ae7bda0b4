#include "MoveKeys.h"

#include <algorithm>

namespace rov2 {

namespace {

int sameKey(int key)
{
    return key == Qt::Key_Enter ? int(Qt::Key_Return) : key;
}

bool holds(const QList<int>& keys, int key)
{
    return std::any_of(keys.begin(), keys.end(), [key](int k) { return sameKey(k) == sameKey(key); });
}

} // namespace

MoveKeys::MoveKeys() : next_{Qt::Key_Return, Qt::Key_Down}, previous_{Qt::Key_Up} {}

void MoveKeys::set(const QList<int>& next, const QList<int>& previous)
{
    next_ = next;
    previous_ = previous;
}

MoveKeys::Move MoveKeys::moveFor(const QKeyEvent& event) const
{
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return Move::None;
    if (holds(next_, event.key()))
        return Move::Next;
    if (holds(previous_, event.key()))
        return Move::Previous;
    return Move::None;
}

} // namespace rov2
