#pragma once

#include "BackupJob.h"
#include "CustomerCsvImport.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;

namespace rov2 {

class ComboBox;
class DailyCopyPanel;
class TextBox;

/// The maintenance screen (保守): the program settings and data locations,
/// backing the data file up and reading it back, bulk deletion and the
/// conversion of the previous version's data, on four tabs.
///
/// The controls keep their names as objectName (tests find them with
/// findChild); the routines below are what the buttons run.
class FrmHosyu : public QWidget {
    Q_OBJECT
public:
    explicit FrmHosyu(QWidget* parent = nullptr);
    ~FrmHosyu() override;

    /// What the screen does when it is opened: the settings controls reset
    /// and loaded from both files, the program-wide settings refreshed, the
    /// converter's and the drive list's starting values.
    void Form_Load();

    // The 設定 tab.
    /// Puts the default settings into the controls and empties both paths.
    void Clear保守画面();
    /// Loads 自社情報's first row into the controls; with no row (or no
    /// readable file) the controls keep what they hold.
    void Read自社情報();
    /// Asks, then replaces 自社情報 by one row made from the controls.
    /// @return true when the row was written.
    bool Entry自社情報();
    /// Loads 管理's first row into the two path boxes; with no row they keep
    /// what they hold.
    void ReadEnv();
    /// Replaces 管理 by one row made from the path boxes (an empty box is
    /// Null: the default location). A data path that is not a data file of
    /// this program is stored only when the user says so.
    /// @return true when the row was written.
    bool EntryEnv();
    /// 登録: the settings, then the locations whatever was answered for the
    /// settings, then the program-wide settings read again.
    void EntrySettings();
    /// Command2 and Command3: the chosen file replaces the box's text.
    void ChooseDataFile();
    void ChooseYubinFile();

    /// cmdCSV読込: customers from a spreadsheet's CSV file. The file is chosen
    /// through the dialogs, the columns are matched to fields (see
    /// setCsvMappingChooser), then the rows are added in one transaction with
    /// a progress bar whose Cancel leaves the data file as it was, and the
    /// counts and the refused rows are reported. A family file (as the CSV
    /// export writes beside the customer file) goes to the named customers'
    /// families instead.
    void ReadCsvFile();

    /// Asks how a CSV file's columns map to fields; nothing: the user cancelled.
    using CsvMappingChooser =
        std::function<std::optional<CsvImportOptions>(QWidget* owner, const QString& path, const CsvTable& table)>;
    /// Replaces the mapping dialog (CsvImportDialog), e.g. in tests.
    void setCsvMappingChooser(CsvMappingChooser chooser);

    // The データ削除 tab. Each deletion runs as a whole or not at all.
    /// Customers, families and code names after one question, with one notice.
    void DeleteAllData();
    /// @param confirm true: asks first and reports; false: silent.
    /// @return true when the rows were deleted.
    bool DeleteAllKokyaku(bool confirm);
    /// Blanks every name of the code tables, keeping their slots; never asks.
    /// @return true when done.
    bool DelAllCodeMaster();
    /// Command5: DelAllCodeMaster after a question, with a notice.
    void DeleteCodeTables();
    /// The incoming-call history, after a question. No control starts it.
    void DeleteAll着信履歴();
    /// One customer's record, call history and phone numbers by its number,
    /// after a question naming @p name. No control starts it.
    void DelSiteiKokyaku(qint64 code, const QString& name);

    // The データコンバータ tab.
    /// Command17: a chosen folder gives the path of the old data file in it.
    void ChooseSourceFolder();

