// The print panel of the customer list: the dispatch of 印刷開始, the list
// reports, the address labels and the postcards.
#include "ComboBox.h"
#include "CustomerCsvExport.h"
#include "CustomerFamilyListReport.h"
#include "CustomerListModel.h"
#include "CustomerListReport.h"
#include "Dialogs.h"
#include "FamilyListReport.h"
#include "FindTrueRecord.h"
#include "FrmHagakiSettings.h"
#include "FrmKokyakuList.h"
#include "LabelSettings.h"
#include "Messages.h"
#include "OwnFiles.h"
#include "PostcardAddressees.h"
#include "PostcardReport.h"
#include "PostcardSettings.h"
#include "PrintDataStore.h"
#include "PrintSelection.h"
#include "ProgramEnv.h"
#include "ReportPreview.h"
#include "ShowPreview.h"
#include "TackForm2601.h"
#include "TackReport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtDebug>
#include <memory>

namespace rov2 {

report::rptTack2601& tackReport()
{
    static report::rptTack2601 report{QString()};
    return report;
}

namespace {

/// The list report for what was marked.
std::unique_ptr<report::Report> listReportFor(const ListPrintData& marked, const QString& workFile,
                                              const CompanySettings& settings)
{
    if (marked.customers && marked.family)
        return std::make_unique<report::rpt顧客家族一覧>(workFile, settings);
    if (marked.family)
        return std::make_unique<report::rpt家族情報一覧>(workFile, settings);
    return std::make_unique<report::rpt顧客一覧>(workFile, settings);
}

QString reportName(const ListPrintData& marked)
{
    if (marked.customers && marked.family)
        return QStringLiteral("rpt顧客家族一覧");
    return marked.family ? QStringLiteral("rpt家族情報一覧") : QStringLiteral("rpt顧客一覧");
}

const QString kPostcardCaption = QStringLiteral("はがき宛名");

void tellPrintDataFailed()
{
    ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                QStringLiteral("印刷データを作成できませんでした。"));
}

} // namespace

void FrmKokyakuList::connectPrintPanel()
{
    connect(frm印刷選択_->startButton(), &QPushButton::clicked, this, &FrmKokyakuList::cmd印刷開始_Click);
    connect(frm印刷選択_->optionButton(), &QPushButton::clicked, this, &FrmKokyakuList::cmdオプション_Click);
    connect(frm印刷選択_->closeButton(), &QPushButton::clicked, frm印刷選択_, &QWidget::hide);
}

void FrmKokyakuList::cmd印刷_Click()
{
    frm印刷選択_->setVisible(!frm印刷選択_->isVisible());
    if (frm印刷選択_->isVisible())
        frm印刷選択_->firstInput()->setFocus(Qt::OtherFocusReason);
}

void FrmKokyakuList::cmd印刷開始_Click()
{
    if (FindTrueRecord(model_->workFile(), QStringLiteral("w顧客リスト"), QStringLiteral("チェック")) == 0) {
        ShowMessage(MsgOp::行指定, MsgKind::指定なし, QString());
        return;
    }
    switch (frm印刷選択_->choice()) {
    case PrintChoice::None:
        ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                    QStringLiteral("どれを印刷するか指定してください"));
        return;
    case PrintChoice::Tack:
        ExecTackPrn(false);
        break;
    case PrintChoice::List:
        SetPrnData(false);
        break;
    case PrintChoice::TackPreview:
        ExecTackPrn(true);
        break;
    case PrintChoice::ListPreview:
        SetPrnData(true);
        break;
    case PrintChoice::Postcard:
        PrintPostcards(false);
        break;
    case PrintChoice::PostcardPreview:
        PrintPostcards(true);
        break;
    }
    frm印刷選択_->hide();
}

void FrmKokyakuList::cmdオプション_Click()
{
    if (frm印刷選択_->labelsChosen())
        openTackForm();
    else if (frm印刷選択_->postcardsChosen())
        openHagakiSettings();
}

void FrmKokyakuList::openTackForm()
{
    if (!tackForm_) {
        tackForm_ = new TackForm2601(this);
        tackForm_->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        tackForm_->Form_Load();
    }
    tackForm_->show();
    tackForm_->raise();
    tackForm_->activateWindow();
}

