// CSV export and import at 100,000 customers: the whole list written to a
// file in CP932 and in UTF-8, and that file read into an empty data file,
// once as exported and once with joint names that become family members;
// beside bare SQLite running the same select and inserts with no CSV work.
#include "BenchFiles.h"
#include "CsvFieldNames.h"
#include "CsvReader.h"
#include "CustomerCsvExport.h"
#include "CustomerCsvImport.h"
#include "Database.h"
#include "JapaneseCollation.h"
#include "SuppliedFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr qint64 kCustomers = 100000;

QString tempPath(const char* name)
{
    return QDir::tempPath() + QLatin1Char('/') + QString::fromUtf8(name);
}

/// A work file listing every customer of the sample, none marked.
QString listedWorkFile()
{
    const QString work = rov2::bench::freshWorkFile();
    auto db = rov2::Database::open(work);
    if (!db || !db->executeWithAttached(rov2::bench::sampleDataFile(kCustomers), QStringLiteral("src"),
                                        QStringLiteral("INSERT INTO w顧客リスト (名称, ふりがな, 住所1) "
                                                       "SELECT 名称, ふりがな, 住所1 FROM src.顧客マスタ")))
        std::fprintf(stderr, "cannot fill the list\n");
    return work;
}

QString freshEmptyDataFile()
{
    const QString path = tempPath("rov2-bench-csv-import.mdb");
    QFile::remove(path);
    if (!rov2::createSuppliedDataFile(path))
        std::fprintf(stderr, "cannot make an empty data file\n");
    return path;
}

/// The sample's customers as a CSV file (UTF-8), made once.
QString exportedFile()
{
    static const QString path = [] {
        const QString p = tempPath("rov2-bench-customers.csv");
        const auto r = rov2::writeCustomerCsv(listedWorkFile(), rov2::bench::sampleDataFile(kCustomers),
                                              false, p, rov2::CsvEncoding::Utf8Bom);
        if (r.status != rov2::CustomerCsvExportResult::Status::Written)
            std::fprintf(stderr, "cannot export the sample\n");
        return p;
    }();
    return path;
}

void ExportCustomers(benchmark::State& state)
{
    const auto encoding = state.range(0) ? rov2::CsvEncoding::Cp932 : rov2::CsvEncoding::Utf8Bom;
    const QString data = rov2::bench::sampleDataFile(kCustomers);
    const QString work = listedWorkFile();
    const QString target = tempPath("rov2-bench-export.csv");
    for (auto _ : state) {
        const auto r = rov2::writeCustomerCsv(work, data, false, target, encoding);
        if (r.status != rov2::CustomerCsvExportResult::Status::Written)
            state.SkipWithError("export failed (a character CP932 cannot hold?)");
        state.counters["rows"] = r.customers;
    }
    state.SetLabel(state.range(0) ? "CP932" : "UTF-8 BOM");
}
BENCHMARK(ExportCustomers)->Arg(1)->Arg(0)->Iterations(3)->Unit(benchmark::kMillisecond);

/// Baseline: the same rows selected with bare SQLite and written joined by
/// commas, without quoting, encoding checks or the list join.
void ExportBareSqlite(benchmark::State& state)
{
    const std::string data = rov2::bench::sampleDataFile(kCustomers).toStdString();
    const std::string target = tempPath("rov2-bench-export-bare.csv").toStdString();
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(data.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM 顧客マスタ ORDER BY rowid", -1, &s, nullptr);
        std::FILE* out = std::fopen(target.c_str(), "wb");
        const int columns = sqlite3_column_count(s);
        while (sqlite3_step(s) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                const auto* text = sqlite3_column_text(s, c);
                std::fputs(text ? reinterpret_cast<const char*>(text) : "", out);
                std::fputc(c + 1 < columns ? ',' : '\r', out);
            }
            std::fputc('\n', out);
        }
        std::fclose(out);
        sqlite3_finalize(s);
        sqlite3_close(db);
    }
}
BENCHMARK(ExportBareSqlite)->Iterations(3)->Unit(benchmark::kMillisecond);

