#include "Database.h"
#include "JapaneseCollation.h"
#include "Query.h"
#include "TempData.h"

#include <gtest/gtest.h>

using namespace rov2;

namespace {

QStringList sortedByDatabase(const QStringList& readings)
{
    test::TempData d;
    auto db = Database::open(d.dataFile());
    if (!db) {
        ADD_FAILURE() << "the database could not be opened";
        return {};
    }
    for (const QString& r : readings)
        EXPECT_TRUE(db->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称, ふりがな) VALUES (?, ?)"), {r, r}));
    QStringList out;
    Query q = db->query(QStringLiteral("SELECT ふりがな FROM 顧客マスタ ORDER BY ふりがな COLLATE JA"));
    while (q.next())
        out << q.value(0).toString();
    return out;
}

TEST(JapaneseOrder, KanaOfTheSameSoundSitTogetherVoicedAfterUnvoiced)
{
    const QStringList shuffled = {QStringLiteral("い"), QStringLiteral("ｱ"), QStringLiteral("が"), QStringLiteral("ア"),
                                  QStringLiteral("か"), QStringLiteral("あ"), QStringLiteral("き"), QStringLiteral("カ")};
    const QStringList sorted = sortedByDatabase(shuffled);
    ASSERT_EQ(sorted.size(), shuffled.size());
    // あ, ア and ｱ come first together, before い.
    EXPECT_EQ(QStringList(sorted.mid(0, 3)).join(QString()).size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(QStringLiteral("あアｱ").contains(sorted.at(i))) << sorted.at(i).toStdString();
    EXPECT_EQ(sorted.at(3), QStringLiteral("い"));
    const auto at = [&sorted](const char* s) { return sorted.indexOf(QString::fromUtf8(s)); };
    EXPECT_LT(at("か"), at("が"));
    EXPECT_LT(at("カ"), at("が"));
    EXPECT_LT(at("が"), at("き"));
}

TEST(JapaneseOrder, DifferentTextsNeverCompareEqual)
{
    EXPECT_NE(compareReadings(QStringLiteral("あいう"), QStringLiteral("アイウ")), 0);
    EXPECT_NE(compareReadings(QStringLiteral("アイウ"), QStringLiteral("ｱｲｳ")), 0);
    EXPECT_EQ(compareReadings(QStringLiteral("やまだ"), QStringLiteral("やまだ")), 0);
    EXPECT_LT(compareReadings(QStringLiteral("やまだ"), QStringLiteral("やまもと")), 0);
    EXPECT_LT(compareReadings(QString(), QStringLiteral("あ")), 0);
}

} // namespace
