// What the Japanese reading order costs at 100,000 customers now that it is
// asked for in each query (ORDER BY ふりがな COLLATE JA, a sort at every
// run) instead of being stored in the file's schema, where an index on the
// reading kept the customers in that order. The baseline is the same
// statement on a file of the first layout, read through its index.
#include "BenchFiles.h"
#include "JapaneseCollation.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <string>

namespace {

constexpr qint64 kCustomers = 100000;

/// A copy of the sample file as the first layout wrote it: the reading
/// columns declare the collation JA, and their indexes follow it.
std::string firstLayoutFile()
{
    static const std::string path = [] {
        const QString copy = QDir::tempPath() + QStringLiteral("/rov2-bench-%1-first-layout.mdb").arg(kCustomers);
        QFile::remove(copy);
        QFile::copy(rov2::bench::sampleDataFile(kCustomers), copy);
        sqlite3* db = nullptr;
        sqlite3_open_v2(copy.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        rov2::registerJapaneseCollation(db);
        sqlite3_exec(db,
                     "PRAGMA writable_schema = ON; "
                     "UPDATE sqlite_master SET sql = replace(sql, '\"ふりがな\" TEXT', '\"ふりがな\" TEXT COLLATE JA') "
                     "WHERE type = 'table'; PRAGMA writable_schema = OFF;",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        sqlite3_open_v2(copy.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        rov2::registerJapaneseCollation(db);
        if (sqlite3_exec(db, "REINDEX", nullptr, nullptr, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "cannot make the first-layout file: %s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return copy.toStdString();
    }();
    return path;
}

/// Opens @p path, runs @p sql to its end and counts the rows.
void runToEnd(benchmark::State& state, const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    rov2::registerJapaneseCollation(db);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_close(db);
        return;
    }
    qint64 rows = 0;
    for (auto _ : state) {
        rows = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, 0));
            ++rows;
        }
        sqlite3_reset(stmt);
    }
    state.counters["rows"] = static_cast<double>(rows);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

const char* const kAllInQuery = "SELECT 名称 FROM 顧客マスタ ORDER BY ふりがな COLLATE JA";
const char* const kAllFromIndex = "SELECT 名称 FROM 顧客マスタ ORDER BY ふりがな";
const char* const kQuickInQuery = "SELECT 名称 FROM 顧客マスタ WHERE クイック = 'する' ORDER BY ふりがな COLLATE JA";
const char* const kQuickFromIndex = "SELECT 名称 FROM 顧客マスタ WHERE クイック = 'する' ORDER BY ふりがな";

void AllCustomersSortedInTheQuery(benchmark::State& state)
{
    runToEnd(state, rov2::bench::sampleDataFile(kCustomers).toStdString(), kAllInQuery);
}
BENCHMARK(AllCustomersSortedInTheQuery)->Unit(benchmark::kMillisecond);

void AllCustomersFromTheFirstLayoutIndex(benchmark::State& state) { runToEnd(state, firstLayoutFile(), kAllFromIndex); }
BENCHMARK(AllCustomersFromTheFirstLayoutIndex)->Unit(benchmark::kMillisecond);

void QuickPickSortedInTheQuery(benchmark::State& state)
{
    runToEnd(state, rov2::bench::sampleDataFile(kCustomers).toStdString(), kQuickInQuery);
}
BENCHMARK(QuickPickSortedInTheQuery)->Unit(benchmark::kMillisecond);

void QuickPickFromTheFirstLayoutIndex(benchmark::State& state) { runToEnd(state, firstLayoutFile(), kQuickFromIndex); }
BENCHMARK(QuickPickFromTheFirstLayoutIndex)->Unit(benchmark::kMillisecond);

} // namespace
