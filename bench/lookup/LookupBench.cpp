// The look-ups at shop size, each beside bare SQLite doing a comparable
// statement on the same file in the same run:
//   - at 100,000 customers: one incremental customer search (a two-character
//     input), from the file as before and in memory as the window now does it
//     (with the one read of the customers when the window opens), and one
//     kana-row listing, from the file and in memory as the kana window now
//     does it;
//   - the customer search window itself: how long it takes to open until a
//     key can be typed (the customers are read on a thread of their own), and
//     until two characters typed at once are answered;
//   - over the real postal dictionary (about 124,000 rows), when
//     data/yubin.mdb lies beside the program (scripts/yubin writes it): a
//     code-prefix search and an address-part search, the latter over the
//     dictionary as given and over a copy with the folded addresses the
//     dictionary tool now adds (made once in the temporary folder).
//
//   bench_lookup [DICTIONARY] [benchmark options]
//
// Every look-up opens its file, searches and closes it again, as the windows
// do on each change of the text; the baselines keep one connection open and
// compare plain texts (no kana folding, binary order), so the gap between the
// two is what opening per search, folding and the Japanese order cost.

#include "BenchFiles.h"
#include "CustomerLookup.h"
#include "Database.h"
#include "FrmCustomerSearch.h"
#include "MatchList.h"
#include "PostalCodeLookup.h"
#include "PostalSearchIndex.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr qint64 kCustomers = 100000;
constexpr int kLimit = 1000; // as the customer search window lists them

QString g_dataFile;
QString g_dictionary;
QString g_indexedDictionary;

/// One bare SQLite connection and statement, with the rows counted.
class Bare {
public:
    explicit Bare(const QString& path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "bench_lookup: cannot open %s\n", qPrintable(path));
    }
    ~Bare() { sqlite3_close(db_); }
    Bare(const Bare&) = delete;
    Bare& operator=(const Bare&) = delete;

    /// Runs @p sql with the texts bound in order. @return the rows read, or -1 on failure.
    long run(const char* sql, const std::vector<std::string>& params)
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "bench_lookup: %s\n", sqlite3_errmsg(db_));
            return -1;
        }
        for (size_t i = 0; i < params.size(); ++i)
            sqlite3_bind_text(stmt, static_cast<int>(i) + 1, params[i].c_str(), -1, SQLITE_TRANSIENT);
        long rows = 0;
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
            ++rows;
        }
        sqlite3_finalize(stmt);
        return rows;
    }

private:
    sqlite3* db_ = nullptr;
};

const std::vector<const char*> kTwoCharacters{"やま", "佐藤", "渋谷", "03"};
const std::vector<const char*> kKana{"か", "や", "は"};

void rowsCounter(benchmark::State& state, long rows)
{
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows));
}

void CustomerSearch(benchmark::State& state)
{
    const QString typed = QString::fromUtf8(kTwoCharacters[static_cast<size_t>(state.range(0))]);
    state.SetLabel(typed.toStdString());
    long rows = 0;
    for (auto _ : state) {
        const auto found = rov2::findCustomers(g_dataFile, typed, kLimit);
        rows = found ? static_cast<long>(found->rows.size()) : -1;
    }
    rowsCounter(state, rows);
}
BENCHMARK(CustomerSearch)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// What the customer search window does: the customers read once as it opens...
void CustomerIndexLoad(benchmark::State& state)
{
    long rows = 0;
    for (auto _ : state) {
        const auto index = rov2::CustomerIndex::load(g_dataFile);
        rows = index ? index->size() : -1;
    }
    rowsCounter(state, rows);
}
BENCHMARK(CustomerIndexLoad)->Unit(benchmark::kMillisecond);

// Its baseline: the same fields of every customer read in binary order of the readings.
void CustomerIndexLoadBareSqlite(benchmark::State& state)
{
    Bare bare(g_dataFile);
    long rows = 0;
    for (auto _ : state)
        rows = bare.run("SELECT 名称, ふりがな, 住所1, TEL1, TEL2, 住所2, FAX FROM 顧客マスタ WHERE 名称 <> '' "
                        "ORDER BY ふりがな COLLATE BINARY",
                        {});
    rowsCounter(state, rows);
}
BENCHMARK(CustomerIndexLoadBareSqlite)->Unit(benchmark::kMillisecond);

// The window as the user meets it: open until the first key can be typed...
void CustomerSearchWindowOpen(benchmark::State& state)
{
    for (auto _ : state) {
        auto window = std::make_unique<rov2::FrmCustomerSearch>(g_dataFile);
        window->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        window.reset(); // waits for the customers still being read
        state.ResumeTiming();
    }
}
BENCHMARK(CustomerSearchWindowOpen)->Iterations(20)->Unit(benchmark::kMillisecond);

