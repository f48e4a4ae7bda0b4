#include "LineInput.h"

#include "FocusLeave.h"
#include "ImeQuery.h"
#include "InputMethod.h"

#include <QStyle>
#include <QStyleOptionFrame>

namespace rov2 {

LineInput::LineInput(bool imeOpenByDefault, QWidget* parent)
    : QLineEdit(parent), imeOpenByDefault_(imeOpenByDefault)
{
    if (!imeOpenByDefault)
        setInputMethodHints(inputMethodHints() | kImeClosedHints);
}

void LineInput::setMoveKeys(const QList<int>& next, const QList<int>& previous)
{
    keys_.set(next, previous);
}

void LineInput::setImeOpen(bool open)
{
    SetImeOpen(this, open ? 1 : 0);
}

bool LineInput::imeOpen() const
{
    return imeOpenFor(this, imeOpenByDefault_);
}

QVariant LineInput::inputMethodQuery(Qt::InputMethodQuery query) const
{
    return imeQueryAnswer(this, query, QLineEdit::inputMethodQuery(query), imeOpenByDefault_);
}

void LineInput::keyPressEvent(QKeyEvent* event)
{
    const MoveKeys::Move move = keys_.moveFor(*event);
    if (move == MoveKeys::Move::None) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    focusNextPrevChild(move == MoveKeys::Move::Next);
}

void LineInput::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!isFocusLeave(this, event))
        return;
    tidyOnLeave();
    Q_EMIT left();
}

QSize LineInput::sizeForText(const QString& sample) const
{
    // QLineEdit keeps a margin of 2 pixels on either side of its text.
    const QMargins margins = textMargins();
    const int width = fontMetrics().horizontalAdvance(sample) + margins.left() + margins.right() + 4;
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QSize base = QLineEdit::sizeHint();
    const QSize full =
        style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(width, base.height()), this);
    return {full.width(), base.height()};
}

} // namespace rov2
