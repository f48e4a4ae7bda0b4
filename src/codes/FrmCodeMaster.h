#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace rov2 {

class CodeGridDelegate;
class CodeGridView;
class CodeTableModel;
class SexPickList;

/// The code-table screen: the four code lists that feed the customer screen's
/// drop-downs (区分1, 区分2, 敬称, 続柄), thirty slots each, edited one list at
/// a time in a grid over the work table wコードマスタ and saved back whole.
/// Closing it unloads it (deletes it).
class FrmCodeMaster : public QWidget
{
    Q_OBJECT

public:
    explicit FrmCodeMaster(QWidget* parent = nullptr);
    ~FrmCodeMaster() override;

    /// The load sequence: set-up, the empty slots, the first kind and its list.
    void Form_Load();

    void FormInit();
    /// Resets the work slots. @return false when they could not be reset
    /// (logged); the caller tells the user.
    bool Clearコード明細();
    void Readコードマスタ();
    /// Saves the work slots as the list of the chosen kind. With @p confirm the
    /// user is asked first and told when it is done.
    /// @return true when the list was saved.
    bool Entryコードマスタ(bool confirm);
    void Deleteコードマスタ();

    /// The kind whose list the grid holds; empty after a reset.
    const QString& loadedKind() const { return loadedKind_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Coming forward after the data file was replaced, reads the list shown again.
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    QWidget* buildButtonBar();
    void nameControls();
    void connectControls();

    void connectKeys();
    void pressEscape();
    bool kindBoxKey(int key, const QString& text);
    void cmb区分_Click();
    void focusKindBox();
    void applyColumnLayout(const QString& kind);
    int twips(int value) const;

    void cmd戻る_Click();
    void cmdメニュー_Click();
    void cmdクリア_Click();
    void cmd閉じる_Click();
    void cmd読込_Click();
    void cmdHint_Click();

    void noteUnwritten(int column, const QVariant& value);
    void tellUnwritten();
    void switchInputMethod(const QModelIndex& current);
    void openGenderList(const QModelIndex& index);
    void takeGender(const QString& text);

    QComboBox* cmb区分_ = nullptr;
    CodeTableModel* datコードマスタ_ = nullptr;
    CodeGridView* Gridコードマスタ_ = nullptr;
    CodeGridDelegate* cells_ = nullptr;
    SexPickList* Lst性別_ = nullptr;
    QLabel* lblMsg_ = nullptr;
    QLabel* Label37_ = nullptr;
    QPushButton* cmd読込_ = nullptr;
    QPushButton* cmdHint_ = nullptr;
    QPushButton* cmd戻る_ = nullptr;
    QPushButton* cmdメニュー_ = nullptr;
    QPushButton* cmd登録_ = nullptr;
    QPushButton* cmd削除_ = nullptr;
    QPushButton* cmdクリア_ = nullptr;
    QPushButton* cmd閉じる_ = nullptr;

    QString loadedKind_;
    QString unwritten_;  ///< what the work table refused, until the user is told
    int genderRow_ = -1; ///< the row whose gender list is open
    int dataFileSeen_ = 0; ///< env().dataFileVersion when the list shown was read
};

} // namespace rov2