// ...and until two characters typed as it opens are answered.
void CustomerSearchWindowFirstAnswer(benchmark::State& state)
{
    long rows = 0;
    for (auto _ : state) {
        rov2::FrmCustomerSearch window(g_dataFile);
        window.show();
        window.findChild<QLineEdit*>(QStringLiteral("txt検索"))->setText(QString::fromUtf8(kTwoCharacters[0]));
        while (!window.customersRead())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        rows = window.findChild<rov2::MatchList*>(QStringLiteral("Grid顧客"))->model()->rowCount();
    }
    rowsCounter(state, rows);
}
BENCHMARK(CustomerSearchWindowFirstAnswer)->Unit(benchmark::kMillisecond);

// ...then each keystroke searched in memory.
void CustomerSearchInMemory(benchmark::State& state)
{
    const QString typed = QString::fromUtf8(kTwoCharacters[static_cast<size_t>(state.range(0))]);
    state.SetLabel(typed.toStdString());
    const auto index = rov2::CustomerIndex::load(g_dataFile);
    if (!index) {
        state.SkipWithError("the customers could not be read");
        return;
    }
    long rows = 0;
    for (auto _ : state)
        rows = static_cast<long>(index->find(typed, kLimit).rows.size());
    rowsCounter(state, rows);
}
BENCHMARK(CustomerSearchInMemory)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void CustomerSearchBareSqlite(benchmark::State& state)
{
    const std::string typed = kTwoCharacters[static_cast<size_t>(state.range(0))];
    state.SetLabel(typed);
    Bare bare(g_dataFile);
    const std::string like = "%" + typed + "%";
    long rows = 0;
    for (auto _ : state)
        rows = bare.run("SELECT 名称, ふりがな, 住所1, TEL1 FROM 顧客マスタ WHERE 名称 LIKE ?1 OR ふりがな LIKE ?1 "
                        "OR 住所1 LIKE ?1 OR 住所2 LIKE ?1 OR TEL1 LIKE ?1 OR TEL2 LIKE ?1 OR FAX LIKE ?1 "
                        "ORDER BY ふりがな COLLATE BINARY LIMIT 1001",
                        {like});
    rowsCounter(state, rows);
}
BENCHMARK(CustomerSearchBareSqlite)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void KanaRow(benchmark::State& state)
{
    const QString kana = QString::fromUtf8(kKana[static_cast<size_t>(state.range(0))]);
    state.SetLabel(kana.toStdString());
    long rows = 0;
    for (auto _ : state) {
        const auto found = rov2::findCustomersByKana(g_dataFile, kana, 5000);
        rows = found ? static_cast<long>(found->rows.size()) : -1;
    }
    rowsCounter(state, rows);
}
BENCHMARK(KanaRow)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// What the kana window does: the customers read once as it opens (see
// CustomerIndexLoad), then each kana listed from memory.
void KanaRowInMemory(benchmark::State& state)
{
    const QString kana = QString::fromUtf8(kKana[static_cast<size_t>(state.range(0))]);
    state.SetLabel(kana.toStdString());
    const auto index = rov2::CustomerIndex::load(g_dataFile);
    if (!index) {
        state.SkipWithError("the customers could not be read");
        return;
    }
    long rows = 0;
    for (auto _ : state)
        rows = static_cast<long>(index->byKana(kana, 5000).rows.size());
    rowsCounter(state, rows);
}
BENCHMARK(KanaRowInMemory)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void KanaRowBareSqlite(benchmark::State& state)
{
    // The plain kana only, in binary order: no voiced, katakana or half-width forms.
    const std::string kana = kKana[static_cast<size_t>(state.range(0))];
    state.SetLabel(kana);
    Bare bare(g_dataFile);
    long rows = 0;
    for (auto _ : state)
        rows = bare.run("SELECT 名称, ふりがな, 住所1, TEL1 FROM 顧客マスタ WHERE substr(ふりがな, 1, 1) = ? "
                        "ORDER BY ふりがな COLLATE BINARY LIMIT 5001",
                        {kana});
    rowsCounter(state, rows);
}
BENCHMARK(KanaRowBareSqlite)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

const std::vector<const char*> kPrefixes{"100", "0600", "530-00"};
// The last two are short terms: a frequent one and a rare one, which has to look at every address.
const std::vector<const char*> kAddressParts{"千代田", "霞が関", "中央区", "北", "霞が"};

void PostalPrefix(benchmark::State& state)
{
    const QString typed = QString::fromUtf8(kPrefixes[static_cast<size_t>(state.range(0))]);
    state.SetLabel(typed.toStdString());
    long rows = 0;
    for (auto _ : state) {
        const auto found = rov2::findPostalCodes(g_dictionary, typed, kLimit);
        rows = found ? static_cast<long>(found->rows.size()) : -1;
    }
    rowsCounter(state, rows);
}

