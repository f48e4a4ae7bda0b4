// The three list reports at 10,000 customers with two family members each in
// the print tables: reading and laying out, writing the PDF, the number of
// pages, the peak memory of that, the time until the preview shows its first
// page and until it knows the page count. The baseline is the bare read of
// each report's query through the data layer.
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
#include "ShowPreview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

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

/// The bare read of the whole query, and (in @p firstRow) the time until its first row.
double bareRead(const QString& workFile, const QString& sql, double* firstRow)
{
    QElapsedTimer t;
    t.start();
    std::unique_ptr<rov2::Database> db = rov2::Database::open(workFile);
    if (!db)
        return -1;
    rov2::Query q = db->query(sql);
    qint64 rows = 0;
    *firstRow = -1;
    while (q.next()) {
        if (*firstRow < 0)
            *firstRow = t.nsecsElapsed() / 1e6;
        for (int i = 0; i < q.columnNames().size(); ++i)
            rows += q.value(i).isNull() ? 0 : 1;
    }
    return t.nsecsElapsed() / 1e6;
}

long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

/// Starts the peak memory over from what the program holds now.
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

/// From a new report object to the first page painted in a preview window,
/// then until the preview, laying out the rest while it waits, knows the
/// page count.
template <class R>
void measurePreview(const char* name, double baseline)
{
    QElapsedTimer t;
    t.start();
    R report(rov2::env().locations.workFile, rov2::env().settings);
    report.Restart();
    rov2::report::ReportPreview* preview = rov2::report::showPreview(report, rov2::OwnFiles{});
    preview->grab();
    const double firstPage = t.nsecsElapsed() / 1e6;
    const QLabel* count = preview->findChild<QLabel*>(QStringLiteral("lblページ数"));
    while (count && count->text().endsWith(QStringLiteral("…")))
        QApplication::processEvents();
    const double allPages = t.nsecsElapsed() / 1e6;
    const int pages = preview->pageCount();
    preview->close();
    QApplication::processEvents();
    std::printf("%-16s first preview page %8.1f ms (%.2f x baseline)  all %d pages known %8.1f ms\n", name,
                firstPage, firstPage / baseline, pages, allPages);
}

template <class R>
void measure(const char* name, const QString& sql, const QString& workFile, const QString& out)
{
    double firstRow = 0;
    const double baseline = bareRead(workFile, sql, &firstRow);
    resetPeak();
    const long before = statusKb("VmRSS");
    QElapsedTimer t;
    t.start();
    double layout = 0;
    double pdfTime = 0;
    int pages = 0;
    bool saved = false;
    const QString pdf = out + QLatin1Char('/') + QString::fromUtf8(name) + QStringLiteral(".pdf");
    {
        R report(rov2::env().locations.workFile, rov2::env().settings);
        report.Restart();
        pages = report.pageSource()->pageCount();
        layout = t.nsecsElapsed() / 1e6;
        t.restart();
        saved = rov2::report::savePdf(*report.pageSource(), pdf, report.caption()) == rov2::report::PdfResult::Saved;
        pdfTime = t.nsecsElapsed() / 1e6;
    }
    std::printf("%-16s pages %6d  read+layout %8.1f ms  PDF %9.1f ms (%s, %.1f MB)  peak %ld MB (%ld MB before)"
                "  | baseline bare read of the query %7.1f ms (first row %.1f ms)\n",
                name, pages, layout, pdfTime, saved ? "saved" : "FAILED", QFileInfo(pdf).size() / 1e6,
                statusKb("VmHWM") / 1024, before / 1024, baseline, firstRow);
    measurePreview<R>(name, baseline);
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
