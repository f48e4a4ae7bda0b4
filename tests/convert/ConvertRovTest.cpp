// The previous version's conversion: the mapping, keys, one transaction, twice = once.
#include "ConvertFixtures.h"
#include "ConvertRov.h"
#include "Database.h"
#include "Query.h"
#include "ScriptedDialogs.h"
#include "TempData.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace rov2::test {
namespace {

const QString kDone = QStringLiteral("コンバートが終了しました");
const QString kFailed = QStringLiteral("コンバートできませんでした。データは変更されていません。");

QVariant null() { return QVariant(); }
QString s(const char* text) { return QString::fromUtf8(text); }

/// The final notice: its fixed first line, then what came over.
QString done(int read, int added, int refused)
{
    QString text = kDone + s("\n読込 %1件　追加 %2件　除外 %3件").arg(read).arg(added).arg(refused);
    if (refused > 0)
        text += s("\n名称やコードが文字でないか空の行は除外しました。");
    return text;
}

/// An old file of the previous version: a company row, three code slots and three customers.
struct OldFile {
    std::vector<QVariantList> company = {{s("旧商店"), s("本店"), s("100-0001"), s("東京都千代田区"), s("03-1111-2222"),
                                          null(), -1, s("関東"), 0}};
    std::vector<QVariantList> codes = {{s("区分1"), s("01"), s("得意先")},
                                       {s("敬称"), s("02"), s("O'様")},
                                       {s("区分1"), s("02"), null()},
                                       {s("区分'2"), s("31"), s("新しい種類")}};
    std::vector<QVariantList> customers = {
        {s("山田 太郎"), s("やまだ たろう"), s("100-0002"), s("新住所"), null(), s("様"), s("03-9999-0000"), null(),
         s("する"), s("得意先"), s("旧メモ")},
        {s("O'Brien"), s("おぶらいえん"), null(), s("大阪府"), s("2F"), s("様"), null(), null(), s("しない"), null(),
         null()},
        {null(), s("なし"), null(), null(), null(), null(), null(), null(), null(), null(), null()}};

    void write(const QString& path) const
    {
        writeSqliteFile(path, {{s("自社情報"), oldCompanyColumns(), company},
                               {s("コードマスタ"), oldCodeColumns(), codes},
                               {s("顧客マスタ"), oldCustomerColumns(), customers}});
    }
};

class ConvertRovTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto db = Database::open(data.dataFile());
        ASSERT_TRUE(db);
        // A customer of the current file that the old file also holds, with fields the conversion must keep.
        ASSERT_TRUE(db->execute(s("INSERT INTO 顧客マスタ (名称, ふりがな, 住所2, TEL1, TEL2, 区分1, 区分2, 生年月日, "
                                  "誕生月, 性別, 印刷名) VALUES ('山田 太郎', 'やまだ', '旧2', '旧TEL', '090', '旧区分', "
                                  "'二', '1960/01/02', 1, '男', '山田様')")));
        ASSERT_TRUE(db->execute(s("INSERT INTO 顧客マスタ (名称) VALUES ('残る人')")));
    }

    ConvertResult convert(const QString& oldPath)
    {
        return ConvertRov(oldPath, data.dataFile(), dialogs, {});
    }

    QVariantMap customer(const QVariant& name)
    {
        auto db = Database::open(data.dataFile());
        EXPECT_TRUE(db);
        Query q = db->query(s("SELECT * FROM 顧客マスタ WHERE 名称 IS ? ORDER BY rowid"), {name});
        QVariantMap out;
        if (q.next())
            for (const QString& c : q.columnNames())
                out.insert(c, q.value(c));
        return out;
    }

    qint64 count(const char* sql)
    {
        auto db = Database::open(data.dataFile());
        EXPECT_TRUE(db);
        return db->count(QString::fromUtf8(sql)).value_or(-1);
    }

    QStringList texts() const
    {
        QStringList out;
        for (const auto& m : dialogs.messages())
            out << m.text;
        return out;
    }

    TempData data;
    ScriptedDialogs dialogs;
    QString oldPath = data.path(s("RovData.mdb"));
};

