#include "PostalLookup.h"
#include "TestNames.h"

#include "Database.h"
#include "PostalFixtures.h"
#include "TempData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace rov2 {
namespace {

using yubin::PostalRow;

class PostalLookupTest : public ::testing::Test
{
protected:

    void write(const QVector<PostalRow>& rows) { test::writeDictionary(d_.postalFile(), rows); }

    test::TempData d_{false};
    QString postal_ = d_.postalFile();
};

TEST_F(PostalLookupTest, JoinsThePartsOfTheCode)
{
    write({{QStringLiteral("1000001"), QStringLiteral("東京都"), QStringLiteral("千代田区"),
            QStringLiteral("千代田")},
           {QStringLiteral("1000002"), QStringLiteral("東京都"), QStringLiteral("千代田区"),
            QStringLiteral("皇居外苑")}});
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("1000002")), QStringLiteral("東京都千代田区皇居外苑"));
}

TEST_F(PostalLookupTest, TheFirstRowOfACodeWins)
{
    write(
        {{QStringLiteral("4980000"), QStringLiteral("愛知県"), QStringLiteral("弥富市"), QString()},
         {QStringLiteral("4980000"), QStringLiteral("三重県"), QStringLiteral("桑名郡木曽岬町"), QString()}});
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("4980000")), QStringLiteral("愛知県弥富市"));
}

TEST_F(PostalLookupTest, ANullPartAddsNothing)
{
    write({{QStringLiteral("0600000"), QStringLiteral("北海道"), QString(), QStringLiteral("大通")},
           {QStringLiteral("0600001"), QString(), QString(), QString()}});
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("0600000")), QStringLiteral("北海道大通"));
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("0600001")), QString());
}

TEST_F(PostalLookupTest, AnExactMatchWinsOverTheDictionaryForm)
{
    write({{QStringLiteral("1000001"), QStringLiteral("東京都"), QStringLiteral("千代田区"),
            QStringLiteral("千代田")},
           {QStringLiteral("100-0001"), QStringLiteral("旧県"), QStringLiteral("旧市"), QString()},
           {QStringLiteral("1000002"), QStringLiteral(""), QStringLiteral(""), QStringLiteral("")},
           {QStringLiteral("100-0002"), QStringLiteral("東京都"), QStringLiteral("千代田区"),
            QStringLiteral("皇居外苑")}});
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("100-0001")), QStringLiteral("旧県旧市"));
    // A row found as typed wins even when it has nothing to show.
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("1000002")), QString());
}

TEST_F(PostalLookupTest, ACodeWithAnApostropheIsMatchedAsText)
{
    write({{QStringLiteral("100'0001"), QStringLiteral("東京都"), QStringLiteral("港区"), QString()},
           {QStringLiteral("1000001"), QStringLiteral("東京都"), QStringLiteral("千代田区"),
            QStringLiteral("千代田")}});
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("100'0001")), QStringLiteral("東京都港区"));
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("1000001' OR '1'='1")), QString());
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("'")), QString());
}

struct Typed
{
    const char* text;
    const char* address;
};

void PrintTo(const Typed& c, std::ostream* os)
{
    *os << c.text;
}

class TypedForms : public PostalLookupTest, public ::testing::WithParamInterface<Typed>
{
};

TEST_P(TypedForms, FindTheCodeInTheDictionaryForm)
{
    write({{QStringLiteral("1000001"), QStringLiteral("東京都"), QStringLiteral("千代田区"),
            QStringLiteral("千代田")}});
    EXPECT_EQ(LookupAddress(postal_, QString::fromUtf8(GetParam().text)), QString::fromUtf8(GetParam().address));
}

INSTANTIATE_TEST_SUITE_P(Codes, TypedForms,
                         ::testing::Values(Typed{"1000001", "東京都千代田区千代田"},
                                           Typed{"100-0001", "東京都千代田区千代田"},
                                           Typed{"１００－０００１", "東京都千代田区千代田"},
                                           Typed{"１０００００１", "東京都千代田区千代田"},
                                           Typed{"100ー0001", "東京都千代田区千代田"},
                                           Typed{" 100 0001\t", "東京都千代田区千代田"},
                                           Typed{"　１００－０００１　", "東京都千代田区千代田"},
                                           Typed{"1000002", ""},
                                           Typed{"100‐0001", ""}, // U+2010 is not one of the hyphens removed
                                           Typed{"100", ""}, Typed{"10000011", ""}, Typed{"", ""},
                                           Typed{"-", ""}, Typed{"　", ""}), ::rov2::test::PrintedName());

TEST_F(PostalLookupTest, AnEmptyCodeIsNotLookedUpEvenWhenARowHasIt)
{
    write({{QStringLiteral(""), QStringLiteral("県"), QStringLiteral("市"), QString()}});
    EXPECT_EQ(LookupAddress(postal_, QString()), QString());
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("")), QString());
}

TEST_F(PostalLookupTest, AMissingDictionaryIsNeitherOpenedNorCreated)
{
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("1000001")), QString());
    EXPECT_FALSE(QFileInfo::exists(d_.postalFile()));
    postal_ = d_.path(QStringLiteral("no/such/folder/yubin.mdb"));
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("1000001")), QString());
    EXPECT_FALSE(QFileInfo::exists(d_.path(QStringLiteral("no"))));
    postal_.clear();
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("1000001")), QString());
    EXPECT_TRUE(QDir(d_.folder()).isEmpty());
}

TEST_F(PostalLookupTest, AnUnreadableDictionaryGivesNothing)
{
    QFile junk(d_.postalFile());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a database\n");
    junk.close();
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("1000001")), QString());

    postal_ = d_.folder();
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("1000001")), QString());
}

TEST_F(PostalLookupTest, ADictionaryWithoutTheTableGivesNothing)
{
    test::writeDictionary(d_.postalFile(), {});
    auto db = Database::open(d_.postalFile());
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(QStringLiteral("DROP TABLE 郵便番号")));
    db.reset();
    EXPECT_EQ(LookupAddress(postal_, QStringLiteral("1000001")), QString());
}

struct Normalized
{
    const char* text;
    const char* expected;
};

void PrintTo(const Normalized& c, std::ostream* os)
{
    *os << c.text;
}

class NormalizeTest : public ::testing::TestWithParam<Normalized>
{
};

TEST_P(NormalizeTest, GivesTheDictionaryForm)
{
    EXPECT_EQ(NormalizePostalCode(QString::fromUtf8(GetParam().text)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NormalizeTest,
    ::testing::Values(Normalized{"1000001", "1000001"}, Normalized{"100-0001", "1000001"},
                      Normalized{"０１２３４５６７８９", "0123456789"},
                      Normalized{"１００－０００１", "1000001"}, Normalized{"100ー0001", "1000001"},
                      Normalized{" 1 0\t0　0 ", "1000"}, Normalized{"〒100-0001", "〒1000001"},
                      Normalized{"100'0001", "100'0001"}, Normalized{"一〇〇", "一〇〇"},
                      Normalized{"100−0001", "100−0001"}, Normalized{"ー－-", ""}, Normalized{"", ""}), ::rov2::test::PrintedName());

} // namespace
} // namespace rov2
