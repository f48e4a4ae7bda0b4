// Figures of the database layer at 100,000 customers and about 200,000
// family rows: reading one customer by name, and the cross-file copy of all
// customers into the list's work table, beside the same statements on bare SQLite.
#include "BenchFiles.h"
#include "Database.h"
#include "JapaneseCollation.h"
#include "Recordset.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr qint64 kCustomers = 100000;

QString dataFile() { return rov2::bench::sampleDataFile(kCustomers); }

void ReadCustomerByName(benchmark::State& state)
{
    const QString path = dataFile();
    const QStringList names = {QStringLiteral("前田　美咲"), QStringLiteral("森　直樹"), QStringLiteral("無い名前")};
    int i = 0;
    for (auto _ : state) {
        auto db = rov2::Database::open(path);
        rov2::Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"), QStringLiteral("名称 = ?"), {names.at(i++ % 3)});
        benchmark::DoNotOptimize(rs.field(QStringLiteral("住所1")));
    }
}
BENCHMARK(ReadCustomerByName)->Unit(benchmark::kMicrosecond);

const char* const kCopy = "INSERT INTO w顧客リスト (名称, ふりがな, 住所1) SELECT 名称, ふりがな, 住所1 FROM src.顧客マスタ "
                          "ORDER BY ふりがな COLLATE JA";

void CopyCustomersToList(benchmark::State& state)
{
    const QString data = dataFile();
    const QString work = rov2::bench::freshWorkFile();
    for (auto _ : state) {
        auto db = rov2::Database::open(work);
        if (!db || !db->execute(QStringLiteral("DELETE FROM w顧客リスト")) ||
            !db->executeWithAttached(data, QStringLiteral("src"), QString::fromUtf8(kCopy)))
            state.SkipWithError("copy failed");
    }
    state.counters["rows"] = static_cast<double>(kCustomers);
}
BENCHMARK(CopyCustomersToList)->Unit(benchmark::kMillisecond);

void CopyCustomersToListBareSqlite(benchmark::State& state)
{
    const std::string data = dataFile().toStdString();
    const std::string work = rov2::bench::freshWorkFile().toStdString();
    const std::string attach = "ATTACH DATABASE '" + data + "' AS src";
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(work.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        rov2::registerJapaneseCollation(db);
        sqlite3_exec(db, "DELETE FROM w顧客リスト", nullptr, nullptr, nullptr);
        sqlite3_exec(db, attach.c_str(), nullptr, nullptr, nullptr);
        if (sqlite3_exec(db, kCopy, nullptr, nullptr, nullptr) != SQLITE_OK)
            state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_exec(db, "DETACH DATABASE src", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
}
BENCHMARK(CopyCustomersToListBareSqlite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
