#pragma once

#include <QComboBox>

namespace rov2 {

/// The drop-down lists of the screens: editable (顧客名, 敬称, 区分1, 区分2),
/// whose text may be anything the user types, or fixed (性別, クイック).
///
/// What the user types is kept exactly: there is no completer that would
/// fill in or change the case of the text, Enter inserts no item, and
/// loading items does not put the first one into the text. Enter
/// and the arrow keys are not focus moves here; the screens code those,
/// and Enter passes on to the parent after the box has seen it.
class ComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBox(QWidget* parent = nullptr);

    /// Editable or fixed; switching to editable brings no completer.
    void setEditable(bool editable);

    /// The box's text: what is typed (editable) or the chosen item (fixed).
    QString text() const { return currentText(); }
    /// Editable: shows @p text, choosing its item when there is one. Fixed:
    /// chooses the item with that text, or none (empty box).
    void setText(const QString& text);

    /// Removes all items and empties the text.
    void clear();
    /// Replaces the items, keeping the current text when @p keepText.
    void replaceItems(const QStringList& items, bool keepText);

    /// Input method on or off while the box has the focus (editable only).
    void setImeOpen(bool open);
    bool imeOpen() const;

    using QComboBox::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

Q_SIGNALS:
    /// The focus went to another input of the window; not emitted when the
    /// box's own list drops down.
    void left();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void dropCompleter();
    void keepTextAfterInsert();

    QString textBeforeInsert_;
};

} // namespace rov2
