// The customer list at 100,000 customers and about 200,000 family rows:
// listing without and with the family, the kana-insensitive reading filter,
// marking every row, and deleting 1,000 marked customers, each beside the same
// statements run through bare SQLite on the same files; then the program's
// memory with the whole list of about 300,000 rows on screen.
//
//     bench_list [runs]      (default 3; the best run is printed)
#include "BenchFiles.h"
#include "CustomerListModel.h"
#include "CustomerListStore.h"
#include "Dialogs.h"
#include "FrmKokyakuList.h"
#include "JapaneseCollation.h"
#include "KanaFold.h"
#include "ProgramEnv.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <tuple>
#include <utility>

namespace {

constexpr qint64 kCustomers = 100000;
constexpr int kMarkedForDeletion = 1000;

/// Answers Yes to the question before deleting.
class SayYes : public rov2::Dialogs {
public:
    rov2::MsgAnswer message(QWidget*, const rov2::MessageRequest& r) override
    {
        return r.buttons == rov2::MsgButtons::YesNo ? rov2::MsgAnswer::Yes : rov2::MsgAnswer::Ok;
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

/// Bare SQLite: one connection with the reading collation (and, where the
/// statement needs it, the kana function), statements run as they are.
class Bare {
public:
    explicit Bare(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        rov2::registerJapaneseCollation(db_);
        rov2::registerKanaFunctions(db_);
    }
    ~Bare() { sqlite3_close(db_); }
    Bare(const Bare&) = delete;
    Bare& operator=(const Bare&) = delete;

    void exec(const QString& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::fprintf(stderr, "bare sqlite: %s\n", error);
            sqlite3_free(error);
        }
    }
    qint64 scalar(const QString& sql)
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr);
        const qint64 n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
        sqlite3_finalize(st);
        return n;
    }

private:
    sqlite3* db_ = nullptr;
};

