#pragma once

#include "MoveKeys.h"

#include <QLineEdit>

namespace rov2 {

/// What the text, number and date boxes have in common: the keys that move
/// the focus through the window, the input-method switch, and the signal that
/// the box was left.
class LineInput : public QLineEdit
{
    Q_OBJECT

public:
    /// Next keys (default Enter, Down) and previous keys (default Up); empty
    /// lists switch the movement off, e.g. for a box used as a grid cell editor.
    void setMoveKeys(const QList<int>& next, const QList<int>& previous);
    QList<int> nextKeys() const { return keys_.next(); }
    QList<int> previousKeys() const { return keys_.previous(); }

    /// Input method on or off while this box has the focus; the same as
    /// SetImeOpen with 1 or 0.
    void setImeOpen(bool open);
    bool imeOpen() const;

    using QLineEdit::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

Q_SIGNALS:
    /// The focus went to another input of the window (see isFocusLeave);
    /// emitted after the box has tidied its text.
    void left();

protected:
    LineInput(bool imeOpenByDefault, QWidget* parent);

    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    /// Called on leaving, before left(): the place to reformat the text.
    virtual void tidyOnLeave() {}

    /// A size hint wide enough for @p sample and the text margins (where a
    /// box keeps its button), as tall as a line edit.
    QSize sizeForText(const QString& sample) const;

private:
    MoveKeys keys_;
    bool imeOpenByDefault_;
};

} // namespace rov2
