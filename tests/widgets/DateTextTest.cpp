#include "DateText.h"
#include "TestNames.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace rov2 {
namespace {

struct TypedCase
{
    const char* typed;
    QDate expected; ///< invalid: no date
};

void PrintTo(const TypedCase& c, std::ostream* os)
{
    *os << c.typed;
}

class ReadTypedDateTest : public ::testing::TestWithParam<TypedCase>
{
};

TEST_P(ReadTypedDateTest, ReadsWhatUsersTypeAndNothingElse)
{
    const QDate expected = GetParam().expected;
    EXPECT_EQ(readTypedDate(QString::fromUtf8(GetParam().typed)),
              expected.isValid() ? std::optional(expected) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ReadTypedDateTest,
    ::testing::Values(
        TypedCase{"19750405", QDate(1975, 4, 5)}, TypedCase{"1975/4/5", QDate(1975, 4, 5)},
        TypedCase{" 1975/04/05 ", QDate(1975, 4, 5)}, TypedCase{"1975-4-5", QDate(1975, 4, 5)},
        TypedCase{"１９７５／４／５", QDate(1975, 4, 5)}, TypedCase{"1975年4月5日", QDate(1975, 4, 5)},
        TypedCase{"昭和50年04月05日", QDate(1975, 4, 5)}, TypedCase{"S50/4/5", QDate(1975, 4, 5)},
        TypedCase{"s50/04/05", QDate(1975, 4, 5)}, TypedCase{"Ｈ１３／８／８", QDate(2001, 8, 8)},
        TypedCase{"㍻13年8月8日", QDate(2001, 8, 8)}, TypedCase{"平成元年1月8日", QDate(1989, 1, 8)},
        TypedCase{"H元/1/8", QDate(1989, 1, 8)}, TypedCase{"令和01年05月01日", QDate(2019, 5, 1)},
        TypedCase{"20000229", QDate(2000, 2, 29)},
        // not one clear date
        TypedCase{"", QDate()}, TypedCase{"abc", QDate()}, TypedCase{"1975/2/30", QDate()},
        TypedCase{"19010229", QDate()}, TypedCase{"197545", QDate()}, TypedCase{"1975/4", QDate()},
        TypedCase{"1975年4月", QDate()}, TypedCase{"13/8/8", QDate()}, TypedCase{"0405", QDate()},
        TypedCase{"平成1年1月7日", QDate()}, TypedCase{"X13/8/8", QDate()},
        TypedCase{"1975/13/01", QDate()}), ::rov2::test::PrintedName());

struct ShownCase
{
    QDate date;
    bool era;
    const char* box;
    const char* title;
};

void PrintTo(const ShownCase& c, std::ostream* os)
{
    *os << c.date.toString(Qt::ISODate).toStdString() << (c.era ? " era" : " western");
}

class DateBoxTextTest : public ::testing::TestWithParam<ShownCase>
{
};

TEST_P(DateBoxTextTest, ShowsTheBoxAndTitleFormats)
{
    const ShownCase& c = GetParam();
    EXPECT_EQ(dateBoxText(c.date, c.era), QString::fromUtf8(c.box));
    EXPECT_EQ(calendarTitle(c.date, c.era), QString::fromUtf8(c.title));
}

INSTANTIATE_TEST_SUITE_P(
    Calendars, DateBoxTextTest,
    ::testing::Values(ShownCase{QDate(2001, 8, 8), false, "2001/08/08", "2001年08月"},
                      ShownCase{QDate(2001, 8, 8), true, "平成13年08月08日", "平成13年08月"},
                      ShownCase{QDate(1989, 1, 7), true, "昭和64年01月07日", "昭和64年01月"},
                      ShownCase{QDate(1989, 1, 8), true, "平成01年01月08日", "平成01年01月"},
                      ShownCase{QDate(2019, 5, 1), true, "令和01年05月01日", "令和01年05月"},
                      // before 明治 there is no era form
                      ShownCase{QDate(1850, 3, 4), true, "1850/03/04", "1850年03月"},
                      ShownCase{QDate(), true, "", ""}), ::rov2::test::PrintedName());

struct GridCase
{
    QVariant stored;
    bool era;
    const char* shown;
};

void PrintTo(const GridCase& c, std::ostream* os)
{
    *os << (c.stored.isNull() ? std::string("Null") : c.stored.toString().toStdString()) << (c.era ? " era" : " western");
}

class GridDateTextTest : public ::testing::TestWithParam<GridCase>
{
};

TEST_P(GridDateTextTest, ShowsTheStoredValue)
{
    EXPECT_EQ(gridDateText(GetParam().stored, GetParam().era), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Values, GridDateTextTest,
    ::testing::Values(GridCase{QVariant(QStringLiteral("2001/08/08")), true, "H13/08/08"},
                      GridCase{QVariant(QStringLiteral("2001/08/08")), false, "2001/08/08"},
                      GridCase{QVariant(QStringLiteral("1926/12/25")), true, "S01/12/25"},
                      GridCase{QVariant(QDate(1975, 4, 5)), true, "S50/04/05"},
                      GridCase{QVariant(QDate(1975, 4, 5)), false, "1975/04/05"},
                      GridCase{QVariant(QStringLiteral("1850/01/02")), true, "1850/01/02"},
                      GridCase{QVariant(), true, ""}, GridCase{QVariant(QString()), false, ""},
                      GridCase{QVariant(QStringLiteral("不明")), true, "不明"}), ::rov2::test::PrintedName());

} // namespace
} // namespace rov2
