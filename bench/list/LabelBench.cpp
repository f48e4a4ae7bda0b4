// Address labels for 10,000 marked customers: filling the label table and
// writing the label PDF (834 sheets), beside a baseline of the same work done
// bare: the same join and inserts through SQLiteCpp without our layer, and a
// bare read of the label table.
//
//     bench_labels [runs]      (default 3; the best run is printed)
#include "BenchFiles.h"
#include "CustomerListStore.h"
#include "FontSubstitutes.h"
#include "PrintDataStore.h"
#include "ProgramEnv.h"
#include "ReportPainter.h"
#include "TackReport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <SQLiteCpp/SQLiteCpp.h>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using rov2::bench::bestOf;

constexpr qint64 kCustomers = 10000;

/// The label rows made with bare SQLiteCpp: the same join, the texts built in
/// the loop, one prepared insert.
bool bareFill(const QString& dataFile, const QString& workFile)
{
    SQLite::Database db(workFile.toStdString(), SQLite::OPEN_READWRITE);
    db.exec("ATTACH DATABASE '" + dataFile.toStdString() + "' AS data");
    {
        SQLite::Transaction tx(db);
        db.exec("DELETE FROM wタックシール印刷");
        SQLite::Statement insert(
            db, "INSERT INTO wタックシール印刷 (名称, 郵便番号, 住所1, 住所2) VALUES (?, ?, ?, ?)");
        SQLite::Statement q(
            db, "SELECT l.名称, l.氏名, c.敬称, c.郵便番号, c.住所1, c.住所2 FROM w顧客リスト AS l "
                "LEFT JOIN data.顧客マスタ AS c ON c.rowid = "
                "(SELECT min(rowid) FROM data.顧客マスタ WHERE 名称 = l.名称) "
                "WHERE l.チェック <> 0 ORDER BY l.rowid");
        while (q.executeStep()) {
            std::string name = q.getColumn(0).getString() + "　" +
                               (q.getColumn(2).isNull() ? std::string("様") : q.getColumn(2).getString());
            std::string code = q.getColumn(3).getString();
            if (code.size() == 7 && code.find('-') == std::string::npos)
                code = code.substr(0, 3) + "-" + code.substr(3);
            insert.bind(1, name);
            insert.bind(2, code);
            insert.bind(3, q.getColumn(4).getString());
            insert.bind(4, q.getColumn(5).getString());
            insert.exec();
            insert.reset();
        }
        tx.commit();
    }
    db.exec("DETACH DATABASE data");
    return true;
}

double bareRead(const QString& workFile)
{
    QElapsedTimer t;
    t.start();
    SQLite::Database db(workFile.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement q(db, rov2::report::rptTack2601::query().toStdString());
    qint64 values = 0;
    while (q.executeStep())
        for (int i = 0; i < q.getColumnCount(); ++i)
            values += q.getColumn(i).isNull() ? 0 : 1;
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    rov2::installFontSubstitutions();
    const QString data = rov2::bench::sampleDataFile(kCustomers);
    const QString work = rov2::bench::freshWorkFile();
    rov2::env().locations = {QFileInfo(work).absolutePath() + QLatin1Char('/'), work, data, data, {}};
    if (!rov2::CustomerListStore::buildList(data, work, {}) ||
        !rov2::CustomerListStore::setAllMarks(work, true)) {
        std::fprintf(stderr, "cannot build the marked list\n");
        return 1;
    }
    const auto marked = rov2::CustomerListStore::markedCount(work);
    std::printf("%lld marked customers, best of %d runs\n", static_cast<long long>(marked.value_or(-1)),
                runs);

    const double bare = bestOf(runs, [&] { return bareFill(data, work); });
    int labels = 0;
    const double fill = bestOf(runs, [&] {
        const auto n = rov2::PrintDataStore::fillLabels(data, work, 0);
        labels = n.value_or(-1);
        return n.has_value();
    });
    std::printf("fill wタックシール印刷   %8.1f ms (%d labels)  | baseline bare SQLiteCpp, same join and "
                "inserts %8.1f ms\n",
                fill, labels, bare);

    rov2::report::rptTack2601 report(rov2::env().locations.workFile);
    const double layout = bestOf(runs, [&] { return report.Restart(); });
    const auto pages = report.pages();
    const QString pdf = QDir::tempPath() + QStringLiteral("/rov2-bench-labels.pdf");
    const double pdfTime = bestOf(runs, [&] {
        return rov2::report::savePdf(*pages, pdf, report.caption()) == rov2::report::PdfResult::Saved;
    });
    std::printf(
        "rptTack2601 read+layout %8.1f ms (%d pages)  | baseline bare read of the label table %8.1f ms\n",
        layout, static_cast<int>(pages->pages.size()), bareRead(work));
    std::printf("label PDF               %8.1f ms (%.1f MB, %s)\n", pdfTime, QFileInfo(pdf).size() / 1e6,
                qPrintable(pdf));
    std::printf("fill + layout + PDF     %8.1f ms\n", fill + layout + pdfTime);
    return 0;
}