    /// Registers the screen as "FrmHosyu": created and loaded when first
    /// asked for, deleted when it is closed, so that the next opening loads it
    /// afresh. @p afterSettingsSaved runs after each 登録 (the main screen
    /// follows the new settings).
    static void registerScreen(std::function<void()> afterSettingsSaved);

Q_SIGNALS:
    /// 登録 has run and the program-wide settings were read again.
    void settingsSaved();

private Q_SLOTS:
    // The backup, restore, copy and conversion routines are wired here.
    void clickFloppyBackup();   ///< Command7
    void clickFloppyRestore();  ///< Command8
    void clickCopyToFolder();   ///< Command9
    void clickReadFromFolder(); ///< Command11
    void clickRestoreDailyCopy(); ///< cmd自動保存読込 (Enter on the list too)
    void clickConvert();        ///< Command16
    BackupJob backupJob();
    void afterRestore(BackupOutcome outcome);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildSettingsTab();
    QWidget* buildShopGroup(QWidget* page);
    QWidget* buildBackupTab();
    QWidget* buildDeletionTab();
    QWidget* buildConverterTab();
    QWidget* buildCommandRow();
    void nameControls();
    void setInputOrder();
    void connectControls();
    void bindKeys();

    /// The inputs of the 設定 tab in the order Enter/Down and Up go through them.
    QList<QWidget*> settingsInputs() const;
    /// Enter/Down and Up on an input of the 設定 tab.
    bool moveFrom(QWidget* input, int key);
    void goToMain();
    void goBack();
    /// After the data file was replaced or filled from an old one.
    void followNewData();
    void clickHint(const QString& buttonName);
    bool confirmDataLocation(const QString& path);
    /// The summary shown after a CSV import.
    void reportCsvImport(const CsvImportReport& report);

    CsvMappingChooser csvMappingChooser_;
    /// The completion notice, or what went wrong.
    void reportDeletion(const QString& subject, bool done);

    QTabWidget* SSTab = nullptr;
    // 設定
    TextBox* txtDataPath = nullptr;
    QPushButton* Command2 = nullptr;
    TextBox* txtYubinPath = nullptr;
    QPushButton* Command3 = nullptr;
    QCheckBox* chkYubinEria = nullptr;
    TextBox* txtYubinEriaName = nullptr;
    QCheckBox* Chk敬称 = nullptr;
    QCheckBox* Chk区分1 = nullptr;
    QCheckBox* Chk区分2 = nullptr;
    QCheckBox* Chk続柄 = nullptr;
    ComboBox* cmb年号 = nullptr;
    ComboBox* cmb性別 = nullptr;
    ComboBox* cmbクイック = nullptr;
    TextBox* txt自社名 = nullptr;
    TextBox* txt自社郵便番号 = nullptr;
    TextBox* txt自社住所 = nullptr;
    TextBox* txt自社電話番号 = nullptr;
    QPushButton* cmdHint1 = nullptr;
    QLabel* Image1 = nullptr;
    // データ保守
    QLabel* Label5 = nullptr;
    ComboBox* cmbFDD = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command11 = nullptr;
    QPushButton* cmdCSV読込 = nullptr;
    DailyCopyPanel* pnl自動保存 = nullptr;
    QLabel* FddMsg = nullptr;
    QPushButton* CmdHint2 = nullptr;
    // データ削除
    QPushButton* Command1 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command5 = nullptr;
    // データコンバータ
    QLabel* Label26 = nullptr;
    ComboBox* cmbアプリ名 = nullptr;
    TextBox* txtSrcPath = nullptr;
    QPushButton* Command17 = nullptr;
    QPushButton* Command16 = nullptr;
    QFrame* Cnコンバート = nullptr;
    QLabel* Label29 = nullptr;
    QLabel* Lblコンバート = nullptr;
    QLabel* lblコンバート2 = nullptr;
    // Command row
    QLabel* Label37 = nullptr;
    QPushButton* cmd登録 = nullptr;
    QPushButton* cmd閉じる = nullptr;
    QPushButton* cmdクリア = nullptr;
    QPushButton* cmdメニュー = nullptr;
    QPushButton* cmd戻る = nullptr;
};

} // namespace rov2
