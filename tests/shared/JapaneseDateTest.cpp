#include "JapaneseDate.h"
#include "TestNames.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace rov2 {
namespace {

const QString kEraLong = QStringLiteral("gggee年mm月dd日");
const QString kEraShort = QStringLiteral("gee/mm/dd");

struct EraRow
{
    QDate date;
    QString eraLong;
    QString eraShort;
};

void PrintTo(const EraRow& r, std::ostream* os)
{
    *os << r.date.toString(Qt::ISODate).toStdString();
}

class EraTest : public ::testing::TestWithParam<EraRow>
{
};

TEST_P(EraTest, FormatsInTheEraOfTheDay)
{
    EXPECT_EQ(formatDate(GetParam().date, kEraLong), GetParam().eraLong);
    EXPECT_EQ(formatDate(GetParam().date, kEraShort), GetParam().eraShort);
}

TEST_P(EraTest, ReadsBackToTheSameDay)
{
    EXPECT_EQ(parseDate(GetParam().eraLong, kEraLong), GetParam().date);
    EXPECT_EQ(parseDate(GetParam().eraShort, kEraShort), GetParam().date);
}

INSTANTIATE_TEST_SUITE_P(
    JapaneseDate, EraTest,
    ::testing::Values(
        EraRow{QDate(1868, 1, 1), QStringLiteral("明治01年01月01日"), QStringLiteral("M01/01/01")},
        EraRow{QDate(1912, 7, 29), QStringLiteral("明治45年07月29日"), QStringLiteral("M45/07/29")},
        EraRow{QDate(1912, 7, 30), QStringLiteral("大正01年07月30日"), QStringLiteral("T01/07/30")},
        EraRow{QDate(1926, 12, 24), QStringLiteral("大正15年12月24日"), QStringLiteral("T15/12/24")},
        EraRow{QDate(1926, 12, 25), QStringLiteral("昭和01年12月25日"), QStringLiteral("S01/12/25")},
        EraRow{QDate(1989, 1, 7), QStringLiteral("昭和64年01月07日"), QStringLiteral("S64/01/07")},
        EraRow{QDate(1989, 1, 8), QStringLiteral("平成01年01月08日"), QStringLiteral("H01/01/08")},
        EraRow{QDate(2001, 8, 8), QStringLiteral("平成13年08月08日"), QStringLiteral("H13/08/08")},
        EraRow{QDate(2019, 4, 30), QStringLiteral("平成31年04月30日"), QStringLiteral("H31/04/30")},
        EraRow{QDate(2019, 5, 1), QStringLiteral("令和01年05月01日"), QStringLiteral("R01/05/01")},
        EraRow{QDate(2024, 2, 29), QStringLiteral("令和06年02月29日"), QStringLiteral("R06/02/29")}), ::rov2::test::PrintedName());

struct FormatRow
{
    QDate date;
    QString pattern;
    QString text;
};

void PrintTo(const FormatRow& r, std::ostream* os)
{
    PrintTo(r.pattern, os);
}

class FormatTest : public ::testing::TestWithParam<FormatRow>
{
};

TEST_P(FormatTest, Formats)
{
    EXPECT_EQ(formatDate(GetParam().date, GetParam().pattern), GetParam().text);
}

const QDate kDay(2001, 8, 8);

INSTANTIATE_TEST_SUITE_P(
    JapaneseDate, FormatTest,
    ::testing::Values(FormatRow{kDay, QStringLiteral("yyyy/mm/dd"), QStringLiteral("2001/08/08")},
                      FormatRow{kDay, QStringLiteral("yyyy年mm月dd日"), QStringLiteral("2001年08月08日")},
                      FormatRow{kDay, QStringLiteral("yyyy年mm月"), QStringLiteral("2001年08月")},
                      FormatRow{kDay, QStringLiteral("gggee年mm月"), QStringLiteral("平成13年08月")},
                      FormatRow{kDay, QStringLiteral("yyyymmdd"), QStringLiteral("20010808")},
                      FormatRow{QDate(1867, 12, 31), QStringLiteral("yyyy/mm/dd"),
                                QStringLiteral("1867/12/31")},
                      FormatRow{QDate(1867, 12, 31), kEraLong, QString()},
                      FormatRow{QDate(), QStringLiteral("yyyy/mm/dd"), QString()}), ::rov2::test::PrintedName());

struct ParseRow
{
    const char* name;
    QString text;
    QString pattern;
    std::optional<QDate> date;
};

void PrintTo(const ParseRow& r, std::ostream* os)
{
    *os << r.name;
}

class ParseTest : public ::testing::TestWithParam<ParseRow>
{
};

TEST_P(ParseTest, ReadsOrRefuses)
{
    EXPECT_EQ(parseDate(GetParam().text, GetParam().pattern), GetParam().date);
}

const QString kStored = QStringLiteral("yyyy/mm/dd");

INSTANTIATE_TEST_SUITE_P(
    JapaneseDate, ParseTest,
    ::testing::Values(
        ParseRow{"an era's year after the next began", QStringLiteral("平成31年05月01日"), kEraLong,
                 QDate(2019, 5, 1)},
        ParseRow{"Showa 64 past its end", QStringLiteral("昭和64年01月08日"), kEraLong, QDate(1989, 1, 8)},
        ParseRow{"before the era began", QStringLiteral("令和01年04月30日"), kEraLong, std::nullopt},
        ParseRow{"Taisho before 30 July", QStringLiteral("大正01年07月29日"), kEraLong, std::nullopt},
        ParseRow{"year 00", QStringLiteral("平成00年01月01日"), kEraLong, std::nullopt},
        ParseRow{"no such era", QStringLiteral("天平13年08月08日"), kEraLong, std::nullopt},
        ParseRow{"29 February of a common year", QStringLiteral("平成13年02月29日"), kEraLong, std::nullopt},
        ParseRow{"29 February of a leap year", QStringLiteral("平成12年02月29日"), kEraLong,
                 QDate(2000, 2, 29)},
        ParseRow{"full-width digits", QStringLiteral("平成１３年０８月０８日"), kEraLong, kDay},
        ParseRow{"missing 日", QStringLiteral("平成13年08月08"), kEraLong, std::nullopt},
        ParseRow{"single digits between separators", QStringLiteral("H13/8/8"), kEraShort, kDay},
        ParseRow{"lower-case initial", QStringLiteral("h13/08/08"), kEraShort, kDay},
        ParseRow{"unknown initial", QStringLiteral("X13/08/08"), kEraShort, std::nullopt},
        ParseRow{"stored form", QStringLiteral("2001/08/08"), kStored, kDay},
        ParseRow{"blanks around", QStringLiteral(" 2001/08/08 "), kStored, kDay},
        ParseRow{"trailing text", QStringLiteral("2001/08/08x"), kStored, std::nullopt},
        ParseRow{"month 13", QStringLiteral("2001/13/01"), kStored, std::nullopt},
        ParseRow{"two-digit year", QStringLiteral("01/08/08"), kStored, std::nullopt},
        ParseRow{"empty", QString(), kStored, std::nullopt},
        ParseRow{"packed", QStringLiteral("20010808"), QStringLiteral("yyyymmdd"), kDay},
        ParseRow{"packed, a digit short", QStringLiteral("2001088"), QStringLiteral("yyyymmdd"),
                 std::nullopt},
        ParseRow{"month without day", QStringLiteral("2001年08月"), QStringLiteral("yyyy年mm月"),
                 QDate(2001, 8, 1)}), ::rov2::test::PrintedName());

TEST(JapaneseDate, StoredFormRoundTrips)
{
    EXPECT_EQ(toStoredDate(QDate(1960, 12, 31)), QStringLiteral("1960/12/31"));
    EXPECT_EQ(fromStoredDate(QStringLiteral("1960/12/31")), QDate(1960, 12, 31));
    EXPECT_EQ(toStoredDate(QDate()), QString());
    EXPECT_EQ(fromStoredDate(QStringLiteral("1960-12-31")), std::nullopt);
}

struct AgeRow
{
    QDate birth;
    QDate day;
    int age;
};

void PrintTo(const AgeRow& r, std::ostream* os)
{
    *os << r.birth.toString(Qt::ISODate).toStdString() << " on " << r.day.toString(Qt::ISODate).toStdString();
}

class AgeTest : public ::testing::TestWithParam<AgeRow>
{
};

TEST_P(AgeTest, CountsTheBirthdayItself)
{
    EXPECT_EQ(ageOn(GetParam().birth, GetParam().day), GetParam().age);
}

const QDate kBorn(1960, 12, 31);
const QDate kLeapling(2000, 2, 29);

INSTANTIATE_TEST_SUITE_P(
    JapaneseDate, AgeTest,
    ::testing::Values(AgeRow{kBorn, QDate(2001, 6, 15), 40}, AgeRow{kBorn, QDate(2001, 12, 30), 40},
                      AgeRow{kBorn, QDate(2001, 12, 31), 41}, AgeRow{kBorn, QDate(2002, 1, 1), 41},
                      AgeRow{kBorn, kBorn, 0}, AgeRow{kLeapling, QDate(2001, 2, 28), 0},
                      AgeRow{kLeapling, QDate(2001, 3, 1), 1}, AgeRow{kLeapling, QDate(2004, 2, 28), 3},
                      AgeRow{kLeapling, QDate(2004, 2, 29), 4}, AgeRow{kLeapling, QDate(2004, 3, 1), 4}), ::rov2::test::PrintedName());

struct ShownAgeRow
{
    const char* what;
    QString storedBirth;
    QVariant storedAge;
    QDate today;
    QVariant shown;
};

void PrintTo(const ShownAgeRow& r, std::ostream* os) { *os << r.what; }

class ShownAgeTest : public ::testing::TestWithParam<ShownAgeRow>
{
};

TEST_P(ShownAgeTest, FollowsTheBirthDateElseKeepsTheStoredAge)
{
    const ShownAgeRow& r = GetParam();
    EXPECT_EQ(ageToShow(r.storedBirth, r.storedAge, r.today), r.shown);
}

INSTANTIATE_TEST_SUITE_P(
    JapaneseDate, ShownAgeTest,
    ::testing::Values(ShownAgeRow{"years later", QStringLiteral("1960/12/31"), 40, QDate(2021, 6, 15), 60},
                      ShownAgeRow{"no birth date", QString(), 40, QDate(2021, 6, 15), 40},
                      ShownAgeRow{"no date", QStringLiteral("1960-12-31"), 40, QDate(2021, 6, 15), 40},
                      ShownAgeRow{"born later", QStringLiteral("2030/01/01"), 5, QDate(2021, 6, 15), QVariant()},
                      ShownAgeRow{"no today", QStringLiteral("1960/12/31"), 40, QDate(), 40}),
    ::rov2::test::PrintedName());

} // namespace
} // namespace rov2
