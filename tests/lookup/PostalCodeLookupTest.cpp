// The postal-code search over a dictionary written from a KEN_ALL excerpt by
// the dictionary tool's own reader and writer, and over hand-made rows.
#include "PostalCodeLookup.h"

#include "Database.h"
#include "LookupFixtures.h"
#include "PostalSearchIndex.h"
#include "SuppliedFiles.h"
#include "TempData.h"
#include "TestNames.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

struct Kind {
    const char* typed;
    PostalQueryKind kind;
    const char* digits;
};

void PrintTo(const Kind& k, std::ostream* os)
{
    *os << '"' << k.typed << '"';
}

class Classify : public ::testing::TestWithParam<Kind> {};

TEST_P(Classify, TellsCodesFromAddresses)
{
    QString digits;
    EXPECT_EQ(classifyPostalQuery(u(GetParam().typed), &digits), GetParam().kind);
    EXPECT_EQ(digits, u(GetParam().digits));
}

INSTANTIATE_TEST_SUITE_P(
    Typed, Classify,
    ::testing::Values(Kind{"", PostalQueryKind::Nothing, ""}, Kind{" 　", PostalQueryKind::Nothing, ""},
                      Kind{"10", PostalQueryKind::TooFewDigits, "10"}, Kind{"100", PostalQueryKind::CodePrefix, "100"},
                      Kind{"100-00", PostalQueryKind::CodePrefix, "10000"},
                      Kind{"１００－０００１", PostalQueryKind::CodePrefix, "1000001"},
                      Kind{"〒100 0001", PostalQueryKind::CodePrefix, "1000001"},
                      Kind{"千代田", PostalQueryKind::AddressPart, ""},
                      Kind{"100千代田", PostalQueryKind::AddressPart, ""}),
    test::PrintedName());

class KenAllDictionary : public ::testing::Test
{
protected:
    void SetUp() override { test::writeKenAllDictionary(d.postalFile()); }

    /// "code address" of every row found.
    QStringList found(const char* typed, int limit = 0)
    {
        QString error;
        const auto m = findPostalCodes(d.postalFile(), u(typed), limit, &error);
        EXPECT_TRUE(m) << error.toStdString();
        QStringList out;
        if (m)
            for (const auto& r : m->rows)
                out << r.code + QLatin1Char(' ') + r.address;
        return out;
    }

    test::TempData d{false};
};

TEST_F(KenAllDictionary, AnAddressPartFindsItsTownsCode)
{
    auto db = Database::open(d.postalFile());
    ASSERT_TRUE(db);
    ASSERT_TRUE(postalsearch::present(*db)) << "the dictionary tool adds the folded addresses";
    db.reset();
    EXPECT_EQ(found("大通西"), QStringList{u("0600042 北海道札幌市中央区大通西")});
    // across the prefecture, city and town, in code order, several terms each somewhere
    EXPECT_EQ(found("千代田区千代田"), QStringList{u("1000001 東京都千代田区千代田")});
    EXPECT_EQ(found("東京都 霞が関"),
              (QStringList{u("1006001 東京都千代田区霞が関霞が関ビル"), u("1006090 東京都千代田区霞が関霞が関ビル")}));
    EXPECT_EQ(found("中央区"), (QStringList{u("0600000 北海道札幌市中央区"), u("0600042 北海道札幌市中央区大通西")}));
    // full-width and half-width digits alike
    EXPECT_EQ(found("64地割"), QStringList{u("0295503 岩手県和賀郡西和賀町越中畑（６４地割－川口、６５地割－上野々）")});
    EXPECT_EQ(found("和賀郡西和賀町 藤野"), QStringList{u("0295504 岩手県和賀郡西和賀町藤野")});
    EXPECT_TRUE(found("千代田 大阪").isEmpty());
}

