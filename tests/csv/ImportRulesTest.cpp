// Rows with what the screens would refuse: made right the way the screens make it, or refused,
// for customers and family members alike.
#include "CsvFieldNames.h"
#include "CustomerCsvFixture.h"
#include "CustomerCsvImport.h"
#include "Database.h"
#include "FamilyCsvImport.h"
#include "JapaneseDate.h"
#include "Query.h"

#include <string_view>
#include <tuple>

namespace rov2::test {
namespace {

using namespace std::string_view_literals;

struct RuleCase
{
    const char* name;
    std::string_view cells; ///< 名称 (a member's 氏名), 性別 and 生年月日 as the file has them
    const char* defaultSex;
    const char* kept;   ///< "name|sex|birth date|age" as stored; empty when the row is refused
    const char* reason; ///< why it is refused
};

void PrintTo(const RuleCase& c, std::ostream* os)
{
    *os << c.name;
}

class ImportRules : public CustomerCsvFixture,
                    public ::testing::WithParamInterface<std::tuple<RuleCase, bool>>
{
protected:
    void SetUp() override { Clock::setToday(QDate(2026, 12, 8)); }
    void TearDown() override { Clock::setToday({}); }

    /// The row imported as a customer, or as a member of 佐藤's family.
    CsvImportReport import(const RuleCase& c, bool family)
    {
        QByteArray csv = family ? "名称,行番号,続柄,氏名,性別,生年月日\n佐藤,0,妻," : "名称,性別,生年月日\n";
        csv += QByteArray(c.cells.data(), static_cast<qsizetype>(c.cells.size())) + '\n';
        const auto t = readCsvBytes(csv);
        EXPECT_TRUE(t);
        if (!t)
            return {};
        const QString sex = QString::fromUtf8(c.defaultSex);
        if (family) {
            addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("佐藤")}});
            return importFamily(d.dataFile(), *t, ExistingCustomer::Skip, sex);
        }
        CsvImportOptions o;
        o.mapping = guessMapping(t->rows.front(), true);
        o.defaultSex = sex;
        return importCustomers(d.dataFile(), *t, o);
    }
    /// The stored rows as "name|sex|birth date|age".
    QStringList stored(bool family)
    {
        auto db = Database::open(d.dataFile());
        EXPECT_TRUE(db);
        if (!db)
            return {};
        Query q = db->query(family ? QStringLiteral("SELECT 氏名, 性別, 生年月日, 年齢 FROM 家族情報")
                                   : QStringLiteral("SELECT 名称, 性別, 生年月日, 年齢 FROM 顧客マスタ"));
        QStringList out;
        while (q.next())
            out << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                               q.value(3).toString()}
                       .join(u'|');
        EXPECT_TRUE(q.ok());
        return out;
    }
};

TEST_P(ImportRules, KeptAsTheScreensWouldKeepItOrRefused)
{
    const auto& [c, family] = GetParam();
    const CsvImportReport r = import(c, family);
    ASSERT_EQ(r.status, CsvImportReport::Status::Done);
    if (*c.kept) {
        EXPECT_TRUE(r.refused.empty()) << (r.refused.empty() ? "" : r.refused[0].reason.toStdString());
        EXPECT_EQ(stored(family), QStringList{QString::fromUtf8(c.kept)});
    } else {
        ASSERT_EQ(r.refused.size(), 1u);
        EXPECT_EQ(r.refused[0].row, 2);
        EXPECT_EQ(r.refused[0].reason, QString::fromUtf8(c.reason));
        EXPECT_TRUE(stored(family).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ImportRules,
    ::testing::Combine(
        ::testing::Values(RuleCase{"controlCharacters", "\"山\0田\n太\t郎\x1b\",男,1975/4/5"sv, "女",
                                   "山田太郎|男|1975/04/05|51", ""},
                          RuleCase{"sexOutsideTheList", "佐々木,X,"sv, "女", "佐々木|女||", ""},
                          RuleCase{"fullWidthBlankSex", "佐々木,　,"sv, "男", "佐々木|男||", ""},
                          RuleCase{"blanksAroundTheSex", "佐々木, 男 ,"sv, "女", "佐々木|男||", ""},
                          RuleCase{"noDefaultSex", "佐々木,X,"sv, "", "",
                                   "性別「X」が「女」でも「男」でもありません"},
                          RuleCase{"bornToday", "佐々木,女,2026/12/8"sv, "", "佐々木|女|2026/12/08|0", ""},
                          RuleCase{"bornTomorrow", "佐々木,女,2026/12/9"sv, "", "",
                                   "生年月日「2026/12/9」が今日より後です"},
                          RuleCase{"bornIn2999", "佐々木,女,2999/12/31"sv, "", "",
                                   "生年月日「2999/12/31」が今日より後です"}),
        ::testing::Bool()),
    [](const auto& tp) {
        return std::string(std::get<0>(tp.param).name) + (std::get<1>(tp.param) ? "_family" : "_customer");
    });

} // namespace
} // namespace rov2::test