double bestOf(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

void report(const char* what, double program, double bare)
{
    std::printf("%-44s program %9.1f ms   bare SQLite %9.1f ms   ratio %5.2f\n", what, program, bare, program / bare);
    std::fflush(stdout);
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

/// The list statements as the screen runs them, for the bare side.
QString listStatement(bool family, const QString& readingTerm)
{
    const QString where = readingTerm.isEmpty() ? QString() : QStringLiteral(" WHERE ") + readingTerm;
    const QString customers =
        QStringLiteral("SELECT 名称, ふりがな, 住所1, NULL AS 氏名, NULL AS 続柄 FROM data.顧客マスタ") + where;
    const QString insert = QStringLiteral("INSERT INTO w顧客リスト (名称, ふりがな, 住所1, 氏名, 続柄) ");
    if (!family)
        return insert + customers + QStringLiteral(" ORDER BY ふりがな COLLATE JA, 名称 COLLATE JA");
    return insert + customers +
           QStringLiteral(" UNION ALL SELECT 名称, ふりがな, NULL, 氏名, 続柄 FROM data.家族情報") + where +
           QStringLiteral(" ORDER BY 名称 COLLATE JA, 氏名 COLLATE JA");
}

/// One 読込 on bare SQLite: the list statement in a transaction, then the three counts as the screen shows them.
std::function<void()> bareListRun(const QString& data, const QString& work, bool family, const QString& readingTerm)
{
    return [=] {
        Bare b(work);
        b.exec(QStringLiteral("ATTACH DATABASE '%1' AS data").arg(data));
        b.exec(QStringLiteral("BEGIN"));
        b.exec(QStringLiteral("DELETE FROM w顧客リスト"));
        b.exec(listStatement(family, readingTerm));
        b.exec(QStringLiteral("COMMIT"));
        b.exec(QStringLiteral("DETACH DATABASE data"));
        b.scalar(QStringLiteral("SELECT count(*) FROM w顧客リスト"));
        Bare d(data);
        d.scalar(QStringLiteral("SELECT count(*) FROM 顧客マスタ"));
        d.scalar(QStringLiteral("SELECT count(*) FROM 家族情報"));
    };
}

double bareList(int runs, const QString& data, const QString& work, bool family, const QString& readingTerm)
{
    return bestOf(runs, [] {}, bareListRun(data, work, family, readingTerm));
}

/// The best of @p runs of the program and of bare SQLite, taken in turns, so
/// that a change in the machine's load falls on both alike.
std::pair<double, double> bestInTurns(int runs, const std::function<void()>& prepare,
                                      const std::function<void()>& program, const std::function<void()>& bare)
{
    double p = std::numeric_limits<double>::max();
    double b = p;
    for (int i = 0; i < runs; ++i) {
        p = std::min(p, bestOf(1, prepare, program));
        b = std::min(b, bestOf(1, [] {}, bare));
    }
    return {p, b};
}

/// Where the time of one 読込 goes, step by step as the screen takes them.
void printSteps(const QString& data, const QString& work, bool family)
{
    rov2::ListFilter filter;
    filter.家族 = family;
    rov2::CustomerListModel model(nullptr, work);
    QElapsedTimer t;
    t.start();
    rov2::ListCounts counts;
    const bool built = rov2::CustomerListStore::buildList(data, work, filter, &counts);
    const double build = t.nsecsElapsed() / 1e6;
    t.restart();
    const bool read = model.refresh(counts.listed);
    const double ids = t.nsecsElapsed() / 1e6;
    t.restart();
    (void)model.data(model.index(0, 1));
    const double firstRows = t.nsecsElapsed() / 1e6;
    std::printf("    steps: build and counts %.1f ms%s, row ids %.1f ms%s, first rows %.1f ms\n", build,
                built ? "" : " (FAILED)", ids, read ? "" : " (FAILED)", firstRows);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;

    QTemporaryDir dir;
    const QString sample = rov2::bench::sampleDataFile(kCustomers);
    const QString data = dir.path() + QStringLiteral("/Rov2Data.mdb");
    const QString work = rov2::bench::freshWorkFile();
    auto freshData = [&] {
        QFile::remove(data);
        QFile::copy(sample, data);
    };
    freshData();
    rov2::env().locations = {dir.path() + QLatin1Char('/'), work, data, data, QString()};
    SayYes yes;
    rov2::DialogsScope answers(yes);
    const long rssStart = statusKb("VmRSS");

    rov2::FrmKokyakuList screen;
    screen.Form_Load();
    screen.resize(900, 620);
    screen.show();
    QApplication::processEvents();
    auto* reading = screen.findChild<QLineEdit*>(QStringLiteral("txtふりがな"));
    auto* family = screen.findChild<QCheckBox*>(QStringLiteral("Chk家族"));
    auto* grid = screen.findChild<QTableView*>(QStringLiteral("Grid明細"));
    auto listOnScreen = [&] {
        screen.Read顧客一覧();
        QApplication::processEvents(); // the first rows painted
    };

    std::printf("customer list, %lld customers, best of %d runs\n", static_cast<long long>(kCustomers), runs);
    auto [p, bare] = bestInTurns(runs, [&] { family->setChecked(false); reading->clear(); }, listOnScreen,
                                 bareListRun(data, work, false, {}));
    report("読込 (all customers, first rows on screen)", p, bare);
    std::printf("    rows listed: %d\n", screen.listModel()->rowCount());
    printSteps(data, work, false);

    std::tie(p, bare) = bestInTurns(runs, [&] { reading->setText(QStringLiteral("やま")); }, listOnScreen,
                                    bareListRun(data, work, false, QStringLiteral("kana_prefix(ふりがな, 'やま')")));
    report("読込 ふりがな やま (kana-insensitive)", p, bare);
    std::printf("    rows listed: %d\n", screen.listModel()->rowCount());
    // What folding costs: the same list on bare SQLite with a plain, kana-sensitive LIKE.
    const double folded = bareList(runs, data, work, false, QStringLiteral("kana_prefix(ふりがな, 'やま')"));
    const double plain = bareList(runs, data, work, false, QStringLiteral("ふりがな LIKE 'やま%'"));
    std::printf("    bare SQLite: kana_prefix %.1f ms, plain LIKE 'やま%%' %.1f ms\n", folded, plain);

    std::tie(p, bare) = bestInTurns(runs, [&] { reading->clear(); family->setChecked(true); }, listOnScreen,
                                    bareListRun(data, work, true, {}));
    report("読込 家族を含む (first rows on screen)", p, bare);
    std::printf("    rows listed: %d\n", screen.listModel()->rowCount());
    printSteps(data, work, true);

    // Memory with the whole list of customers and families on screen, scrolled to its end and back.
    grid->scrollToBottom();
    QApplication::processEvents();
    grid->scrollToTop();
    QApplication::processEvents();
    std::printf("memory: %ld kB before the screen, %ld kB with %d rows listed (peak %ld kB)\n", rssStart,
                statusKb("VmRSS"), screen.listModel()->rowCount(), statusKb("VmHWM"));

    family->setChecked(false);
    listOnScreen();
    p = bestOf(runs, [] {}, [&] { screen.OnOff顧客一覧(true); QApplication::processEvents(); });
    const double bareMark = bestOf(runs, [] {}, [&] {
        Bare b(work);
        b.exec(QStringLiteral("UPDATE w顧客リスト SET チェック = -1"));
    });
    report("全選択 (100,000 rows)", p, bareMark);

    // 1,000 customers marked, spread over the list; the data file is fresh for every run.
    auto markSome = [&] {
        freshData();
        screen.Read顧客一覧();
        Bare b(work);
        b.exec(QStringLiteral("UPDATE w顧客リスト SET チェック = -1 WHERE rowid % %1 = 0")
                   .arg(screen.listModel()->rowCount() / kMarkedForDeletion));
    };
    p = bestOf(runs, markSome, [&] {
        if (!rov2::CustomerListStore::deleteMarked(data, work))
            std::fprintf(stderr, "the marked customers could not be deleted: this time is not a deletion's\n");
    });
    const double bareDelete = bestOf(runs, markSome, [&] {
        Bare b(data);
        b.exec(QStringLiteral("ATTACH DATABASE '%1' AS work").arg(work));
        b.exec(QStringLiteral("BEGIN"));
        b.exec(QStringLiteral("DELETE FROM 家族情報 WHERE 名称 IN (SELECT 名称 FROM work.w顧客リスト WHERE チェック <> 0)"));
        b.exec(QStringLiteral("DELETE FROM 顧客マスタ WHERE 名称 IN (SELECT 名称 FROM work.w顧客リスト WHERE チェック <> 0)"));
        b.exec(QStringLiteral("COMMIT"));
        b.exec(QStringLiteral("DETACH DATABASE work"));
    });
    report("行削除 of 1,000 marked (deletion only)", p, bareDelete);
    const double withRebuild = bestOf(runs, markSome, [&] { screen.Delete顧客マスタ(); });
    std::printf("%-44s program %9.1f ms   (the deletion and the list read again)\n", "行削除 of 1,000 marked, as the user sees it",
                withRebuild);
    return 0;
}