TEST_F(KenAllDictionary, LeadingDigitsFindEveryCodeThatBeginsWithThem)
{
    EXPECT_EQ(found("100-0001"), QStringList{u("1000001 東京都千代田区千代田")});
    EXPECT_EQ(found("１００"), (QStringList{u("1000001 東京都千代田区千代田"), u("1006001 東京都千代田区霞が関霞が関ビル"),
                                           u("1006090 東京都千代田区霞が関霞が関ビル")}));
    EXPECT_EQ(found("10060").size(), 2);
    EXPECT_EQ(found("100600").size(), 1);
    // every row of a code that several towns share, in the dictionary's order
    EXPECT_EQ(found("498"), (QStringList{u("4980000 愛知県弥富市"), u("4980000 三重県桑名郡木曽岬町")}));
    EXPECT_TRUE(found("10").isEmpty()) << "two digits list nothing";
    EXPECT_TRUE(found("999").isEmpty());
}

TEST_F(KenAllDictionary, TheLimitCutsTheListAndSaysSo)
{
    const auto m = findPostalCodes(d.postalFile(), u("100"), 2);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->rows.size(), 2);
    EXPECT_TRUE(m->more);
    const auto all = findPostalCodes(d.postalFile(), u("100"), 3);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->rows.size(), 3);
    EXPECT_FALSE(all->more) << "exactly the limit is not more";
}

TEST_F(KenAllDictionary, TheDictionaryIsNeverWritten)
{
    const QDateTime before = QFileInfo(d.postalFile()).lastModified();
    const qint64 size = QFileInfo(d.postalFile()).size();
    found("千代田");
    found("100");
    EXPECT_EQ(QFileInfo(d.postalFile()).lastModified(), before);
    EXPECT_EQ(QFileInfo(d.postalFile()).size(), size);
    EXPECT_FALSE(QFileInfo::exists(d.postalFile() + u("-journal")));
}

class HandMadeDictionary : public ::testing::Test
{
protected:
    void write(const QVector<QVariantList>& rows)
    {
        QString error;
        ASSERT_TRUE(createEmptyFile(d.postalFile(), FileKind::Postal, &error)) << error.toStdString();
        auto db = Database::open(d.postalFile(), &error);
        ASSERT_TRUE(db) << error.toStdString();
        for (const auto& r : rows)
            ASSERT_TRUE(db->execute(u("INSERT INTO 郵便番号 (番号, 県漢字, 市町村漢字, 町名漢字) VALUES (?, ?, ?, ?)"), r));
    }
    test::TempData d{false};
};

TEST_F(HandMadeDictionary, NullPartsAddNothingAndEveryRowOfACodeIsListedInOrder)
{
    write({{u("4980000"), u("愛知県"), u("弥富市"), QVariant()},
           {u("4980000"), u("三重県"), u("桑名郡木曽岬町"), QVariant()},
           {u("0600001"), QVariant(), QVariant(), u("大通")}});
    const auto m = findPostalCodes(d.postalFile(), u("498"), 0);
    ASSERT_TRUE(m);
    ASSERT_EQ(m->rows.size(), 2);
    EXPECT_EQ(m->rows[0].address, u("愛知県弥富市"));
    EXPECT_EQ(m->rows[1].address, u("三重県桑名郡木曽岬町"));
    const auto t = findPostalCodes(d.postalFile(), u("大通"), 0);
    ASSERT_TRUE(t);
    ASSERT_EQ(t->rows.size(), 1);
    EXPECT_EQ(t->rows[0].address, u("大通"));
}

TEST_F(HandMadeDictionary, CodesStoredWithAHyphenAreFoundToo)
{
    write({{u("100-0001"), u("旧県"), u("旧市"), QVariant()}, {u("1000002"), u("東京都"), u("千代田区"), u("皇居外苑")}});
    const auto m = findPostalCodes(d.postalFile(), u("1000"), 0);
    ASSERT_TRUE(m);
    ASSERT_EQ(m->rows.size(), 2);
    EXPECT_EQ(m->rows[0].code, u("100-0001"));
    EXPECT_EQ(m->rows[1].code, u("1000002"));
}