QString FrmKokyakuList::SetPrnData(bool preview)
{
    showBusy(QStringLiteral("印刷準備中です････"));
    const std::optional<ListPrintData> marked =
        PrintDataStore::fillListPrint(env().locations.dataFile, model_->workFile());
    hideBusy();
    if (!marked) {
        qWarning("list print: the print tables could not be filled");
        tellPrintDataFailed();
        return {};
    }
    // A new report each time: a preview keeps its own pages after the report is gone.
    std::unique_ptr<report::Report> report = listReportFor(*marked, env().locations.workFile, env().settings);
    if (!report->Restart())
        qWarning("list print: the report could not read its rows");
    const OwnFiles own = ownFiles(env().locations);
    if (preview)
        report::showPreview(*report, own, this);
    else if (report->PrintReport(true, own, this) == report::PrintResult::Failed)
        report::tellPrintFailed(report->caption());
    return reportName(*marked);
}

bool FrmKokyakuList::ExecTackPrn(bool preview)
{
    showBusy(QStringLiteral("印刷準備中です････"));
    const int start = qBound(0, tackStartPosition(), report::rptTack2601::kLabelsPerSheet - 1);
    const std::optional<int> labels =
        PrintDataStore::fillLabels(env().locations.dataFile, model_->workFile(), start);
    hideBusy();
    if (!labels) {
        qWarning("labels: the label table could not be filled");
        tellPrintDataFailed();
        return false;
    }
    report::rptTack2601& report = tackReport();
    report.setWorkFile(env().locations.workFile);
    const LabelOffset offset = LabelSettings::load();
    report.setOffsetMm(offset.horizontal, offset.vertical);
    if (!report.Restart())
        qWarning("labels: the report could not read its rows");
    const OwnFiles own = ownFiles(env().locations);
    if (preview)
        report::showPreview(report, own, this);
    else if (report.PrintReport(true, own, this) == report::PrintResult::Failed)
        report::tellPrintFailed(report.caption());
    return true;
}

void FrmKokyakuList::openHagakiSettings()
{
    if (!hagakiForm_) {
        hagakiForm_ = new FrmHagakiSettings(this);
        hagakiForm_->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        hagakiForm_->Form_Load();
    }
    hagakiForm_->show();
    hagakiForm_->raise();
    hagakiForm_->activateWindow();
}

bool FrmKokyakuList::PrintPostcards(bool preview)
{
    showBusy(QStringLiteral("印刷準備中です････"));
    const report::PostcardOptions options = PostcardSettings::load();
    const auto marked = PrintDataStore::markedForPostcards(env().locations.dataFile, model_->workFile());
    // The sender is read only when it is printed: a shop without its own record still prints cards.
    const auto sender = options.printSender ? PrintDataStore::postcardSender(env().locations.dataFile)
                                            : std::optional<report::PostcardSender>(report::PostcardSender{});
    hideBusy();
    const std::vector<report::PostcardAddressee> cards =
        marked ? postcardAddressees(*marked) : std::vector<report::PostcardAddressee>{};
    if (!marked || !sender || cards.empty()) {
        qWarning("postcards: the cards could not be made (rows read: %d, sender read: %d, cards: %d)",
                 marked.has_value(), sender.has_value(), static_cast<int>(cards.size()));
        tellPrintDataFailed();
        return false;
    }
    auto pages = std::make_shared<const report::LaidOutReport>(report::layoutPostcards(cards, *sender, options));
    const OwnFiles own = ownFiles(env().locations);
    if (preview) {
        auto* window = new report::ReportPreview(pages, kPostcardCaption, own, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    } else if (report::printReport(*pages, kPostcardCaption, true, this, own) == report::PrintResult::Failed) {
        report::tellPrintFailed(kPostcardCaption);
    }
    return true;
}

bool FrmKokyakuList::CSV出力()
{
    const CsvEncoding encoding =
        cmbCSV文字コード_->currentIndex() == 1 ? CsvEncoding::Utf8Bom : CsvEncoding::Cp932;
    return ExportCustomerCsv(this, ownFiles(env().locations), Chk家族_->isChecked(), QString(), encoding,
                             dialogs());
}

} // namespace rov2
