// Reading a shop's spreadsheet into 顧客マスタ: mapping, checks, existing customers, cancel;
// and the family file of an export into 家族情報.
#include "CsvFieldNames.h"
#include "CustomerCsvFixture.h"
#include "CustomerCsvImport.h"
#include "FamilyCsvImport.h"
#include "JapaneseDate.h"
#include "TestNames.h"

#include <QCryptographicHash>

namespace rov2::test {
namespace {

class CustomerImport : public CustomerCsvFixture
{
protected:
    void SetUp() override { Clock::setToday(QDate(2026, 12, 8)); }
    void TearDown() override { Clock::setToday({}); }

    CsvImportReport import(const QByteArray& bytes, ExistingCustomer existing = ExistingCustomer::Skip,
                           const ImportProgress& progress = {})
    {
        const auto t = readCsvBytes(bytes);
        EXPECT_TRUE(t);
        if (!t)
            return {};
        CsvImportOptions o;
        o.firstRowIsHeading = looksLikeHeading(t->rows.front());
        o.mapping = guessMapping(t->rows.front(), o.firstRowIsHeading);
        o.existing = existing;
        o.defaultSex = QStringLiteral("女");
        return importCustomers(d.dataFile(), *t, o, progress);
    }
    QVariant field(const QString& name, const char* f)
    {
        return customers(d.dataFile()).value(name).value(QString::fromUtf8(f));
    }
    QByteArray digest()
    {
        return QCryptographicHash::hash(fileBytes(d.dataFile()), QCryptographicHash::Sha256);
    }
};

struct HeadingCase
{
    const char* heading;
    const char* field;
};

class Headings : public ::testing::TestWithParam<HeadingCase>
{
};

TEST_P(Headings, CommonSpellingsFindTheirField)
{
    EXPECT_EQ(fieldForHeading(QString::fromUtf8(GetParam().heading)), QString::fromUtf8(GetParam().field));
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, Headings,
    ::testing::Values(HeadingCase{"名称", "名称"}, HeadingCase{"氏名", "名称"}, HeadingCase{"名前", "名称"},
                      HeadingCase{"顧客名", "名称"}, HeadingCase{"フリガナ", "ふりがな"},
                      HeadingCase{"ﾌﾘｶﾞﾅ", "ふりがな"}, HeadingCase{"よみ", "ふりがな"},
                      HeadingCase{"〒", "郵便番号"}, HeadingCase{"郵便", "郵便番号"},
                      HeadingCase{"電話", "TEL1"}, HeadingCase{"TEL", "TEL1"}, HeadingCase{"ＴＥＬ", "TEL1"},
                      HeadingCase{"tel2", "TEL2"}, HeadingCase{"住所", "住所1"},
                      HeadingCase{" 住所2 ", "住所2"}, HeadingCase{"誕生日", "生年月日"},
                      HeadingCase{"生年月日", "生年月日"}, HeadingCase{"email", "Email"},
                      HeadingCase{"code", ""}, HeadingCase{"売上", ""}, HeadingCase{"山田太郎", ""}),
    FieldName<&HeadingCase::heading>());

TEST(Mapping, AFieldGoesToOneColumnOnly)
{
    const auto m =
        guessMapping({QStringLiteral("氏名"), QStringLiteral("名前"), QStringLiteral("住所")}, true);
    EXPECT_EQ(m, (std::vector<QString>{QStringLiteral("名称"), QString(), QStringLiteral("住所1")}));
}

TEST(Mapping, HeadingLineOrNot)
{
    EXPECT_TRUE(looksLikeHeading({QStringLiteral("No"), QStringLiteral("お名前")}));
    EXPECT_FALSE(
        looksLikeHeading({QStringLiteral("1"), QStringLiteral("山田太郎"), QStringLiteral("東京都")}));
}

TEST_F(CustomerImport, ColumnsInAnotherOrderWithOtherHeadings)
{
    const auto r = import("TEL,住所,誕生日,フリガナ,氏名,〒\r\n"
                          "03-1111-2222,大阪市北区1-1,S50/4/5,ｻﾄｳ,佐藤一郎,530-0001\r\n");
    ASSERT_EQ(r.status, CsvImportReport::Status::Done);
    EXPECT_EQ(r.added, 1);
    const QVariantMap c = customers(d.dataFile()).value(QStringLiteral("佐藤一郎"));
    EXPECT_EQ(c.value(QStringLiteral("TEL1")), QStringLiteral("03-1111-2222"));
    EXPECT_EQ(c.value(QStringLiteral("住所1")), QStringLiteral("大阪市北区1-1"));
    EXPECT_EQ(c.value(QStringLiteral("ふりがな")), QStringLiteral("ｻﾄｳ"));
    EXPECT_EQ(c.value(QStringLiteral("郵便番号")), QStringLiteral("530-0001"));
    EXPECT_EQ(c.value(QStringLiteral("生年月日")), QStringLiteral("1975/04/05"));
    EXPECT_EQ(c.value(QStringLiteral("誕生月")).toInt(), 4);
    EXPECT_EQ(c.value(QStringLiteral("年齢")).toInt(), 51);
    EXPECT_EQ(c.value(QStringLiteral("性別")), QStringLiteral("女")); // the default sex
    EXPECT_EQ(c.value(QStringLiteral("クイック")), QStringLiteral("しない"));
    EXPECT_TRUE(c.value(QStringLiteral("住所2")).isNull());
}

struct DateCase
{
    const char* typed;
    const char* stored;
};

class BirthDates : public CustomerImport, public ::testing::WithParamInterface<DateCase>
{
};

TEST_P(BirthDates, AnyFormTheDateBoxReads)
{
    const auto r = import(QByteArray("名称,生年月日\n田中,") + GetParam().typed + "\n");
    ASSERT_EQ(r.added, 1);
    EXPECT_EQ(field(QStringLiteral("田中"), "生年月日"), QString::fromUtf8(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, BirthDates,
    ::testing::Values(DateCase{"1975/4/5", "1975/04/05"}, DateCase{"19750405", "1975/04/05"},
                      DateCase{"1975-04-05", "1975/04/05"}, DateCase{"昭和50年4月5日", "1975/04/05"},
                      DateCase{"H1/1/8", "1989/01/08"}, DateCase{"２０００年２月２９日", "2000/02/29"}),
    FieldName<&DateCase::typed>());

TEST_F(CustomerImport, AHeadinglessFileWithTheMappingTheUserChose)
{
    const auto t = readCsvBytes("佐藤,ｻﾄｳ,東京都\n鈴木,ｽｽﾞｷ,大阪府\n");
    ASSERT_TRUE(t);
    ASSERT_FALSE(looksLikeHeading(t->rows.front()));
    CsvImportOptions o;
    o.firstRowIsHeading = false;
    o.mapping = {QStringLiteral("名称"), QStringLiteral("ふりがな"), QStringLiteral("住所1")};
    const auto r = importCustomers(d.dataFile(), *t, o);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(field(QStringLiteral("鈴木"), "住所1"), QStringLiteral("大阪府"));
}

TEST_F(CustomerImport, AColumnLeftOutIsNotRead)
{
    const auto t = readCsvBytes("名称,住所,メモ\n佐藤,東京都,秘密\n");
    ASSERT_TRUE(t);
    CsvImportOptions o;
    o.mapping = {QStringLiteral("名称"), QString(), QStringLiteral("顧客メモ")};
    ASSERT_EQ(importCustomers(d.dataFile(), *t, o).added, 1);
    EXPECT_TRUE(field(QStringLiteral("佐藤"), "住所1").isNull());
    EXPECT_EQ(field(QStringLiteral("佐藤"), "顧客メモ"), QStringLiteral("秘密"));
}

struct FileCase
{
    const char* name;
    QByteArray bytes;
};

class FileForms : public CustomerImport, public ::testing::WithParamInterface<FileCase>
{
};

TEST_P(FileForms, SameCustomersFromEveryForm)
{
    const auto r = import(GetParam().bytes);
    ASSERT_EQ(r.status, CsvImportReport::Status::Done);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(field(QStringLiteral("髙橋①"), "顧客メモ"), QStringLiteral("一行目\n二行目"));
    EXPECT_EQ(field(QStringLiteral("ﾀﾅｶ, ｲﾁﾛｳ"), "住所1"), QStringLiteral("\"大\"町"));
}

QByteArray cp932(const QString& text)
{
    auto b = encodeCp932(text);
    return b ? *b : QByteArray();
}

const QString kFile =
    QStringLiteral("名称,住所,メモ\r\n髙橋①,東京,\"一行目\n二行目\"\r\n\"ﾀﾅｶ, ｲﾁﾛｳ\",\"\"\"大\"\"町\",\r\n");

INSTANTIATE_TEST_SUITE_P(
    Encodings, FileForms,
    ::testing::Values(
        FileCase{"utf8Bom", QByteArray("\xEF\xBB\xBF") + kFile.toUtf8()}, FileCase{"utf8", kFile.toUtf8()},
        FileCase{"utf8Lf", QString(kFile).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8()},
        FileCase{"cp932", cp932(kFile)},
        FileCase{"cp932Lf", cp932(QString(kFile).replace(QStringLiteral("\r\n"), QStringLiteral("\n")))}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST_F(CustomerImport, AnExistingCustomerIsSkipped)
{
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("佐藤")},
                               {QStringLiteral("住所1"), QStringLiteral("旧住所")}});
    const auto r = import("名称,住所,電話\n佐藤,新住所,03-1\n鈴木,大阪,06-1\n");
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.skipped, 1);
    EXPECT_EQ(field(QStringLiteral("佐藤"), "住所1"), QStringLiteral("旧住所"));
    EXPECT_TRUE(field(QStringLiteral("佐藤"), "TEL1").isNull());
}

TEST_F(CustomerImport, AnExistingCustomerIsOverwrittenFieldByField)
{
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("佐藤")},
                               {QStringLiteral("住所1"), QStringLiteral("旧住所")},
                               {QStringLiteral("TEL1"), QStringLiteral("03-0")},
                               {QStringLiteral("顧客メモ"), QStringLiteral("大事なメモ")},
                               {QStringLiteral("クイック"), QStringLiteral("する")}});
    // 電話 is empty in the file: the stored number stays; メモ is not in the file at all.
    const auto r = import("名称,住所,電話\n佐藤,新住所,\n", ExistingCustomer::Overwrite);
    EXPECT_EQ(r.overwritten, 1);
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(customers(d.dataFile()).size(), 1);
    EXPECT_EQ(field(QStringLiteral("佐藤"), "住所1"), QStringLiteral("新住所"));
    EXPECT_EQ(field(QStringLiteral("佐藤"), "TEL1"), QStringLiteral("03-0"));
    EXPECT_EQ(field(QStringLiteral("佐藤"), "顧客メモ"), QStringLiteral("大事なメモ"));
    EXPECT_EQ(field(QStringLiteral("佐藤"), "クイック"), QStringLiteral("する"));
}

