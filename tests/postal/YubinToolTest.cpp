#include "Database.h"
#include "PostalFixtures.h"
#include "TempData.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& args)
{
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(QStringLiteral(ROV2_YUBIN_TOOL), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

TEST(YubinTool, WritesTheDictionaryAndSaysHowMuch)
{
    test::TempData d(false);
    const ToolRun r = runTool({d.postalFile(), test::postalFixture(QStringLiteral("ken_all_sjis.csv")),
                               test::postalFixture(QStringLiteral("ken_all_utf8.csv"))});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral(": 12 rows, 11 codes"))) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("ken_all_sjis.csv:12:"))) << r.err.toStdString();
    auto db = Database::open(d.postalFile());
    ASSERT_TRUE(db);
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 郵便番号")).value_or(-1), 12);
}

TEST(YubinTool, AnUnreadableSourceFailsAndLeavesNoFile)
{
    test::TempData d(false);
    const QString missing = d.path(QStringLiteral("KEN_ALL.CSV"));
    const ToolRun r =
        runTool({d.postalFile(), test::postalFixture(QStringLiteral("ken_all_utf8.csv")), missing});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("cannot read ") + missing)) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(d.postalFile()));
}

TEST(YubinTool, NeverOverwrites)
{
    test::TempData d(false);
    QFile f(d.postalFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    const ToolRun r = runTool({d.postalFile(), test::postalFixture(QStringLiteral("ken_all_utf8.csv"))});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("exists already")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
}

TEST(YubinTool, WithoutSourcesItShowsHowToCallIt)
{
    test::TempData d(false);
    for (const QStringList& args : {QStringList{}, QStringList{d.postalFile()}}) {
        const ToolRun r = runTool(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(QStringLiteral("usage: rov2-yubin OUT.mdb SOURCE...")));
    }
    EXPECT_FALSE(QFileInfo::exists(d.postalFile()));
}

} // namespace
} // namespace rov2
