#include "KenAllReader.h"

#include "PostalFixtures.h"
#include "TempData.h"
#include "TextDecoding.h"

#include <QFile>
#include <gtest/gtest.h>

namespace rov2::yubin {

namespace {

using test::row;

/// One line in the official layout, with the columns that are not read filled in.
QString line(const char* code, const char* town, const char* pref = "東京都", const char* city = "千代田区")
{
    return QStringLiteral(
               "13101,\"100  \",\"%1\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｶﾅ\",\"%2\",\"%3\",\"%4\",0,0,0,0,0,0")
        .arg(QString::fromUtf8(code), QString::fromUtf8(pref), QString::fromUtf8(city),
             QString::fromUtf8(town));
}

TEST(KenAllReader, ReadsTheOfficialFileInShiftJis)
{
    const SourceData d = KenAllReader::readFile(test::postalFixture(QStringLiteral("ken_all_sjis.csv")));
    ASSERT_TRUE(d.ok()) << d.error.toStdString();
    const QVector<PostalRow> expected = {
        row("0600000", "北海道", "札幌市中央区", ""),
        row("0600042", "北海道", "札幌市中央区", "大通西"),
        row("0613200", "北海道", "石狩郡当別町", ""),
        row("0295503", "岩手県", "和賀郡西和賀町", "越中畑（６４地割－川口、６５地割－上野々）"),
        row("0295504", "岩手県", "和賀郡西和賀町", "藤野"),
        row("1006090", "東京都", "千代田区", "霞が関霞が関ビル"),
        row("1006001", "東京都", "千代田区", "霞が関霞が関ビル"),
        row("1000001", "東京都", "千代田区", "千代田"),
        row("2100001", "神奈川県", "川崎市川崎区",
            "東町（芝生－南～北）"), // U+FF0D and U+FF5E, as Windows-31J maps them
        row("2100002", "神奈川県", "川崎市川崎区", "丸①"),
        row("4980000", "愛知県", "弥富市", ""),
        row("4980000", "三重県", "桑名郡木曽岬町", ""),
    };
    EXPECT_EQ(d.rows, expected);
    // Line 12 has a quote out of place, line 13 only 14 columns.
    ASSERT_EQ(d.warnings.size(), 2) << d.warnings.join(u'\n').toStdString();
    EXPECT_TRUE(d.warnings.at(0).contains(QStringLiteral("ken_all_sjis.csv:12:")));
    EXPECT_TRUE(d.warnings.at(1).contains(QStringLiteral("ken_all_sjis.csv:13:")));
}

TEST(KenAllReader, ReadsTheOneRowPerCodeVariantInUtf8)
{
    const SourceData d = KenAllReader::readFile(test::postalFixture(QStringLiteral("ken_all_utf8.csv")));
    ASSERT_TRUE(d.ok()) << d.error.toStdString();
    const QVector<PostalRow> expected = {
        row("0600000", "北海道", "札幌市中央区", ""),
        row("0295503", "岩手県", "和賀郡西和賀町", "越中畑（６４地割－川口、６５地割－上野々）"),
        row("0295504", "岩手県", "和賀郡西和賀町", "藤野"),
        row("1006001", "東京都", "千代田区", "霞が関霞が関ビル"),
        row("2100002", "神奈川県", "川崎市川崎区", "丸①"),
    };
    EXPECT_EQ(d.rows, expected);
    EXPECT_TRUE(d.warnings.isEmpty());
}

TEST(KenAllReader, ASplitTownStopsAtTheNextCode)
{
    const QString text = line("1000001", "大手町（１丁目、") + QStringLiteral("\r\n") +
                         line("1000002", "丸の内") + QStringLiteral("\r\n") +
                         line("1000003", "有楽町（２丁目、");
    const SourceData d = KenAllReader::readText(text, QStringLiteral("t.csv"));
    const QVector<PostalRow> expected = {row("1000001", "東京都", "千代田区", "大手町（１丁目、"),
                                         row("1000002", "東京都", "千代田区", "丸の内"),
                                         row("1000003", "東京都", "千代田区", "有楽町（２丁目、")};
    EXPECT_EQ(d.rows, expected);
    ASSERT_EQ(d.warnings.size(), 2);
    EXPECT_TRUE(d.warnings.at(0).startsWith(QStringLiteral("t.csv:1:")));
    EXPECT_TRUE(d.warnings.at(1).startsWith(QStringLiteral("t.csv:3:")));
}

TEST(KenAllReader, ABrokenLineInsideASplitTownIsPassedOver)
{
    const QString text = line("1000001", "大手町（１、") + u'\n' +
                         QStringLiteral("13101,\"100  \",\"1000001\"\n") + line("1000001", "２丁目）") +
                         u'\n' + line("1000001", "大手町（３丁目）");
    const SourceData d = KenAllReader::readText(text, QStringLiteral("t.csv"));
    const QVector<PostalRow> expected = {row("1000001", "東京都", "千代田区", "大手町"),
                                         row("1000001", "東京都", "千代田区", "大手町")};
    EXPECT_EQ(d.rows, expected);
    EXPECT_EQ(d.warnings.size(), 1);
}

TEST(KenAllReader, SkipsLinesWithoutASevenDigitCode)
{
    const QString text = line("100-0001", "千代田") + u'\n' + line("100001", "千代田") + u'\n' +
                         line("１０００００１", "千代田") + u'\n' + line("1000001", "千代田") +
                         QStringLiteral("\n\n");
    const SourceData d = KenAllReader::readText(text, QStringLiteral("t.csv"));
    EXPECT_EQ(d.rows, QVector<PostalRow>{row("1000001", "東京都", "千代田区", "千代田")});
    EXPECT_EQ(d.warnings.size(), 3);
}

TEST(KenAllReader, UnreadableFilesFail)
{
    test::TempData dir(false);
    EXPECT_FALSE(KenAllReader::readFile(dir.path(QStringLiteral("missing.csv"))).ok());

    QFile empty(dir.path(QStringLiteral("empty.csv")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    const SourceData none = KenAllReader::readFile(empty.fileName());
    EXPECT_FALSE(none.ok());
    EXPECT_TRUE(none.error.contains(QStringLiteral("no postal rows")));

    // 0x80 and 0xA0 are not characters in Windows-31J, and the bytes are no UTF-8 either.
    QFile junk(dir.path(QStringLiteral("junk.csv")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray("13101,\"\x80\xa0\"\r\n"));
    junk.close();
    const SourceData bad = KenAllReader::readFile(junk.fileName());
    EXPECT_FALSE(bad.ok());
    EXPECT_TRUE(bad.error.contains(QStringLiteral("Shift_JIS")));
}

TEST(TextDecoding, TellsTheEncodingApart)
{
    const QByteArray sjis("\x81\x60\x81\x7c\x87\x40\x5c\x7e\x82\xa0");
    EXPECT_FALSE(isUtf8(sjis));
    EXPECT_EQ(decodeSourceText(sjis).value_or(QString()), QStringLiteral("～－①\\~あ"));
    const QByteArray utf8 = QStringLiteral("～－①あ").toUtf8();
    EXPECT_TRUE(isUtf8(utf8));
    EXPECT_EQ(decodeSourceText(QByteArray("\xef\xbb\xbf") + utf8).value_or(QString()),
              QStringLiteral("～－①あ"));
    QString error;
    EXPECT_FALSE(decodeWindows31J(QByteArray("\x82"), &error).has_value()); // a lead byte cut off
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace rov2::yubin
