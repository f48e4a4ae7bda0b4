// The customer screen at 100,000 customers and about 200,000 family rows:
// start-up to the window shown, and reading and saving one customer with
// four family members.
#include "BenchFiles.h"
#include "ComboBox.h"
#include "Database.h"
#include "Dialogs.h"
#include "FrmROV2.h"
#include "ProgramEnv.h"
#include "Query.h"
#include "Startup.h"
#include "SuppliedFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr qint64 kCustomers = 100000;

/// Answers every question with its preselected button and saves nothing of it.
class Unattended : public rov2::Dialogs {
public:
    rov2::MsgAnswer message(QWidget*, const rov2::MessageRequest& r) override
    {
        if (r.buttons == rov2::MsgButtons::YesNo)
            return r.defaultIsSecond ? rov2::MsgAnswer::No : rov2::MsgAnswer::Yes;
        return r.buttons == rov2::MsgButtons::OkCancel && r.defaultIsSecond ? rov2::MsgAnswer::Cancel
                                                                            : rov2::MsgAnswer::Ok;
    }
    std::optional<QString> openFile(QWidget*, const QString&, const QString&, const QStringList&, int) override
    {
        return std::nullopt;
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&, const QStringList&, int) override
    {
        return std::nullopt;
    }
    std::optional<QString> folder(QWidget*, const QString&) override { return std::nullopt; }
    void beep() override {}
};

/// A program folder whose data folder holds a copy of the sample data file.
struct ProgramFolder {
    QTemporaryDir dir;
    ProgramFolder()
    {
        QDir().mkpath(dir.path() + QStringLiteral("/data"));
        QFile::copy(rov2::bench::sampleDataFile(kCustomers), dir.path() + QStringLiteral("/data/Rov2Data.mdb"));
        // The lock is let go at once: each benchmark starts the program anew.
        if (rov2::startProgram(dir.path()).outcome != rov2::StartOutcome::Ready)
            qFatal("the bench folder is locked by another copy");
    }
};

QString customerWithFourMembers()
{
    auto db = rov2::Database::open(rov2::env().locations.dataFile);
    rov2::Query q = db->query(QStringLiteral("SELECT 名称 FROM 家族情報 GROUP BY 名称 HAVING count(*) = 4 LIMIT 1"));
    return q.next() ? q.value(0).toString() : QString();
}

void StartUpToWindowShown(benchmark::State& state)
{
    ProgramFolder folder;
    for (auto _ : state) {
        const rov2::ProgramStart start = rov2::startProgram(folder.dir.path());
        if (start.outcome != rov2::StartOutcome::Ready) {
            state.SkipWithError("the bench folder is locked");
            break;
        }
        rov2::FrmROV2 main;
        main.Form_Load();
        main.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(main.isVisible());
    }
}
BENCHMARK(StartUpToWindowShown)->Unit(benchmark::kMillisecond);

void ReadCustomerWithFamily(benchmark::State& state)
{
    ProgramFolder folder;
    rov2::FrmROV2 main;
    main.Form_Load();
    const QString name = customerWithFourMembers();
    for (auto _ : state)
        main.Read顧客情報(name);
}
BENCHMARK(ReadCustomerWithFamily)->Unit(benchmark::kMillisecond);

void SaveCustomerWithFamily(benchmark::State& state)
{
    ProgramFolder folder;
    Unattended answers;
    rov2::DialogsScope scope(answers);
    rov2::FrmROV2 main;
    main.Form_Load();
    const QString name = customerWithFourMembers();
    for (auto _ : state) {
        state.PauseTiming();
        main.Read顧客情報(name);
        state.ResumeTiming();
        main.Entry顧客マスタ(name);
    }
}
BENCHMARK(SaveCustomerWithFamily)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
