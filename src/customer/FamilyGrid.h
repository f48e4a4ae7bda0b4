#pragma once

#include <QPersistentModelIndex>
#include <QWidget>

namespace rov2 {

struct CompanySettings;
struct Locations;
class FamilyGridDelegate;
class FamilyGridView;
class FamilyTableModel;
class RelationshipDropDown;
class SexPickList;

/// The family grid of the customer screen with its companions: the table
/// `Grid家族` over the work table w家族情報 (`dat家族`), the relationship
/// drop-down `DD続柄` of the 続柄 column and the pick list `Lst性別` of the
/// 性別 column. Every stored cell goes to the work table at once; the record
/// routines of the screen read and rewrite that table and call refresh().
///
/// Rules kept here: picking a relationship also sets the sex that goes with
/// it; a new relationship is added to the code list when the setting
/// 続柄登録 is on (then relationshipsChanged()); the input method is switched
/// per column; the grid losing the focus stores a half-typed cell.
class FamilyGrid : public QWidget
{
    Q_OBJECT

public:
    /// Works on the work file of @p locations and adds relationships to the
    /// code list of their data file; @p settings are read at each use (年号,
    /// 続柄登録). Both must outlive the grid.
    FamilyGrid(QWidget* parent, const Locations& locations, const CompanySettings& settings);

    void setWorkFile(const QString& path);
    /// Era display of 生年月日 in the grid and in its date editor.
    void setEraCalendar(bool era);

    /// Reads the work table again ("refresh dat家族").
    /// @return false when it could not be read.
    bool refresh();
    /// Shows no rows until the next refresh(): for when the work table could
    /// not be rewritten and still holds another customer's family.
    void showNoRows();
    /// The width that shows every column whole without scrolling.
    int contentWidth() const;
    /// Stores the cell being edited, if any; the save of the customer calls
    /// it first. @return false when no edit was pending.
    bool commitPendingEdit();

    FamilyTableModel* const dat家族;
    FamilyGridView* const Grid家族;
    RelationshipDropDown* const DD続柄;
    SexPickList* const Lst性別;

Q_SIGNALS:
    /// A relationship may have been added to the code list: rebuild w続柄.
    void relationshipsChanged();

private:
    FamilyGridDelegate* const delegate_;
    const Locations& locations_;
    const CompanySettings& settings_;

    void setUpColumns();
    void connectParts();
    void switchInputMethod(const QModelIndex& current);
    void takeCurrentAfterReset();

    void openSexList(const QModelIndex& index);
    void takeSex(const QString& text, bool moveOn);
    void openRelationshipList(const QModelIndex& index);
    void takeRelationship(const QString& name, const QString& sex);
    void relationshipListClosed();

    void onValueStored(int row, int column);
    void registerRelationship(int row);

    QPersistentModelIndex sexCell_;          ///< the cell whose pick list is open
    QPersistentModelIndex relationshipCell_; ///< the cell whose drop-down is open
    bool applyingPick_ = false;              ///< a pick stores two cells; the code list waits for both
};

} // namespace rov2
