// rov2-screenshot DIR: renders each screen, filled with a sample customer, to
// PNG files in DIR, and the first pages of each list report to PNG and the
// whole report to PDF, for looking at them without a display or printer.
#include "ComboBox.h"
#include "CustomerFamilyListReport.h"
#include "CustomerListReport.h"
#include "FamilyListReport.h"
#include "ReportPainter.h"
#include "ReportPreview.h"
#include "SamplePrintTables.h"
#include "FontSubstitutes.h"
#include "FrmROV2.h"
#include "ProgramEnv.h"
#include "SampleData.h"
#include "SuppliedFiles.h"

#include <QApplication>
#include <QDir>
#include <QFont>
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
    ReportPreview* preview = report.Show();
    ok = save(*preview, QStringLiteral("%1/%2-preview.png").arg(out, name)) && ok;
    preview->close();
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
    main.Tab顧客情報->setCurrentIndex(1);
    ok = save(main, out + QStringLiteral("/FrmROV2-家族情報.png")) && ok;

    if (!rov2::copySamplePrintTables(l.dataFile, l.workFile))
        return 1;
    rov2::env().settings.年号 = QStringLiteral("和暦");
    rov2::report::rpt顧客一覧 customers;
    ok = saveReport(customers, QStringLiteral("rpt顧客一覧"), out) && ok;
    rov2::report::rpt家族情報一覧 families;
    ok = saveReport(families, QStringLiteral("rpt家族情報一覧"), out) && ok;
    rov2::report::rpt顧客家族一覧 both;
    ok = saveReport(both, QStringLiteral("rpt顧客家族一覧"), out) && ok;
    return ok ? 0 : 1;
}