TEST_F(HandMadeDictionary, QuotesAndPercentSignsAreSearchedAsText)
{
    write({{u("1000001"), u("東京都"), u("千代田区"), u("50%ビル")}, {u("1000002"), u("東京都"), u("千代田区"), u("O'Hare")},
           {u("1000003"), u("東京都"), u("千代田区"), u("その他")}});
    const auto pct = findPostalCodes(d.postalFile(), u("%"), 0);
    ASSERT_TRUE(pct);
    ASSERT_EQ(pct->rows.size(), 1);
    EXPECT_EQ(pct->rows[0].code, u("1000001"));
    const auto quote = findPostalCodes(d.postalFile(), u("'"), 0);
    ASSERT_TRUE(quote);
    ASSERT_EQ(quote->rows.size(), 1);
    EXPECT_EQ(quote->rows[0].code, u("1000002"));
}

struct AddressPart {
    const char* typed;
    int rows;
};

void PrintTo(const AddressPart& a, std::ostream* os)
{
    *os << '"' << a.typed << '"';
}

/// One dictionary twice: as the dictionary tool writes it now, with the folded
/// addresses, and as an older tool wrote it, without them.
class FoldedAddresses : public HandMadeDictionary, public ::testing::WithParamInterface<AddressPart>
{
protected:
    void SetUp() override
    {
        write({{u("1000002"), u("東京都"), u("千代田区"), u("千代田")}, {u("0600001"), u("北海道"), u("札幌市中央区"), u("北一条西")},
               {u("1000001"), u("東京都"), u("千代田区"), u("霞が関ＪＲビル（６４階）")},
               {u("1000001"), u("東京都"), u("港区"), u("ｱｰｸﾋﾙｽﾞ")}, {u("1000003"), QVariant(), u("港区"), u("アークヒルズ")},
               {u("1000004"), u("東京都"), u("千代田区"), u("\"引用\"ビル")}, {u("1000005"), u("大阪府"), u("北区"), QVariant()}});
        QString error;
        ASSERT_TRUE(QFile::copy(d.postalFile(), indexed()));
        auto db = Database::open(indexed(), &error);
        ASSERT_TRUE(db) << error.toStdString();
        Transaction t(*db);
        ASSERT_TRUE(postalsearch::write(*db, &error)) << error.toStdString();
        ASSERT_TRUE(t.commit());
        ASSERT_TRUE(postalsearch::present(*db));
    }
    QString indexed() const { return d.path(u("indexed.mdb")); }
    QStringList found(const QString& dictionary, int limit)
    {
        QString error;
        const auto m = findPostalCodes(dictionary, u(GetParam().typed), limit, &error);
        EXPECT_TRUE(m) << error.toStdString();
        QStringList out;
        if (m)
            for (const auto& r : m->rows)
                out << r.code + QLatin1Char(' ') + r.address;
        return out;
    }
};

TEST_P(FoldedAddresses, FindTheRowsThatFoldingEveryAddressFindsInTheSameOrder)
{
    const QStringList unindexed = found(d.postalFile(), 0);
    EXPECT_EQ(unindexed.size(), GetParam().rows);
    EXPECT_EQ(found(indexed(), 0), unindexed);
    EXPECT_EQ(found(indexed(), 1), unindexed.mid(0, 1)) << "cut at the limit";
}

INSTANTIATE_TEST_SUITE_P(
    Typed, FoldedAddresses,
    ::testing::Values(AddressPart{"千代田", 3}, AddressPart{"北", 2}, AddressPart{"区千代", 1},
                      AddressPart{"都千代田区千代田", 1}, AddressPart{"あーくひるず", 2}, AddressPart{"ｱｰｸ", 2},
                      AddressPart{"ヒルズ 港", 2}, AddressPart{"jrビル", 1}, AddressPart{"64階", 1},
                      AddressPart{"東京 ビ", 2}, AddressPart{"\"引用\"", 1}, AddressPart{"\"", 1}, AddressPart{"が", 1},
                      AddressPart{"京都", 4}, AddressPart{"大阪 千代田", 0}, AddressPart{"'", 0}),
    test::PrintedName());

TEST_F(HandMadeDictionary, AMissingDictionaryIsAFailureAndIsNotCreated)
{
    QString error;
    EXPECT_FALSE(findPostalCodes(d.postalFile(), u("100"), 0, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(d.postalFile()));
    // nothing typed needs no dictionary
    EXPECT_TRUE(findPostalCodes(d.postalFile(), u(""), 0));
}

} // namespace
} // namespace rov2