/// The exported file with the joint names of an address book for New Year
/// cards: every customer one (連名1), every third a second (連名2), made once.
QString fileWithJointNames()
{
    static const QString path = [] {
        const QString p = tempPath("rov2-bench-customers-joint.csv");
        const auto table = rov2::readCsvFile(exportedFile());
        QFile f(p);
        if (!table || !f.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot make the file with joint names\n");
            return p;
        }
        const auto quoted = [](QString cell) {
            return u'"' + cell.replace(u'"', QStringLiteral("\"\"")) + u'"';
        };
        for (std::size_t i = 0; i < table->rows.size(); ++i) {
            QStringList cells;
            for (const QString& cell : table->rows[i])
                cells << quoted(cell);
            if (i == 0)
                cells << QStringLiteral("連名1") << QStringLiteral("連名2");
            else
                cells << QStringLiteral("花子%1").arg(i)
                      << (i % 3 == 0 ? QStringLiteral("一郎%1").arg(i) : QString());
            f.write((cells.join(u',') + QStringLiteral("\r\n")).toUtf8());
        }
        return p;
    }();
    return path;
}

void ImportCustomers(benchmark::State& state)
{
    const QString csv = state.range(0) ? fileWithJointNames() : exportedFile();
    for (auto _ : state) {
        state.PauseTiming();
        const QString data = freshEmptyDataFile();
        state.ResumeTiming();
        const auto table = rov2::readCsvFile(csv);
        if (!table) {
            state.SkipWithError("cannot read the CSV file");
            break;
        }
        rov2::CsvImportOptions o;
        o.mapping = rov2::guessMapping(table->rows.front(), true);
        const auto r = rov2::importCustomers(data, *table, o, [](qsizetype, qsizetype) { return true; });
        if (r.status != rov2::CsvImportReport::Status::Done || !r.refused.empty())
            state.SkipWithError("import failed or refused rows");
        state.counters["added"] = r.added;
    }
    state.SetLabel(state.range(0) ? "with joint names" : "as exported");
}
BENCHMARK(ImportCustomers)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

/// Baseline: the rows, already split, inserted with one prepared statement in
/// one transaction: no file reading, decoding, parsing, checks or look-ups.
void ImportBareSqlite(benchmark::State& state)
{
    const auto table = rov2::readCsvFile(exportedFile());
    if (!table) {
        state.SkipWithError("cannot read the CSV file");
        return;
    }
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 1; i < table->rows.size(); ++i) {
        std::vector<std::string> r;
        for (const QString& cell : table->rows[i].mid(1))
            r.push_back(cell.toStdString());
        rows.push_back(std::move(r));
    }
    QStringList marks;
    for (qsizetype i = 0; i < rov2::importableFields().size(); ++i)
        marks << QStringLiteral("?");
    const std::string insert =
        (QStringLiteral("INSERT INTO 顧客マスタ (") + rov2::importableFields().join(QLatin1Char(',')) +
         QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'))
            .toStdString();
    for (auto _ : state) {
        state.PauseTiming();
        const std::string data = freshEmptyDataFile().toStdString();
        state.ResumeTiming();
        sqlite3* db = nullptr;
        sqlite3_open_v2(data.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        rov2::registerJapaneseCollation(db);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, insert.c_str(), -1, &s, nullptr) != SQLITE_OK)
            state.SkipWithError(sqlite3_errmsg(db));
        for (const auto& r : rows) {
            for (std::size_t c = 0; c < r.size(); ++c)
                sqlite3_bind_text(s, static_cast<int>(c) + 1, r[c].c_str(), static_cast<int>(r[c].size()),
                                  SQLITE_STATIC);
            sqlite3_step(s);
            sqlite3_reset(s);
        }
        sqlite3_finalize(s);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
}
BENCHMARK(ImportBareSqlite)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
