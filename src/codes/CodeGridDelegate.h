#pragma once

#include <QStyledItemDelegate>

namespace rov2 {

/// Editor and cell button of the code-table grid: a text box with the input
/// method on for the names, and the drop button drawn in the 性別 cells while
/// that column offers its gender list. Enter commits a name and closes its
/// editor (the screen then goes down a row); losing the focus commits it too.
class CodeGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CodeGridDelegate(QObject* parent);

    void setGenderButton(bool on) { genderButton_ = on; }
    bool genderButton() const { return genderButton_; }
    /// The drop button's place in a cell.
    static QRect buttonRect(const QRect& cell);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

Q_SIGNALS:
    /// Enter ended an edit of a name; it was committed and the editor closed.
    void enterCommitted();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool genderButton_ = false;
};

} // namespace rov2
