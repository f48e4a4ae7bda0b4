#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace rov2 {

namespace report {
class rptTack2601;
}

class ComboBox;
class CustomerListModel;
class FrmHagakiSettings;
class ListGridView;
struct ListCounts;
class PrintSelection;
class TackForm2601;
class TextBox;

// Hidden from moc, which cannot parse enumerators that are not ASCII.
#ifndef Q_MOC_RUN
/// The filter drop-downs SetComb fills from the code table: one or both.
enum class ListComb { すべて, 区分1, 区分2 };
#endif

/// The customer list: customers (and optionally their family members)
/// gathered by category, reading, birth month and sex into the work table
/// w顧客リスト, marked there, then printed, deleted or opened one at a time
/// on the customer screen.
///
/// Controls are reached by name (findChild) as the program's documents name
/// them: Cn検索条件, txtふりがな, cmb区分1, cmb区分2, cmb誕生月, cmb性別,
/// Chk家族, Command1, Command2, Command3, cmd_ENT, cmd印刷, cmdCSV出力,
/// cmbCSV文字コード, cmdクリア,
/// cmd全選択, cmd全解除, cmd削除, cmdメニュー, cmd戻る, cmd閉じる, CmdHint,
/// Grid明細, LblDispNum, LblAllNum, LblFamNum, frm印刷選択 (see PrintSelection).
class FrmKokyakuList : public QWidget {
    Q_OBJECT
public:
    explicit FrmKokyakuList(QWidget* parent = nullptr);
    ~FrmKokyakuList() override;

    /// What opening the screen does: the grid bound to the work file, the
    /// list and the filters emptied, the drop-downs filled.
    void Form_Load();

    /// Fills the filter drop-downs of @p which from the code table. The sex
    /// and birth-month lists are filled every time.
    void SetComb(ListComb which);
    /// Empties the list, the filters and the counts.
    void Clear顧客一覧();
    /// Lists what the filters ask for and shows the counts.
    void Read顧客一覧();
    /// Marks (true) or unmarks every row of the list.
    void OnOff顧客一覧(bool mark);
    /// Deletes the customers of the marked rows, after asking, and lists again.
    void Delete顧客マスタ();
    /// Hands the customer of a row to the customer screen and brings it forward.
    void openRow(int row);

    /// 印刷開始 on the print panel: with a marked row and a kind of print
    /// chosen, prints or previews it and hides the panel; otherwise says what
    /// is missing and leaves the panel open.
    void cmd印刷開始_Click();
    /// オプション on the print panel: the label start-position screen when a
    /// label print is chosen, the postcard settings when a postcard print is.
    void cmdオプション_Click();
    /// Copies the marked customers and family members into the print tables
    /// and prints (or previews) the list report that fits what was marked,
    /// each time as a new report object. A print that fails is told (印刷/失敗).
    /// @return the name of the report used; empty when the print data could
    /// not be made (the user is told, nothing is printed).
    QString SetPrnData(bool preview);
    /// Fills the label table from the marked rows, after as many blank labels
    /// as the start position says, and prints (or previews) the labels,
    /// moved by the stored print position adjustment. A print that fails is
    /// told (印刷/失敗).
    /// @return false when the label data could not be made (the user is told,
    /// nothing is printed).
    bool ExecTackPrn(bool preview);
    /// Prints (or previews) the address side of a postcard for each marked
    /// customer, its marked family members written beside its name, and for
    /// each marked member whose customer is not marked (postcardAddressees),
    /// as the postcard settings say, with the shop as the sender when they
    /// ask for it. A print that fails is told (印刷/失敗).
    /// @return false when the cards could not be made (the user is told,
    /// nothing is printed).
    bool PrintPostcards(bool preview);

    /// CSV出力: writes the marked customers (every listed one when none is
    /// marked) to a CSV file the user chooses, in the encoding chosen in
    /// cmbCSV文字コード; with 家族を含む their family rows go to a second file.
    /// @return true when the files were written.
    bool CSV出力();

    /// The list model behind Grid明細 (for the print routines and tests).
    CustomerListModel* listModel() const { return model_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Coming forward after the data file was replaced, loads the screen afresh.
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    QWidget* buildSearchPanel();
    QWidget* buildCounts();
    QWidget* buildButtonBar();
    void nameControls();
    void setInputOrder();
    void connectControls();

    bool functionKey(int key);
    bool enterKey(QWidget* focus);
    void Command3_Click();
    void Command2_Click();
    void cmdメニュー_Click();
    void cmd戻る_Click();
    void CmdHint_Click();
    void cmd印刷_Click();
    void connectPrintPanel();
    void openTackForm();
    void openHagakiSettings();
    void showBusy(const QString& text);
    void hideBusy();
    void showCounts(const ListCounts& n);
    void focusGrid();

    QFrame* Cn検索条件_ = nullptr;
    QLabel* lbl検索条件_ = nullptr;
    TextBox* txtふりがな_ = nullptr;
    ComboBox* cmb区分1_ = nullptr;
    ComboBox* cmb区分2_ = nullptr;
    ComboBox* cmb誕生月_ = nullptr;
    ComboBox* cmb性別_ = nullptr;
    QCheckBox* Chk家族_ = nullptr;
    QPushButton* Command2_ = nullptr;
    QPushButton* Command1_ = nullptr;
    ListGridView* Grid明細_ = nullptr;
    CustomerListModel* model_ = nullptr;
    PrintSelection* frm印刷選択_ = nullptr;
    QPointer<TackForm2601> tackForm_;
    QPointer<FrmHagakiSettings> hagakiForm_;
    QLabel* LblDispNum_ = nullptr;
    QLabel* LblAllNum_ = nullptr;
    QLabel* LblFamNum_ = nullptr;
    QLabel* Label20_ = nullptr;
    QPushButton* Command3_ = nullptr;
    QPushButton* cmd_ENT_ = nullptr;
    QPushButton* cmd印刷_ = nullptr;
    QPushButton* cmdCSV出力_ = nullptr;
    ComboBox* cmbCSV文字コード_ = nullptr;
    QPushButton* cmdクリア_ = nullptr;
    QPushButton* cmd全選択_ = nullptr;
    QPushButton* cmd全解除_ = nullptr;
    QPushButton* cmd削除_ = nullptr;
    QPushButton* cmdメニュー_ = nullptr;
    QPushButton* cmd戻る_ = nullptr;
    QPushButton* cmd閉じる_ = nullptr;
    QPushButton* CmdHint_ = nullptr;
    QFrame* CnMsg_ = nullptr;
    QLabel* LMsg_ = nullptr;
    /// env().dataFileVersion when the screen was loaded.
    int dataFileSeen_ = 0;
};

/// The label report: one object for the whole run of the program, restarted
/// by every label print.
report::rptTack2601& tackReport();

/// The name under which the screen is registered and found.
inline const QString kKokyakuListName = QStringLiteral("FrmKokyakuList");

} // namespace rov2
