#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include <optional>

class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;

namespace rov2 {

class ComboBox;
class Database;
class DateBox;
class FamilyGrid;
class NumberBox;
class TextBox;

// Hidden from moc, which cannot parse enumerators that are not ASCII.
#ifndef Q_MOC_RUN
/// The drop-down lists SetComb rebuilds: one list of the code table, the
/// customer names, the family relationships, or all of them.
enum class CustomerComb { すべて, 顧客, 続柄, 敬称, 区分1, 区分2 };

/// The code table's kind of @p list ("敬称", "区分1", "区分2"); empty for the
/// lists that do not come from the code table.
QString codeTableKind(CustomerComb list);
#endif

/// The customer screen and main window: one customer at a time is looked up
/// by name, edited with its family, saved and deleted. It is also the hub from
/// which the other screens are opened, and closing it ends the program.
class FrmROV2 : public QWidget {
    Q_OBJECT
public:
    explicit FrmROV2(QWidget* parent = nullptr);
    ~FrmROV2() override;

    /// The load sequence after the locations are fixed: settings, set-up,
    /// lists, an empty record and ten empty family rows.
    void Form_Load();
    /// Takes over a customer name handed over by the customer list, and
    /// refills the code-list drop-downs after the code table was saved; after
    /// the data file was replaced, loads the screen afresh first.
    void Form_Activate();

    void FormInit();
    /// Rebuilds @p list, or every list.
    void SetComb(CustomerComb list);
    void Clear顧客情報画面();
    void Clear家族情報();
    /// Copies the customer's family rows into the grid's work table.
    /// @return false when that failed (logged; the grid then shows no rows).
    bool Read家族情報(const QString& name);
    /// Reads the customer of that name into the inputs and its family into the
    /// grid. A read that fails is told to the user, and saving or deleting the
    /// name is refused until a read of it succeeds.
    /// @return false when the customer could not be read.
    bool Read顧客情報(const QString& name);
    /// Saves the inputs and the family grid under @p name, after the name
    /// box's leave check when the name in the box was not checked yet.
    void Entry顧客マスタ(const QString& name);
    /// The family part of a save, inside the save's transaction on @p data:
    /// replaces the customer's family rows with the grid's named rows.
    [[nodiscard]] bool Entry家族情報(Database& data, const QString& name);
    void Delete顧客();

    /// The screen a hub button opens; nothing happens when it is not registered.
    void openScreen(const QString& name);

    // The controls, for tests and assistive tools; each also carries its name as objectName.
    ComboBox* cmb顧客名() const { return cmb顧客名_; }
    QPushButton* cmd顧客参照() const { return cmd顧客参照_; }
    QPushButton* cmd顧客参照50() const { return cmd顧客参照50_; }
    QTabWidget* Tab顧客情報() const { return Tab顧客情報_; }
    ComboBox* cmb敬称() const { return cmb敬称_; }
    TextBox* txtTEL1() const { return txtTEL1_; }
    TextBox* txtTEL2() const { return txtTEL2_; }
    TextBox* txtFAX() const { return txtFAX_; }
    TextBox* txtふりがな() const { return txtふりがな_; }
    ComboBox* cmb区分1() const { return cmb区分1_; }
    ComboBox* cmb区分2() const { return cmb区分2_; }
    DateBox* dt生年月日() const { return dt生年月日_; }
    NumberBox* num年齢() const { return num年齢_; }
    ComboBox* cmb性別() const { return cmb性別_; }
    ComboBox* cmbクイック() const { return cmbクイック_; }
    TextBox* txtEmail() const { return txtEmail_; }
    TextBox* txt郵便番号() const { return txt郵便番号_; }
    QPushButton* cmd郵便() const { return cmd郵便_; }
    TextBox* txt住所1() const { return txt住所1_; }
    TextBox* txt住所2() const { return txt住所2_; }
    TextBox* txt顧客メモ() const { return txt顧客メモ_; }
    TextBox* txt印刷名() const { return txt印刷名_; }
    FamilyGrid* Grid家族() const { return Grid家族_; }
    QPushButton* cmd登録() const { return cmd登録_; }
    QPushButton* cmdクリア() const { return cmdクリア_; }
    QPushButton* cmd削除() const { return cmd削除_; }
    QPushButton* Command3() const { return Command3_; }  ///< 一覧
    QPushButton* Command11() const { return Command11_; } ///< 保守
    QPushButton* Command5() const { return Command5_; }  ///< コード表
    QPushButton* CmdHint() const { return CmdHint_; }
    QPushButton* cmd閉じる() const { return cmd閉じる_; }
    QLabel* Label20() const { return Label20_; }
    QLabel* LblEntNum() const { return LblEntNum_; }
    QLabel* Image1() const { return Image1_; }
    QFrame* CnMsg() const { return CnMsg_; }
    QLabel* LMsg() const { return LMsg_; }