TEST_F(ConvertRovTest, noFileAtThePathChangesNothing)
{
    const QString before = dumpDataFile(data.dataFile());
    EXPECT_EQ(convert(data.path(s("none/RovData.mdb"))).outcome, ConvertOutcome::NoOldFile);
    EXPECT_EQ(texts(), QStringList{s("指定された場所にデータはありません。")});
    EXPECT_EQ(dumpDataFile(data.dataFile()), before);
}

TEST_F(ConvertRovTest, fileOfNeitherKindIsRefused)
{
    QFile f(oldPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("ROV顧客管理のデータではないファイル");
    f.close();
    const QString before = dumpDataFile(data.dataFile());
    EXPECT_EQ(convert(oldPath).outcome, ConvertOutcome::Refused);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_NE(dialogs.messages().at(0).text, kDone);
    EXPECT_EQ(dumpDataFile(data.dataFile()), before);
}

TEST_F(ConvertRovTest, existingCustomerIsOverwrittenFieldByField)
{
    OldFile{}.write(oldPath);
    const ConvertResult r = convert(oldPath);
    ASSERT_EQ(r.outcome, ConvertOutcome::Converted) << r.error.toStdString();
    EXPECT_EQ(texts(), QStringList{done(8, 2, 1)});

    const QVariantMap y = customer(s("山田 太郎"));
    EXPECT_EQ(y.value(s("ふりがな")), s("やまだ たろう"));
    EXPECT_EQ(y.value(s("住所1")), s("新住所"));
    EXPECT_TRUE(y.value(s("住所2")).isNull()) << "Null in the old row stays Null";
    EXPECT_EQ(y.value(s("TEL1")), s("03-9999-0000")); // TEL → TEL1
    EXPECT_EQ(y.value(s("区分1")), s("得意先"));       // 区分 → 区分1
    EXPECT_EQ(y.value(s("顧客メモ")), s("旧メモ"));
    // outside the mapping: kept
    for (const auto& [field, value] : std::vector<std::pair<QString, QVariant>>{
             {s("TEL2"), s("090")}, {s("区分2"), s("二")}, {s("生年月日"), s("1960/01/02")},
             {s("誕生月"), 1}, {s("性別"), s("男")}, {s("印刷名"), s("山田様")}}) {
        EXPECT_EQ(y.value(field).toString(), value.toString()) << field.toStdString();
    }

    const QVariantMap o = customer(s("O'Brien"));
    ASSERT_FALSE(o.isEmpty()) << "a name with ' converts like any other";
    EXPECT_EQ(o.value(s("住所2")), s("2F"));
    EXPECT_TRUE(o.value(s("生年月日")).isNull());
    EXPECT_TRUE(customer(QVariant()).isEmpty()) << "a row without a name could never be found again";
    EXPECT_FALSE(customer(s("残る人")).isEmpty()) << "nothing is deleted";
    EXPECT_EQ(count("SELECT count(*) AS num FROM 顧客マスタ"), 3);
    EXPECT_EQ(r.customers.overwritten, 1);
    EXPECT_EQ(r.customers.added, 1);
    EXPECT_EQ(r.customers.refused, 1);
}

TEST_F(ConvertRovTest, codesAreFoundByKindAndSlot)
{
    OldFile{}.write(oldPath);
    ASSERT_EQ(convert(oldPath).outcome, ConvertOutcome::Converted);
    auto db = Database::open(data.dataFile());
    ASSERT_TRUE(db);
    auto sname = [&](const char* kind, const char* code) {
        Query q = db->query(s("SELECT sname FROM コードマスタ WHERE kcode = ? AND code = ? ORDER BY rowid"),
                            {s(kind), s(code)});
        return q.next() ? q.value(0) : QVariant(s("<no row>"));
    };
    EXPECT_EQ(sname("区分1", "01"), s("得意先"));
    EXPECT_EQ(sname("敬称", "02"), s("O'様"));
    EXPECT_TRUE(sname("区分1", "02").isNull());
    EXPECT_EQ(sname("区分'2", "31"), s("新しい種類"));
    // the supplied thirty slots of each kind stay thirty: found, not added
    EXPECT_EQ(count("SELECT count(*) AS num FROM コードマスタ WHERE kcode = '区分1'"), 30);
}

struct CompanyCase {
    const char* name;
    bool currentHasRow;
    bool oldHasRow;
};

class ConvertCompany : public ConvertRovTest, public ::testing::WithParamInterface<CompanyCase> {};

TEST_P(ConvertCompany, firstRowIsEditedOrAdded)
{
    const CompanyCase c = GetParam();
    {
        auto db = Database::open(data.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(s("DELETE FROM 自社情報")));
        if (c.currentHasRow) {
            ASSERT_TRUE(db->execute(s("INSERT INTO 自社情報 (顧客名, 年号, 性別, 区分登録1, 敬称登録) "
                                      "VALUES ('今の店', '和暦', '男', 0, 0)")));
        }
    }
    OldFile old;
    if (!c.oldHasRow)
        old.company.clear();
    old.write(oldPath);
    ASSERT_EQ(convert(oldPath).outcome, ConvertOutcome::Converted);

    auto db = Database::open(data.dataFile());
    ASSERT_TRUE(db);
    EXPECT_EQ(db->count(s("SELECT count(*) AS num FROM 自社情報")).value_or(-1),
              (c.currentHasRow || c.oldHasRow) ? 1 : 0);
    Query q = db->query(s("SELECT * FROM 自社情報"));
    if (!q.next())
        return;
    EXPECT_EQ(q.value(s("顧客名")), c.oldHasRow ? s("旧商店") : s("今の店"));
    if (c.oldHasRow) {
        EXPECT_EQ(q.value(s("敬称登録")).toInt(), -1);
        EXPECT_EQ(q.value(s("yubinlocalEriaSw")).toInt(), 0);
        EXPECT_EQ(q.value(s("YubinLocalEria")), s("関東"));
        EXPECT_TRUE(q.value(s("FAX")).isNull());
    }
    // settings outside the mapping survive an edit, and are left to their defaults on a new row
    EXPECT_EQ(q.value(s("年号")), c.currentHasRow ? QVariant(s("和暦")) : QVariant());
    EXPECT_EQ(q.value(s("区分登録1")), c.currentHasRow ? QVariant(0) : QVariant());
}

INSTANTIATE_TEST_SUITE_P(Rows, ConvertCompany,
                         ::testing::Values(CompanyCase{"bothHaveRows", true, true},
                                           CompanyCase{"currentEmpty", false, true},
                                           CompanyCase{"oldEmpty", true, false},
                                           CompanyCase{"bothEmpty", false, false}),
                         [](const ::testing::TestParamInfo<CompanyCase>& p) { return std::string(p.param.name); });

TEST_F(ConvertRovTest, twiceLeavesTheFileAsOnce)
{
    OldFile old;
    // the same name twice in the old file: the later row wins, on every run
    old.customers.push_back({s("山田 太郎"), s("やまだ"), null(), s("二度目"), null(), null(), null(), null(), null(),
                             null(), null()});
    old.write(oldPath);
    ASSERT_EQ(convert(oldPath).outcome, ConvertOutcome::Converted);
    const QString once = dumpDataFile(data.dataFile());
    ASSERT_EQ(convert(oldPath).outcome, ConvertOutcome::Converted);
    EXPECT_EQ(dumpDataFile(data.dataFile()), once);
    EXPECT_EQ(customer(s("山田 太郎")).value(s("住所1")), s("二度目"));
}

TEST_F(ConvertRovTest, failureHalfWayChangesNothingAndSaysSo)
{
    OldFile old;
    old.customers.push_back({s("拒否される人"), null(), null(), null(), null(), null(), null(), null(), null(), null(),
                             null()});
    old.write(oldPath);
    {
        auto db = Database::open(data.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(s("CREATE TRIGGER refuse BEFORE INSERT ON 顧客マスタ WHEN NEW.名称 = '拒否される人' "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    }
    const QString before = dumpDataFile(data.dataFile());
    const ConvertResult r = convert(oldPath);
    EXPECT_EQ(r.outcome, ConvertOutcome::Failed);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(texts(), QStringList{kFailed});
    // 自社情報 and the codes were converted before the customers: rolled back with them
    EXPECT_EQ(dumpDataFile(data.dataFile()), before);
}

TEST_F(ConvertRovTest, oldTablesOrFieldsMissingConvertWhatIsThere)
{
    // Only customers, and without TEL and 区分: the others keep their values.
    writeSqliteFile(oldPath, {{s("顧客マスタ"), {s("名称"), s("住所1")}, {{s("山田 太郎"), s("別住所")}}}});
    const ConvertResult r = convert(oldPath);
    ASSERT_EQ(r.outcome, ConvertOutcome::Converted) << r.error.toStdString();
    const QVariantMap y = customer(s("山田 太郎"));
    EXPECT_EQ(y.value(s("住所1")), s("別住所"));
    EXPECT_EQ(y.value(s("TEL1")), s("旧TEL"));
    EXPECT_EQ(y.value(s("区分1")), s("旧区分"));
}

TEST_F(ConvertRovTest, rowsWhoseKeyIsNotTextAreRefusedAndCounted)
{
    OldFile old;
    old.company.clear();
    old.codes = {{s("区分1"), QByteArray("03"), s("BLOBの枠")}, {s("区分1"), s("04"), s("文字の枠")}};
    const QVariantList rest(10, null());
    old.customers.clear();
    // The current file's 山田 太郎 kept as a BLOB of its bytes, a number, an empty text and Null.
    for (const QVariant& name : {QVariant(s("山田 太郎").toUtf8()), QVariant(7), QVariant(s("")), null()})
        old.customers.push_back(QVariantList{name} + rest);
    old.customers.push_back(QVariantList{s("新しい人")} + rest);
    old.write(oldPath);

    const ConvertResult r = convert(oldPath);
    ASSERT_EQ(r.outcome, ConvertOutcome::Converted) << r.error.toStdString();
    EXPECT_EQ(r.customers.refused, 4);
    EXPECT_EQ(r.codes.refused, 1);
    EXPECT_EQ(count("SELECT count(*) AS num FROM 顧客マスタ"), 3) << "only 新しい人 was added";
    EXPECT_EQ(count("SELECT count(*) AS num FROM 顧客マスタ WHERE typeof(名称) <> 'text'"), 0);
    EXPECT_EQ(count("SELECT count(*) AS num FROM コードマスタ WHERE sname = 'BLOBの枠'"), 0);
    EXPECT_EQ(texts(), QStringList{done(7, 1, 5)});
}

TEST_F(ConvertRovTest, everyMappedFieldLandsInItsOwnField)
{
    {
        // The flags start opposite to the old ones, so that a flag left alone shows.
        auto db = Database::open(data.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(s("DELETE FROM 自社情報")));
        ASSERT_TRUE(db->execute(s("INSERT INTO 自社情報 (敬称登録, yubinlocalEriaSw) VALUES (0, -1)")));
    }
    // Every old field holds a value of its own: a swapped pair cannot pass.
    OldFile old;
    old.company = {{s("社名"), s("支店名"), s("100-0001"), s("住所一"), s("03-1111-1111"), s("03-2222-2222"), -1,
                    s("地域名"), 0}};
    old.customers = {{s("写し先"), s("うつしさき"), s("200-0002"), s("客住所一"), s("客住所二"), s("殿"),
                      s("045-111-1111"), s("045-222-2222"), s("しない"), s("区分の値"), s("メモの値")}};
    old.write(oldPath);
    ASSERT_EQ(convert(oldPath).outcome, ConvertOutcome::Converted);

    auto db = Database::open(data.dataFile());
    ASSERT_TRUE(db);
    Query company = db->query(s("SELECT * FROM 自社情報"));
    ASSERT_TRUE(company.next());
    const QVariantMap customerRow = customer(s("写し先"));
    struct Mapped {
        const char* table;
        const char* field;
        QVariant expected;
    };
    const Mapped mapped[] = {
        {"自社情報", "顧客名", s("社名")},          {"自社情報", "名称2", s("支店名")},
        {"自社情報", "郵便番号", s("100-0001")},    {"自社情報", "住所1", s("住所一")},
        {"自社情報", "電話番号", s("03-1111-1111")}, {"自社情報", "FAX", s("03-2222-2222")},
        {"自社情報", "敬称登録", -1},               {"自社情報", "YubinLocalEria", s("地域名")},
        {"自社情報", "yubinlocalEriaSw", 0},        {"顧客マスタ", "ふりがな", s("うつしさき")},
        {"顧客マスタ", "郵便番号", s("200-0002")},  {"顧客マスタ", "住所1", s("客住所一")},
        {"顧客マスタ", "住所2", s("客住所二")},     {"顧客マスタ", "敬称", s("殿")},
        {"顧客マスタ", "TEL1", s("045-111-1111")},  {"顧客マスタ", "FAX", s("045-222-2222")},
        {"顧客マスタ", "クイック", s("しない")},    {"顧客マスタ", "区分1", s("区分の値")},
        {"顧客マスタ", "顧客メモ", s("メモの値")},
    };
    for (const Mapped& m : mapped) {
        const QString field = s(m.field);
        const QVariant got = s(m.table) == s("自社情報") ? company.value(field) : customerRow.value(field);
        EXPECT_EQ(got.toString(), m.expected.toString()) << m.table << "." << m.field;
    }
}

TEST_F(ConvertRovTest, jetFileWithoutTheTablesConvertsNothing)
{
    const QString before = dumpDataFile(data.dataFile());
    const ConvertResult r =
        ConvertRov(jetFixture(s("nwind.mdb")), data.dataFile(), dialogs, {}, QStringLiteral("CP1252"));
    EXPECT_EQ(r.outcome, ConvertOutcome::Converted);
    EXPECT_EQ(texts(), QStringList{done(0, 0, 0)});
    EXPECT_EQ(dumpDataFile(data.dataFile()), before);
}

TEST_F(ConvertRovTest, panelShowsTheStagesAndHidesBeforeTheFinalMessage)
{
    OldFile{}.write(oldPath);
    QStringList events;
    ConvertProgress progress;
    progress.panel = [&](bool visible) {
        events << (visible ? s("show") : s("hide"));
        EXPECT_TRUE(dialogs.messages().isEmpty()) << "no message while the panel is up";
    };
    progress.update = [&](const QString& stage, const QString&) {
        if (events.isEmpty() || events.last() != stage)
            events << stage;
    };
    ASSERT_EQ(ConvertRov(oldPath, data.dataFile(), dialogs, progress).outcome, ConvertOutcome::Converted);
    EXPECT_EQ(events, QStringList{s("show")} + convertStageTexts() + QStringList{s("hide")});
    EXPECT_EQ(texts(), QStringList{done(8, 2, 1)});
}

TEST(ConvertProgressClock, reportsByTimeNotByRow)
{
    QStringList shown;
    ConvertProgressClock clock([&](const QString&, const QString& current) { shown << current; }, 100);
    clock.stage(s("段階"));
    for (int i = 0; i < 10000; ++i)
        clock.row(QString::number(i));
    // 10,000 rows take far less than the interval: only the stage was reported
    EXPECT_LE(shown.size(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        clock.row(s("後の行"));
        return shown.last() == s("後の行");
    })) << "once the interval has passed, the next row is shown";
}

} // namespace
} // namespace rov2::test
