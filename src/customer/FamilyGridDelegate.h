#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QFocusEvent;
class QKeyEvent;

namespace rov2 {

struct CompanySettings;

/// Editors and cell buttons of the family grid: a text box per text column
/// with the input method set for that column, the date box for 生年月日, a
/// number box for 誕生月 and 年齢, and a drop button drawn in the cells of
/// 続柄 and 性別.
///
/// It also decides when an edit ends: Enter and Tab commit (the view then
/// moves on), Esc reverts, and the loss of the focus commits, so that a click
/// on a button of the screen never loses a half-typed cell.
class FamilyGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    /// @p settings decide the calendar of a date editor over another model
    /// than the family grid's; they must outlive the delegate.
    FamilyGridDelegate(QObject* parent, const CompanySettings& settings);

    static bool hasButton(int column);
    /// The drop button's place in a cell.
    static QRect buttonRect(const QRect& cell);

    /// A widget that may take the focus from an open editor without ending
    /// the edit: the relationship drop-down, which fills the cell itself.
    void setCompanion(QWidget* companion) { companion_ = companion; }

    /// True when the focus change of @p event ends the edit in @p editor:
    /// the focus went neither into the editor (or a popup of its own) nor to
    /// the companion.
    bool focusLossEndsEdit(const QWidget* editor, const QFocusEvent& event) const;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

Q_SIGNALS:
    /// Enter ended an edit; the edit was committed and the editor closed.
    void enterCommitted();
    /// Tab or Shift+Tab ended an edit, likewise.
    void tabCommitted(bool backwards);
    /// F4 or Alt+Down in the 続柄 editor: the drop-down is wanted.
    void dropDownRequested();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool handleKey(QWidget* editor, const QKeyEvent& key);
    void finish(QWidget* editor);

    QPointer<QWidget> companion_;
    const CompanySettings& settings_;
};

} // namespace rov2
