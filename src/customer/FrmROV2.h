#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QVariantMap>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;

namespace rov2 {

class ComboBox;
class DateBox;
class FamilyGrid;
class NumberBox;
class TextBox;

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
    /// refills the code-list drop-downs after the code table was saved.
    void Form_Activate();

    void FormInit();
    /// Rebuilds the lists of one kind: "敬称", "区分1", "区分2", "顧客", "続柄" or "すべて".
    void SetComb(const QString& kind);
    void Clear顧客情報画面();
    void Clear家族情報();
    void Read家族情報(const QString& name);
    void Read顧客情報(const QString& name);
    void Entry顧客マスタ(const QString& name);
    void Delete顧客();

    /// The screen a hub button opens; nothing happens when it is not registered.
    void openScreen(const QString& name);

    // Above the tabs.
    ComboBox* cmb顧客名;
    QPushButton* cmd顧客参照;
    QPushButton* cmd顧客参照50;
    QTabWidget* Tab顧客情報;
    // Tab 0 個人情報.
    ComboBox* cmb敬称;
    TextBox* txtTEL1;
    TextBox* txtTEL2;
    TextBox* txtFAX;
    TextBox* txtふりがな;
    ComboBox* cmb区分1;
    ComboBox* cmb区分2;
    DateBox* dt生年月日;
    NumberBox* num年齢;
    ComboBox* cmb性別;
    ComboBox* cmbクイック;
    TextBox* txtEmail;
    TextBox* txt郵便番号;
    QPushButton* cmd郵便;
    TextBox* txt住所1;
    TextBox* txt住所2;
    TextBox* txt顧客メモ;
    // Tab 1 家族情報・その他.
    TextBox* txt印刷名;
    FamilyGrid* Grid家族;
    // Below the tabs.
    QPushButton* cmd登録;
    QPushButton* cmdクリア;
    QPushButton* cmd削除;
    QPushButton* Command3;  ///< 一覧
    QPushButton* Command11; ///< 保守
    QPushButton* Command5;  ///< コード表
    QPushButton* CmdHint;
    QPushButton* cmd閉じる;
    QLabel* Label20;
    QLabel* LblEntNum;
    QLabel* Image1;
    QFrame* CnMsg;
    QLabel* LMsg;

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

    void leave顧客名();
    void leave敬称();
    void leave区分(ComboBox* box, const QString& kind, bool enabled);
    void leave生年月日();
    void leave郵便番号();
    void clickHint();
    void clickLogo();

    void fillInputs(const QVariantMap& fields);
    QVariantMap collectInputs() const;
    /// The end of a save, a clear: an empty screen on tab 0, the focus in 顧客名.
    void endRecordAction();
    void unloadOtherWindows();
    /// Refills 敬称, 区分1, 区分2 and 続柄 when a code list was saved since
    /// they were filled; what the user typed into them stays.
    void refreshCodeLists();

    /// The screens this window opened, in the order they were last opened.
    QList<QPointer<QWidget>> opened_;
    /// env().codeListsVersion when the code-list drop-downs were last filled.
    int codeListsSeen_ = 0;
};

/// The address the logo opens.
extern const char* const kMakerPage;

} // namespace rov2