TEST_F(CustomerImport, ANameTwiceInTheFileIsOneCustomer)
{
    const auto r = import("名称,住所\n佐藤,一\n佐藤,二\n", ExistingCustomer::Overwrite);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.overwritten, 1);
    EXPECT_EQ(field(QStringLiteral("佐藤"), "住所1"), QStringLiteral("二"));
}

TEST_F(CustomerImport, RefusedRowsAreListedWithTheirReasonsAndTheRestImported)
{
    const auto r = import("名称,生年月日,年齢\n"
                          "佐藤,1975/4/5,\n"
                          ",1980/1/1,\n"
                          "一二三四五六七八九十一二三四五六七八九十一,,\n"
                          "一二三四五六七八九十一二三四五六七八九十,,\n"
                          "鈴木,昭和99年13月1日,\n"
                          "田中,,四十\n"
                          ",,\n");
    ASSERT_EQ(r.status, CsvImportReport::Status::Done);
    EXPECT_EQ(r.added, 2);
    ASSERT_EQ(r.refused.size(), 4u);
    EXPECT_EQ(r.refused[0].row, 3);
    EXPECT_EQ(r.refused[0].reason, QStringLiteral("名称がありません"));
    EXPECT_EQ(r.refused[1].row, 4);
    EXPECT_EQ(r.refused[1].reason, QStringLiteral("名称が20文字を超えています"));
    EXPECT_EQ(r.refused[2].row, 6);
    EXPECT_EQ(r.refused[2].name, QStringLiteral("鈴木"));
    EXPECT_TRUE(r.refused[2].reason.contains(QStringLiteral("日付ではありません")));
    EXPECT_EQ(r.refused[3].row, 7);
    EXPECT_TRUE(r.refused[3].reason.contains(QStringLiteral("年齢")));
}