    /// Shows or hides the busy panel with its text.
    void showBusy(const QString& text);
    void hideBusy();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    QWidget* buildPersonalTab();
    QWidget* buildFamilyTab();
    QWidget* buildButtonBar();
    void nameControls();
    void setInputOrder();
    void connectControls();
    void connectLeaveChecks();
    void connectHub();

    bool functionKey(int key);
    bool movementKey(QWidget* input, int key);
    void moveTo(QWidget* target);

    /// @return false when the name was too long or its customer could not be read.
    bool cmb顧客名_LostFocus();
    /// Runs the name box's leave check unless the name in the box was checked
    /// since it last changed. @return true when a save or delete may go on.
    bool checkNameFirst();
    void reportUnreadable(const QString& name, const QString& file);
    bool readFamily(const QString& name, QString* failedFile);
    void cmb敬称_LostFocus();
    void leave区分(ComboBox* box, CustomerComb list, bool enabled);
    void dt生年月日_LostFocus();
    void txt郵便番号_LostFocus();
    void CmdHint_Click();
    void Image1_Click();
    /// 顧客 and F3: the customer search; the chosen customer is read.
    void cmd顧客参照_Click();
    /// 顧客50 and F4: the search in kana syllabary order; its answer is read even when empty.
    void cmd顧客参照50_Click();
    /// 郵便: the postal-code search, after checking that the dictionary exists.
    void cmd郵便_Click();

    void fillInputs(const QVariantMap& fields);
    QVariantMap collectInputs() const;
    /// The end of a save, a clear: an empty screen on tab 0, the focus in 顧客名.
    void endRecordAction();
    void unloadOtherWindows();
    /// Refills 敬称, 区分1, 区分2 and 続柄 when a code list was saved since
    /// they were filled; what the user typed into them stays.
    void refreshCodeLists();
    /// Refills the drop-downs of those of @p kinds that are code lists ("敬称",
    /// "区分1", "区分2"). A list that cannot be read keeps what it offered; the
    /// user is told once.
    void reloadCodeLists(const QStringList& kinds);

    /// The screens this window opened, in the order they were last opened.
    QList<QPointer<QWidget>> opened_;
    /// env().codeListsVersion when the code-list drop-downs were last filled.
    int codeListsSeen_ = 0;
    /// env().dataFileVersion when the screen last read the data file.
    int dataFileSeen_ = 0;
    /// The name whose leave check last read its customer (found or not);
    /// nothing after a read failed. A save or delete of any other name runs
    /// the leave check first.
    std::optional<QString> checkedName_ = QString();

    ComboBox* cmb顧客名_ = nullptr;
    QPushButton* cmd顧客参照_ = nullptr;
    QPushButton* cmd顧客参照50_ = nullptr;
    QTabWidget* Tab顧客情報_ = nullptr;
    ComboBox* cmb敬称_ = nullptr;
    TextBox* txtTEL1_ = nullptr;
    TextBox* txtTEL2_ = nullptr;
    TextBox* txtFAX_ = nullptr;
    TextBox* txtふりがな_ = nullptr;
    ComboBox* cmb区分1_ = nullptr;
    ComboBox* cmb区分2_ = nullptr;
    DateBox* dt生年月日_ = nullptr;
    NumberBox* num年齢_ = nullptr;
    ComboBox* cmb性別_ = nullptr;
    ComboBox* cmbクイック_ = nullptr;
    TextBox* txtEmail_ = nullptr;
    TextBox* txt郵便番号_ = nullptr;
    QPushButton* cmd郵便_ = nullptr;
    TextBox* txt住所1_ = nullptr;
    TextBox* txt住所2_ = nullptr;
    TextBox* txt顧客メモ_ = nullptr;
    TextBox* txt印刷名_ = nullptr;
    FamilyGrid* Grid家族_ = nullptr;
    QPushButton* cmd登録_ = nullptr;
    QPushButton* cmdクリア_ = nullptr;
    QPushButton* cmd削除_ = nullptr;
    QPushButton* Command3_ = nullptr;
    QPushButton* Command11_ = nullptr;
    QPushButton* Command5_ = nullptr;
    QPushButton* CmdHint_ = nullptr;
    QPushButton* cmd閉じる_ = nullptr;
    QLabel* Label20_ = nullptr;
    QLabel* LblEntNum_ = nullptr;
    QLabel* Image1_ = nullptr;
    QFrame* CnMsg_ = nullptr;
    QLabel* LMsg_ = nullptr;

};

/// The address the logo opens.
extern const char* const kMakerPage;

} // namespace rov2
