// rov2-screenshot DIR: renders each screen, filled with a sample customer, to
// PNG files in DIR, and the first pages of each list report and of the labels to PNG and the
// whole report to PDF, for looking at them without a display or printer.
#include "ComboBox.h"
#include "CustomerListModel.h"
#include "CustomerFamilyListReport.h"
#include "CustomerListReport.h"
#include "FamilyListReport.h"
#include "ReportPainter.h"
#include "ReportPreview.h"
#include "ShowPreview.h"
#include "SamplePrintTables.h"
#include "PrintDataStore.h"
#include "TackForm2601.h"
#include "TackReport.h"
#include "FontSubstitutes.h"
#include "FrmHosyu.h"
#include "FrmKokyakuList.h"
#include "FrmCodeMaster.h"
#include "FrmHagakiSettings.h"
#include "FrmHint.h"
#include "FrmROV2.h"
#include "HintButton.h"
#include "HintStore.h"
#include "PostcardAddressees.h"
#include "PostcardReport.h"
#include "ProgramEnv.h"
#include "SampleData.h"
#include "ScreenStack.h"
#include "SuppliedFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFont>
#include <QComboBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool save(QWidget& w, const QString& path)
{
    QApplication::processEvents();
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

/// Pages 1 and 2 as PNG, the whole report as PDF, and the preview window.
bool saveReport(rov2::report::Report& report, const QString& name, const QString& out)
{
    using namespace rov2::report;
    if (!report.Restart())
        return false;
    const auto pages = report.pages();
    bool ok = true;
    for (int i = 0; i < qMin(2, static_cast<int>(pages->pages.size())); ++i) {
        const QString path = QStringLiteral("%1/%2-page%3.png").arg(out, name).arg(i + 1);
        ok = renderPage(*pages, i, 100).save(path) && ok;
        std::printf("wrote %s\n", qPrintable(path));
    }
    const QString pdf = QStringLiteral("%1/%2.pdf").arg(out, name);
    ok = savePdf(*pages, pdf, report.caption()) == PdfResult::Saved && ok;
    std::printf("wrote %s (%d pages)\n", qPrintable(pdf), static_cast<int>(pages->pages.size()));
    ReportPreview* preview = rov2::report::showPreview(report, rov2::ownFiles(rov2::env().locations));
    ok = save(*preview, QStringLiteral("%1/%2-preview.png").arg(out, name)) && ok;
    preview->close();
    return ok;
}

/// The first two postcards of the marked rows, with the sender, as PNG.
bool savePostcards(const QString& dataFile, const QString& workFile, const QString& out)
{
    using namespace rov2::report;
    const auto rows = rov2::PrintDataStore::markedForPostcards(dataFile, workFile);
    if (!rows)
        return false;
    PostcardSender sender{QStringLiteral("150-0001"), QStringLiteral("東京都渋谷区神宮前1-2-3"),
                          QStringLiteral("さくら商店"), QStringLiteral("03-1234-5678")};
    PostcardOptions options;
    options.printSender = true;
    const LaidOutReport cards = layoutPostcards(rov2::postcardAddressees(*rows), sender, options);
    bool ok = true;
    for (int i = 0; i < qMin(2, static_cast<int>(cards.pages.size())); ++i) {
        const QString path = QStringLiteral("%1/postcard-page%2.png").arg(out).arg(i + 1);
        ok = renderPage(cards, i, 150).save(path) && ok;
        std::printf("wrote %s\n", qPrintable(path));
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: rov2-screenshot DIR\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    rov2::installFontSubstitutions();
    QApplication::setFont(QFont(QString::fromUtf8(rov2::kScreenFont), 10));

    QTemporaryDir dir;
    rov2::Locations& l = rov2::env().locations;
    l.dataFolder = dir.path() + QLatin1Char('/');
    l.dataFile = l.defaultDataFile = l.dataFolder + QStringLiteral("Rov2Data.mdb");
    l.workFile = l.dataFolder + QStringLiteral("Rov2Work.mdb");
    l.postalFile = l.dataFolder + QStringLiteral("yubin.mdb");
    if (!rov2::writeSampleDataFile(l.dataFile, 200) || !rov2::createSuppliedWorkFile(l.workFile))
        return 1;

    rov2::FrmROV2 main;
    main.Form_Load();
    main.show();
    main.Read顧客情報(QStringLiteral("前田　美咲"));
    bool ok = save(main, out + QStringLiteral("/FrmROV2-個人情報.png"));
    main.Tab顧客情報()->setCurrentIndex(1);
    ok = save(main, out + QStringLiteral("/FrmROV2-家族情報.png")) && ok;

    rov2::FrmHosyu hosyu;
    hosyu.Form_Load();
    hosyu.show();
    auto* tabs = hosyu.findChild<QTabWidget*>(QStringLiteral("SSTab"));
    for (int i = 0; tabs && i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        ok = save(hosyu, out + QStringLiteral("/FrmHosyu-%1.png").arg(tabs->tabText(i))) && ok;
    }

    rov2::FrmKokyakuList list;
    list.Form_Load();
    list.show();
    list.findChild<QCheckBox*>(QStringLiteral("Chk家族"))->setChecked(true);
    list.Read顧客一覧();
    for (int row : {0, 3, 4})
        list.listModel()->setMarked(row, true);
    ok = save(list, out + QStringLiteral("/FrmKokyakuList.png")) && ok;
    // The print panel set for labels, and the start-position screen at label 3.
    QWidget* panel = list.findChild<QWidget*>(QStringLiteral("frm印刷選択"));
    panel->show();
    list.findChild<QCheckBox*>(QStringLiteral("chkタックプレビュー"))->click();
    ok = save(list, out + QStringLiteral("/FrmKokyakuList-印刷選択.png")) && ok;
    rov2::TackForm2601 tackForm;
    tackForm.show();
    tackForm.tacks_Click(3);
    ok = save(tackForm, out + QStringLiteral("/TackForm2601.png")) && ok;
    // Labels for the first 14 rows of the list (customers and members), from label 3.
    for (int row = 0; row < 14; ++row)
        list.listModel()->setMarked(row, true);
    if (!rov2::PrintDataStore::fillLabels(l.dataFile, l.workFile, 3))
        return 1;
    rov2::report::rptTack2601 labels(rov2::env().locations.workFile);
    ok = saveReport(labels, QStringLiteral("rptTack2601"), out) && ok;
    rov2::FrmHagakiSettings hagakiSettings;
    hagakiSettings.Form_Load();
    hagakiSettings.show();
    ok = save(hagakiSettings, out + QStringLiteral("/FrmHagakiSettings.png")) && ok;
    ok = savePostcards(l.dataFile, l.workFile, out) && ok;

    // The code table on its relationships, the list with the gender column.
    rov2::registerScreenType<rov2::FrmCodeMaster>(QStringLiteral("FrmCodeMaster"));
    rov2::registerScreenType<rov2::FrmHint>(rov2::kHintScreenName);
    auto* codes = qobject_cast<rov2::FrmCodeMaster*>(rov2::screenNamed(QStringLiteral("FrmCodeMaster")));
    if (!codes)
        return 1;
    codes->show();
    auto* kinds = codes->findChild<QComboBox*>(QStringLiteral("cmb区分"));
    kinds->setCurrentIndex(kinds->findText(QStringLiteral("続柄")));
    Q_EMIT kinds->activated(kinds->currentIndex());
    ok = save(*codes, out + QStringLiteral("/FrmCodeMaster-続柄.png")) && ok;

    // The hint editor with a note for the code table.
    if (!rov2::HintStore::write(l.defaultDataFile, QStringLiteral("FrmCodeMaster"), QStringLiteral("cmdHint"),
                                codes->windowTitle(),
                                QStringLiteral("区分を選んで名称を入力し、登録（F5）を押します。\n"
                                               "行削除は、チェックを付けた行の名称を空にします。")))
        return 1;
    QWidget* hint = rov2::openHintEditor(codes, QStringLiteral("cmdHint"), rov2::env().hint);
    if (!hint)
        return 1;
    ok = save(*hint, out + QStringLiteral("/FrmHint.png")) && ok;

    // The list reports on sample print tables, era dates.
    if (!rov2::copySamplePrintTables(l.dataFile, l.workFile))
        return 1;
    rov2::env().settings.年号 = QStringLiteral("和暦");
    rov2::report::rpt顧客一覧 customers(rov2::env().locations.workFile, rov2::env().settings);
    ok = saveReport(customers, QStringLiteral("rpt顧客一覧"), out) && ok;
    rov2::report::rpt家族情報一覧 families(rov2::env().locations.workFile, rov2::env().settings);
    ok = saveReport(families, QStringLiteral("rpt家族情報一覧"), out) && ok;
    rov2::report::rpt顧客家族一覧 both(rov2::env().locations.workFile, rov2::env().settings);
    ok = saveReport(both, QStringLiteral("rpt顧客家族一覧"), out) && ok;
    return ok ? 0 : 1;
}