TEST_F(CustomerImport, ARowWithACellMoreThanTheHeadingIsRefusedNotShifted)
{
    // an address split by a comma outside quotes: 千代田区 would be stored as the phone number
    const auto r = import("名称,住所,電話\n佐藤,東京都,千代田区,03-1\n鈴木,大阪,06-1\n");
    EXPECT_EQ(r.added, 1);
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].row, 2);
    EXPECT_EQ(r.refused[0].name, QStringLiteral("佐藤"));
    EXPECT_TRUE(r.refused[0].reason.contains(QStringLiteral("見出し"))) << r.refused[0].reason.toStdString();
    EXPECT_EQ(customers(d.dataFile()).keys(), QStringList{QStringLiteral("鈴木")});
}

class FamilyImport : public CustomerImport, public ::testing::WithParamInterface<ExistingCustomer>
{
};

TEST_P(FamilyImport, MembersGoToExistingCustomersAndNeverOntoThem)
{
    const auto s = [](const char* text) { return QString::fromUtf8(text); };
    addCustomer(d.dataFile(),
                {{s("名称"), s("佐藤")}, {s("ふりがな"), s("さとう")}, {s("区分1"), s("商店")}});
    addCustomer(d.dataFile(), {{s("名称"), s("鈴木")}});
    addFamily(s("佐藤"), 0, s("花子"), s("妻"));
    for (int i = 0; i < kMaxFamilyMembers; ++i)
        addFamily(s("鈴木"), i, s("子%1").arg(i), s("子"));
    const auto t = readCsvBytes("名称,行番号,氏名,ふりがな,続柄,生年月日\n"
                                "佐藤,5,花子,はなこ,妻,\n"
                                "佐藤,0,次郎,じろう,次男,1980/4/5\n"
                                "田中,0,太郎,,,\n"
                                "佐藤,1,,,,\n"
                                "佐藤,2,三郎,さぶろう,三男,東京都,千代田区\n"
                                "鈴木,0,新人,,,\n");
    ASSERT_TRUE(t);
    CsvImportOptions asCustomers;
    asCustomers.mapping = guessMapping(t->rows.front(), true);
    EXPECT_EQ(importCustomers(d.dataFile(), *t, asCustomers).status, CsvImportReport::Status::Failed);

    const auto r = importFamily(d.dataFile(), *t, GetParam(), QStringLiteral("女"));
    ASSERT_EQ(r.status, CsvImportReport::Status::Done);
    const bool overwrite = GetParam() == ExistingCustomer::Overwrite;
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.overwritten, overwrite ? 1 : 0);
    EXPECT_EQ(r.skipped, overwrite ? 0 : 1);
    std::vector<int> refused;
    for (const RefusedRow& row : r.refused)
        refused.push_back(row.row);
    // no such customer, no 氏名, a cell more than the heading, an eleventh member
    EXPECT_EQ(refused, (std::vector<int>{4, 5, 6, 7}));
    EXPECT_EQ(familyOf(s("佐藤")),
              (QStringList{overwrite ? s("0|花子|はなこ||") : s("0|花子|||"), s("1|次郎|じろう|商店|4")}));
    EXPECT_EQ(familyOf(s("鈴木")).size(), kMaxFamilyMembers);
    EXPECT_EQ(customers(d.dataFile()).value(s("佐藤")).value(s("ふりがな")), s("さとう"));
}

