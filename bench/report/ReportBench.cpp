// The three list reports at 10,000 customers with two family members each in
// the print tables: reading and laying out, writing the PDF, the number of
// pages, and the time until the preview shows its first page. The baseline is
// the bare read of each report's query through the data layer.
#include "BenchFiles.h"
#include "CustomerFamilyListReport.h"
#include "CustomerListReport.h"
#include "Database.h"
#include "FamilyListReport.h"
#include "FontSubstitutes.h"
#include "ProgramEnv.h"
#include "Query.h"
#include "ReportPainter.h"
#include "ReportPreview.h"
#include "SamplePrintTables.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>
#include <memory>

namespace {

constexpr qint64 kCustomers = 10000;

/// Replaces the sample's family rows by exactly two members for every customer.
bool twoMembersEach(const QString& workFile)
{
    std::unique_ptr<rov2::Database> db = rov2::Database::open(workFile);
    if (!db || !db->execute(QStringLiteral("delete from w家族情報印刷")))
        return false;
    const QString insert = QStringLiteral(
        "insert into w家族情報印刷 (名称, 行番号, 氏名, ふりがな, 続柄, 性別, 生年月日, 年齢, 携帯電話, 勤務先) "
        "select 名称, ?, 名称 || ?, ふりがな || ?, ?, ?, 生年月日, 年齢, TEL1, '株式会社サンプル' from w顧客マスタ印刷");
    return db->execute(insert, {1, QStringLiteral("　一"), QStringLiteral("いち"), QStringLiteral("長男"),
                                QStringLiteral("男")}) &&
           db->execute(insert, {2, QStringLiteral("　二"), QStringLiteral("に"), QStringLiteral("次女"),
                                QStringLiteral("女")});
}

double bareRead(const QString& workFile, const QString& sql)
{
    QElapsedTimer t;
    t.start();
    std::unique_ptr<rov2::Database> db = rov2::Database::open(workFile);
    if (!db)
        return -1;
    rov2::Query q = db->query(sql);
    qint64 rows = 0;
    while (q.next())
        for (int i = 0; i < q.columnNames().size(); ++i)
            rows += q.value(i).isNull() ? 0 : 1;
    return t.nsecsElapsed() / 1e6;
}

template <class R>
void measure(const char* name, const QString& sql, const QString& workFile, const QString& out)
{
    const double baseline = bareRead(workFile, sql);

    QElapsedTimer t;
    t.start();
    R report;
    report.Restart();
    const double layout = t.nsecsElapsed() / 1e6;
    const auto pages = report.pages();

    t.restart();
    const QString pdf = out + QLatin1Char('/') + QString::fromUtf8(name) + QStringLiteral(".pdf");
    const bool saved = rov2::report::savePdf(*pages, pdf, report.caption()) == rov2::report::PdfResult::Saved;
    const double pdfTime = t.nsecsElapsed() / 1e6;

    // From a new report object to the first page painted in a preview window.
    t.restart();
    R again;
    again.Restart();
    rov2::report::ReportPreview* preview = again.Show(rov2::OwnFiles{});
    preview->grab();
    const double firstPage = t.nsecsElapsed() / 1e6;
    preview->close();
    QApplication::processEvents();

    std::printf("%-16s pages %6d  read+layout %8.1f ms  PDF %9.1f ms (%s, %.1f MB)  first preview page %8.1f ms"
                "  | baseline bare read of the query %7.1f ms\n",
                name, static_cast<int>(pages->pages.size()), layout, pdfTime, saved ? "saved" : "FAILED",
                QFileInfo(pdf).size() / 1e6, firstPage, baseline);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    rov2::installFontSubstitutions();
    const QString out = QDir::tempPath() + QStringLiteral("/rov2-bench-report");
    QDir().mkpath(out);
    const QString work = rov2::bench::freshWorkFile();
    const auto counts = rov2::copySamplePrintTables(rov2::bench::sampleDataFile(kCustomers), work);
    if (!counts || !twoMembersEach(work)) {
        std::fprintf(stderr, "cannot fill the print tables\n");
        return 1;
    }
    rov2::env().locations.workFile = work;
    rov2::env().settings.年号 = QStringLiteral("和暦");
    std::printf("%lld customers, %lld family rows; PDF files in %s\n", static_cast<long long>(counts->customers),
                static_cast<long long>(counts->customers * 2), qPrintable(out));
    measure<rov2::report::rpt顧客一覧>("rpt顧客一覧", rov2::report::rpt顧客一覧::query(), work, out);
    measure<rov2::report::rpt家族情報一覧>("rpt家族情報一覧", rov2::report::rpt家族情報一覧::query(), work, out);
    measure<rov2::report::rpt顧客家族一覧>("rpt顧客家族一覧", rov2::report::rpt顧客家族一覧::query(), work, out);
    return 0;
}
