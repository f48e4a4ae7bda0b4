// The データ保守 tab's CSV import.
#include "CsvFieldNames.h"
#include "CsvImportDialog.h"
#include "CustomerCsvImport.h"
#include "Dialogs.h"
#include "FamilyCsvImport.h"
#include "FrmHosyu.h"
#include "ProgramEnv.h"

#include <QApplication>
#include <QProgressDialog>

namespace rov2 {
namespace {

/// Refused rows listed one by one in the report; the rest are counted.
constexpr std::size_t kListedRefusals = 30;

QString readError(CsvReadError e)
{
    switch (e) {
    case CsvReadError::CannotOpen:
        return QStringLiteral("ファイルを開けませんでした。");
    case CsvReadError::BadEncoding:
        return QStringLiteral("文字コードがわかりませんでした（Shift_JIS と UTF-8 が読めます）。");
    case CsvReadError::BadFormat:
        return QStringLiteral(
            "引用符（\"）が閉じていないか、引用符で囲まれていない項目の中に引用符があります。");
    case CsvReadError::None:
        break;
    }
    return {};
}

std::optional<CsvImportOptions> askWithDialog(QWidget* owner, const QString& path, const CsvTable& table)
{
    CsvImportDialog dialog(path, table, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.options();
}

/// Imports the rows as customers, or as the members of the named customers'
/// families when the file is a family file, behind a progress bar.
CsvImportReport importWithProgress(QWidget* owner, const QString& title, const QString& dataFile,
                                   const CsvTable& table, const CsvImportOptions& options)
{
    const bool family = isFamilyHeading(table.rows.front());
    QProgressDialog progress(family ? QStringLiteral("家族を読み込んでいます…")
                                    : QStringLiteral("顧客を読み込んでいます…"),
                             QStringLiteral("キャンセル"), 0, static_cast<int>(table.rows.size()), owner);
    progress.setObjectName(QStringLiteral("prgCSV読込"));
    progress.setWindowTitle(title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const ImportProgress onProgress = [&progress](qsizetype done, qsizetype) {
        progress.setValue(static_cast<int>(done));
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    CsvImportReport report =
        family ? importFamily(dataFile, table, options.existing, options.defaultSex, onProgress)
               : importCustomers(dataFile, table, options, onProgress);
    progress.reset();
    return report;
}

} // namespace

void FrmHosyu::setCsvMappingChooser(CsvMappingChooser chooser)
{
    csvMappingChooser_ = std::move(chooser);
}

void FrmHosyu::ReadCsvFile()
{
    const QString title = QStringLiteral("CSVファイルから読み込む");
    const auto tell = [&](const QString& text, MsgIcon icon) {
        dialogs().message(this, MessageRequest{title, text, MsgButtons::Ok, icon, false});
    };
    const auto path = dialogs().openFile(
        this, title, env().locations.dataFolder,
        {QStringLiteral("CSV ファイル・連絡先 (*.csv *.txt *.vcf)"), QStringLiteral("すべてのファイル (*)")}, 0);
    if (!path)
        return;
    CsvReadError error = CsvReadError::None;
    const auto table = readCsvFile(*path, &error);
    if (!table) {
        tell(readError(error), MsgIcon::Exclamation);
        return;
    }
    if (table->rows.empty()) {
        tell(QStringLiteral("ファイルに行がありません。"), MsgIcon::Information);
        return;
    }
    if (const qsizetype columns = widestRow(*table); columns > kMaxImportColumns) {
        tell(QStringLiteral("列が多すぎて読み込めません（%1列）。読み込めるのは%2列までです。")
                 .arg(columns)
                 .arg(kMaxImportColumns),
             MsgIcon::Exclamation);
        return;
    }
    auto options = (csvMappingChooser_ ? csvMappingChooser_ : askWithDialog)(this, *path, *table);
    if (!options)
        return;
    options->defaultSex = env().settings.性別.toString();
    reportCsvImport(importWithProgress(this, title, env().locations.dataFile, *table, *options));
}

void FrmHosyu::reportCsvImport(const CsvImportReport& report)
{
    const QString title = QStringLiteral("CSVファイルから読み込む");
    if (report.status != CsvImportReport::Status::Done) {
        const QString text = report.status == CsvImportReport::Status::Cancelled
                                 ? QStringLiteral("読み込みを取り消しました。データは元のままです。")
                                 : QStringLiteral("読み込めませんでした。データは元のままです。");
        dialogs().message(this, MessageRequest{title, text, MsgButtons::Ok, MsgIcon::Exclamation, false});
        return;
    }
    if (report.added + report.overwritten + report.familyAdded > 0)
        ++env().dataFileVersion;
    QString text =
        QStringLiteral(
            "読み込みが終わりました。\n追加 %1件　上書き %2件　読み飛ばし %3件　読み込めない行 %4件")
            .arg(report.added)
            .arg(report.overwritten)
            .arg(report.skipped)
            .arg(report.refused.size());
    if (report.familyAdded > 0)
        text += QStringLiteral("\n連名から家族に加えた人 %1人").arg(report.familyAdded);
    if (!report.refused.empty())
        text += QStringLiteral("\n\n読み込めなかった行：");
    for (std::size_t i = 0; i < report.refused.size() && i < kListedRefusals; ++i) {
        const RefusedRow& r = report.refused[i];
        text += QStringLiteral("\n%1行目").arg(r.row);
        if (!r.name.isEmpty())
            text += QStringLiteral("（%1）").arg(r.name);
        text += QStringLiteral("：") + r.reason;
    }
    if (report.refused.size() > kListedRefusals)
        text += QStringLiteral("\nほか %1行").arg(report.refused.size() - kListedRefusals);
    dialogs().message(
        this, MessageRequest{title, text, MsgButtons::Ok,
                             report.refused.empty() ? MsgIcon::Information : MsgIcon::Exclamation, false});
}

} // namespace rov2