void PostalPrefixBareSqlite(benchmark::State& state)
{
    std::string digits;
    for (const char* c = kPrefixes[static_cast<size_t>(state.range(0))]; *c; ++c)
        if (*c != '-')
            digits += *c;
    state.SetLabel(digits);
    Bare bare(g_dictionary);
    long rows = 0;
    for (auto _ : state)
        rows = bare.run("SELECT 番号, 県漢字, 市町村漢字, 町名漢字 FROM 郵便番号 WHERE 番号 >= ?1 AND 番号 < ?2 "
                        "ORDER BY 番号 LIMIT 1001",
                        {digits, digits + ":"});
    rowsCounter(state, rows);
}

void searchAddresses(benchmark::State& state, const QString& dictionary)
{
    const QString typed = QString::fromUtf8(kAddressParts[static_cast<size_t>(state.range(0))]);
    state.SetLabel(typed.toStdString());
    long rows = 0;
    for (auto _ : state) {
        const auto found = rov2::findPostalCodes(dictionary, typed, kLimit);
        rows = found ? static_cast<long>(found->rows.size()) : -1;
    }
    rowsCounter(state, rows);
}

// The dictionary as given (as a dictionary written without the folded
// addresses is searched, unless it has them)...
void PostalAddress(benchmark::State& state)
{
    searchAddresses(state, g_dictionary);
}

// ...and a copy of it with them, as the dictionary tool now writes it.
void PostalAddressIndexed(benchmark::State& state)
{
    if (g_indexedDictionary.isEmpty()) {
        state.SkipWithError("no copy of the dictionary with the folded addresses");
        return;
    }
    searchAddresses(state, g_indexedDictionary);
}

void PostalAddressBareSqlite(benchmark::State& state)
{
    const std::string typed = kAddressParts[static_cast<size_t>(state.range(0))];
    state.SetLabel(typed);
    Bare bare(g_dictionary);
    long rows = 0;
    for (auto _ : state)
        rows = bare.run("SELECT 番号, 県漢字, 市町村漢字, 町名漢字 FROM 郵便番号 WHERE instr(ifnull(県漢字, '') || "
                        "ifnull(市町村漢字, '') || ifnull(町名漢字, ''), ?) > 0 ORDER BY 番号 LIMIT 1001",
                        {typed});
    rowsCounter(state, rows);
}

/// A copy of @p dictionary in the temporary folder with the folded addresses
/// added, made once. @return its path, or empty when it could not be made.
QString indexedCopy(const QString& dictionary)
{
    const QString path = QDir::tempPath() + QStringLiteral("/rov2-bench-yubin-indexed.mdb");
    if (QFileInfo(path).isFile() && QFileInfo(path).lastModified() > QFileInfo(dictionary).lastModified())
        return path;
    QFile::remove(path);
    QString error;
    std::unique_ptr<rov2::Database> db;
    if (QFile::copy(dictionary, path) && (db = rov2::Database::open(path, &error))) {
        rov2::Transaction t(*db);
        if (rov2::postalsearch::present(*db) || (rov2::postalsearch::write(*db, &error) && t.commit()))
            return path;
    }
    std::fprintf(stderr, "bench_lookup: no indexed copy of the dictionary: %s\n", qPrintable(error));
    db.reset();
    QFile::remove(path);
    return {};
}

void registerPostal()
{
    benchmark::RegisterBenchmark("PostalPrefix", PostalPrefix)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PostalPrefixBareSqlite", PostalPrefixBareSqlite)
        ->DenseRange(0, 2)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PostalAddress", PostalAddress)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PostalAddressIndexed", PostalAddressIndexed)
        ->DenseRange(0, 4)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PostalAddressBareSqlite", PostalAddressBareSqlite)
        ->DenseRange(0, 4)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    // A first argument that is no benchmark option names the dictionary.
    QString dictionary;
    if (argc > 1 && argv[1][0] != '-') {
        dictionary = QString::fromLocal8Bit(argv[1]);
        for (int i = 1; i + 1 < argc; ++i)
            argv[i] = argv[i + 1];
        --argc;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_dataFile = rov2::bench::sampleDataFile(kCustomers);
    if (!QFileInfo(g_dataFile).isFile()) {
        std::fprintf(stderr, "bench_lookup: no sample data file\n");
        return 1;
    }
    if (dictionary.isEmpty())
        dictionary = QCoreApplication::applicationDirPath() + QStringLiteral("/data/yubin.mdb");
    if (QFileInfo(dictionary).isFile()) {
        g_dictionary = dictionary;
        g_indexedDictionary = indexedCopy(dictionary);
        registerPostal();
        std::printf("customers: %s; postal dictionary: %s\n", qPrintable(g_dataFile), qPrintable(dictionary));
    } else {
        std::printf("customers: %s; no postal dictionary at %s, so the postal searches are not measured "
                    "(scripts/yubin writes it)\n",
                    qPrintable(g_dataFile), qPrintable(dictionary));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