INSTANTIATE_TEST_SUITE_P(SameName, FamilyImport,
                         ::testing::Values(ExistingCustomer::Skip, ExistingCustomer::Overwrite),
                         [](const auto& tp) {
                             return std::string(tp.param == ExistingCustomer::Skip ? "Skip" : "Overwrite");
                         });

TEST_F(CustomerImport, CancelHalfWayLeavesTheFileAsItWas)
{
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("佐藤")},
                               {QStringLiteral("住所1"), QStringLiteral("旧住所")}});
    QByteArray csv("名称,住所\n佐藤,新住所\n");
    for (int i = 0; i < 1000; ++i)
        csv += "客" + QByteArray::number(i) + ",東京\n";
    const QByteArray before = digest();
    int calls = 0;
    qsizetype cancelledAt = 0;
    const auto r = import(csv, ExistingCustomer::Overwrite, [&](qsizetype done, qsizetype total) {
        EXPECT_EQ(total, 1001);
        cancelledAt = done;
        return ++calls < 3;
    });
    EXPECT_EQ(r.status, CsvImportReport::Status::Cancelled);
    EXPECT_GT(cancelledAt, 0);
    EXPECT_LT(cancelledAt, 1001);
    EXPECT_EQ(digest(), before);
    EXPECT_EQ(customers(d.dataFile()).size(), 1);
}

TEST_F(CustomerImport, AStatementFailingHalfWayLeavesTheFileAsItWas)
{
    exec(d.dataFile(),
         QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON 顧客マスタ WHEN NEW.名称 = '客500' "
                        "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    QByteArray csv("名称\n");
    for (int i = 0; i < 1000; ++i)
        csv += "客" + QByteArray::number(i) + "\n";
    const QByteArray before = digest();
    const auto r = import(csv);
    EXPECT_EQ(r.status, CsvImportReport::Status::Failed);
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(digest(), before);
}

TEST_F(CustomerImport, AMissingDataFileFails)
{
    const auto t = readCsvBytes("名称\n佐藤\n");
    ASSERT_TRUE(t);
    CsvImportOptions o;
    o.mapping = {QStringLiteral("名称")};
    EXPECT_EQ(importCustomers(d.path(QStringLiteral("無い.mdb")), *t, o).status,
              CsvImportReport::Status::Failed);
}

} // namespace
} // namespace rov2::test
