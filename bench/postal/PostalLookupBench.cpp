// Look-ups per second on a full postal dictionary.
//   bench_postal [DICTIONARY] [benchmark options]
// DICTIONARY defaults to data/yubin.mdb beside the program.

#include "Database.h"
#include "PostalLookup.h"
#include "Query.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

namespace {

std::vector<QString> g_codes; ///< a spread of codes that exist, in the stored form

/// Every 97th code of the dictionary, so that the look-ups hit all of the index.
bool loadCodes(const QString& path)
{
    auto db = rov2::Database::open(path);
    if (!db)
        return false;
    rov2::Query q = db->query(QStringLiteral("SELECT DISTINCT 番号 FROM 郵便番号 WHERE rowid % 97 = 0"));
    while (q.next())
        g_codes.push_back(q.value(0).toString());
    return q.ok() && !g_codes.empty();
}

/// "1000001" as a user may type it: "１００－０００１".
QString asTyped(const QString& code)
{
    QString out;
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (i == 3)
            out += QChar(0xFF0D);
        out += QChar(code.at(i).unicode() - u'0' + 0xFF10);
    }
    return out;
}

QString g_dictionary;

void lookUp(benchmark::State& state, const std::vector<QString>& texts)
{
    size_t i = 0, found = 0;
    for (auto _ : state) {
        const QString address = rov2::LookupAddress(g_dictionary, texts[i++ % texts.size()]);
        found += address.isEmpty() ? 0 : 1;
        benchmark::DoNotOptimize(address);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["found"] =
        benchmark::Counter(static_cast<double>(found) / static_cast<double>(state.iterations()));
}

void BM_LookupExact(benchmark::State& state)
{
    lookUp(state, g_codes);
}

void BM_LookupNormalised(benchmark::State& state)
{
    std::vector<QString> typed;
    for (const QString& c : g_codes)
        typed.push_back(asTyped(c));
    lookUp(state, typed);
}

/// The share of a look-up that is opening the file (each look-up opens it anew).
void BM_OpenOnly(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(rov2::Database::open(g_dictionary));
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_LookupExact);
BENCHMARK(BM_LookupNormalised);
BENCHMARK(BM_OpenOnly);

} // namespace

int main(int argc, char** argv)
{
    // A first argument that is no benchmark option names the dictionary.
    QString path;
    if (argc > 1 && argv[1][0] != '-') {
        path = QString::fromLocal8Bit(argv[1]);
        for (int i = 1; i + 1 < argc; ++i)
            argv[i] = argv[i + 1];
        --argc;
    }
    QCoreApplication app(argc, argv);
    if (path.isEmpty())
        path = QCoreApplication::applicationDirPath() + QStringLiteral("/data/yubin.mdb");
    if (!QFileInfo(path).isFile()) {
        std::printf("bench_postal: no postal dictionary at %s; nothing measured (scripts/yubin writes it)\n",
                    path.toLocal8Bit().constData());
        return 0;
    }
    if (!loadCodes(path)) {
        std::fprintf(stderr, "bench_postal: %s holds no postal codes\n", path.toLocal8Bit().constData());
        return 1;
    }
    g_dictionary = path;
    std::printf("dictionary %s, %zu sample codes\n", path.toLocal8Bit().constData(), g_codes.size());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
