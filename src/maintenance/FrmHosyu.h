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

Q_SIGNALS:
    /// 登録 has run and the program-wide settings were read again.
    void settingsSaved();

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
    void cmdクリア_Click();
    void cmdメニュー_Click();
    void cmd戻る_Click();
    void cmdHint1_Click();
    void CmdHint2_Click();
    // Backup, restore, copy and conversion. Plain members, not slots: moc
    // cannot take the Japanese names.
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command11_Click();
    void cmd自動保存読込_Click(); ///< Enter on the list too
    void Command16_Click();
    BackupJob backupJob();
    void afterRestore(BackupOutcome outcome);
    /// After the data file was replaced or filled from an old one.
    void followNewData();
    void openHint(const QString& buttonName);
    bool confirmDataLocation(const QString& path);
    /// The summary shown after a CSV import.
    void reportCsvImport(const CsvImportReport& report);

    CsvMappingChooser csvMappingChooser_;
    /// The completion notice, or what went wrong.
    void reportDeletion(const QString& subject, bool done);

    QTabWidget* SSTab_ = nullptr;
    // 設定
    TextBox* txtDataPath_ = nullptr;
    QPushButton* Command2_ = nullptr;
    TextBox* txtYubinPath_ = nullptr;
    QPushButton* Command3_ = nullptr;
    QCheckBox* chkYubinEria_ = nullptr;
    TextBox* txtYubinEriaName_ = nullptr;
    QCheckBox* Chk敬称_ = nullptr;
    QCheckBox* Chk区分1_ = nullptr;
    QCheckBox* Chk区分2_ = nullptr;
    QCheckBox* Chk続柄_ = nullptr;
    ComboBox* cmb年号_ = nullptr;
    ComboBox* cmb性別_ = nullptr;
    ComboBox* cmbクイック_ = nullptr;
    TextBox* txt自社名_ = nullptr;
    TextBox* txt自社郵便番号_ = nullptr;
    TextBox* txt自社住所_ = nullptr;
    TextBox* txt自社電話番号_ = nullptr;
    QPushButton* cmdHint1_ = nullptr;
    QLabel* Image1_ = nullptr;
    // データ保守
    QLabel* Label5_ = nullptr;
    ComboBox* cmbFDD_ = nullptr;
    QPushButton* Command7_ = nullptr;
    QPushButton* Command9_ = nullptr;
    QPushButton* Command8_ = nullptr;
    QPushButton* Command11_ = nullptr;
    QPushButton* cmdCSV読込_ = nullptr;
    DailyCopyPanel* pnl自動保存_ = nullptr;
    QLabel* FddMsg_ = nullptr;
    QPushButton* CmdHint2_ = nullptr;
    // データ削除
    QPushButton* Command1_ = nullptr;
    QPushButton* Command6_ = nullptr;
    QPushButton* Command5_ = nullptr;
    // データコンバータ
    QLabel* Label26_ = nullptr;
    ComboBox* cmbアプリ名_ = nullptr;
    TextBox* txtSrcPath_ = nullptr;
    QPushButton* Command17_ = nullptr;
    QPushButton* Command16_ = nullptr;
    QFrame* Cnコンバート_ = nullptr;
    QLabel* Label29_ = nullptr;
    QLabel* Lblコンバート_ = nullptr;
    QLabel* lblコンバート2_ = nullptr;
    // Command row
    QLabel* Label37_ = nullptr;
    QPushButton* cmd登録_ = nullptr;
    QPushButton* cmd閉じる_ = nullptr;
    QPushButton* cmdクリア_ = nullptr;
    QPushButton* cmdメニュー_ = nullptr;
    QPushButton* cmd戻る_ = nullptr;
};

} // namespace rov2
