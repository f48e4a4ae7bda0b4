// The customer searches over a data file, as the windows run them.
#include "CustomerLookup.h"

#include "Database.h"
#include "LookupFixtures.h"
#include "Query.h"
#include "SearchDatabase.h"
#include "TempData.h"
#include "TestNames.h"

#include <QFile>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

QVariantMap customer(const char* name, const QVariant& reading, std::initializer_list<std::pair<const char*, const char*>> more = {})
{
    QVariantMap m{{u("名称"), u(name)}, {u("ふりがな"), reading}};
    for (const auto& [field, value] : more)
        m.insert(u(field), u(value));
    return m;
}

/// Customers whose readings, addresses and numbers are stored in every form a shop may have typed them.
class CustomerLookup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::addCustomers(
            d.dataFile(),
            {customer("佐藤　一郎", u("さとう いちろう"), {{"住所1", "東京都千代田区千代田1-1"}, {"TEL1", "03-1234-5678"}}),
             customer("斉藤　花子", u("サイトウ ハナコ"), {{"住所1", "大阪府大阪市北区梅田"}, {"TEL1", "06 9876 5432"}}),
             customer("加藤　健太", u("ｶﾄｳ ｹﾝﾀ"), {{"住所1", "愛知県名古屋市中区栄"}, {"TEL2", "052-111-2222"}}),
             customer("後藤　誠", u("ごとう まこと"), {{"住所2", "グランドビル１０１"}, {"FAX", "092(333)4444"}}),
             customer("学園堂", u("ｶﾞｸｴﾝﾄﾞｳ")),
             customer("パン屋", u("ぱんや")),
             customer("O'Brien 100%", u("おぶらいえん")),
             customer("ABC商事", u("ABCしょうじ")),
             customer("読みなし", QVariant()),
             // without a name a customer cannot be read, so it is never offered
             customer("", u("さとう"))});
    }

    QStringList names(const QString& typed, int limit = 0)
    {
        QString error;
        const auto found = findCustomers(d.dataFile(), typed, limit, &error);
        EXPECT_TRUE(found) << error.toStdString();
        QStringList out;
        if (found)
            for (const auto& m : found->rows)
                out << m.名称;
        return out;
    }

    QStringList byKana(const QString& kana)
    {
        QString error;
        const auto found = findCustomersByKana(d.dataFile(), kana, 0, &error);
        EXPECT_TRUE(found) << error.toStdString();
        QStringList out;
        if (found)
            for (const auto& m : found->rows)
                out << m.名称;
        return out;
    }

    test::TempData d;
};

struct Expect {
    const char* typed;
    std::vector<const char*> names;
};

void PrintTo(const Expect& e, std::ostream* os)
{
    *os << '"' << e.typed << '"';
}

QStringList list(const std::vector<const char*>& names)
{
    QStringList out;
    for (const char* n : names)
        out << u(n);
    return out;
}

class Typed : public CustomerLookup, public ::testing::WithParamInterface<Expect> {};

TEST_P(Typed, FindsTheCustomersInReadingOrder)
{
    EXPECT_EQ(names(u(GetParam().typed)), list(GetParam().names));
}

INSTANTIATE_TEST_SUITE_P(
    AnyPartOfAnyField, Typed,
    ::testing::Values(
        // readings in every kana form match each other
        Expect{"さとう", {"佐藤　一郎"}}, Expect{"サトウ", {"佐藤　一郎"}}, Expect{"ｻﾄｳ", {"佐藤　一郎"}},
        Expect{"さいとう", {"斉藤　花子"}}, Expect{"かとう", {"加藤　健太"}}, Expect{"がくえん", {"学園堂"}},
        // the blank inside a stored reading does not get in the way
        Expect{"さとういち", {"佐藤　一郎"}},
        // every match, in the order of the readings whatever their form
        Expect{"とう", {"加藤　健太", "後藤　誠", "斉藤　花子", "佐藤　一郎"}},
        // name, address lines
        Expect{"一郎", {"佐藤　一郎"}}, Expect{"佐藤一郎", {"佐藤　一郎"}}, Expect{"千代田", {"佐藤　一郎"}},
        Expect{"グランドビル101", {"後藤　誠"}},
        // telephone numbers without hyphens, blanks and parentheses, in TEL1, TEL2 and FAX
        Expect{"0312345678", {"佐藤　一郎"}}, Expect{"03-1234", {"佐藤　一郎"}}, Expect{"９８７６－５４３２", {"斉藤　花子"}},
        Expect{"0521112222", {"加藤　健太"}}, Expect{"3334444", {"後藤　誠"}},
        // several terms: each must occur, in any field
        Expect{"さとう 千代田", {"佐藤　一郎"}}, Expect{"さとう　大阪", {}},
        // searched as text: quote, percent and underscore are only themselves
        Expect{"'", {"O'Brien 100%"}}, Expect{"%", {"O'Brien 100%"}}, Expect{"_", {}},
        Expect{"' OR '1'='1", {}}, Expect{"", {}}, Expect{"　", {}}),
    test::PrintedName());

// The window searches the customers read into memory when it opened: the same rows, the same order.
TEST_P(Typed, FindsTheSameCustomersInMemory)
{
    QString error;
    const auto index = CustomerIndex::load(d.dataFile(), &error);
    ASSERT_TRUE(index) << error.toStdString();
    QStringList found;
    for (const auto& m : index->find(u(GetParam().typed), 0).rows)
        found << m.名称;
    EXPECT_EQ(found, list(GetParam().names));
}

TEST_F(CustomerLookup, TheIndexCutsAtTheLimitAndReadsNoBrokenFile)
{
    const auto index = CustomerIndex::load(d.dataFile());
    ASSERT_TRUE(index);
    EXPECT_EQ(index->size(), 9) << "the customer without a name is left out";
    const CustomerMatches cut = index->find(u("とう"), 2);
    EXPECT_EQ(cut.rows.size(), 2);
    EXPECT_TRUE(cut.more);
    const CustomerMatches all = index->find(u("とう"), 4);
    EXPECT_EQ(all.rows.size(), 4);
    EXPECT_FALSE(all.more);
    EXPECT_EQ(all.rows.at(0).電話, u("052-111-2222")) << "TEL2 shown when TEL1 is empty";

    QString error;
    EXPECT_FALSE(CustomerIndex::load(d.path(u("none.mdb")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(d.path(u("none.mdb"))));
}

TEST_F(CustomerLookup, TheLimitCutsTheListAndSaysSo)
{
    QString error;
    const auto found = findCustomers(d.dataFile(), u("とう"), 2, &error);
    ASSERT_TRUE(found) << error.toStdString();
    EXPECT_EQ(found->rows.size(), 2);
    EXPECT_TRUE(found->more);
    const auto all = findCustomers(d.dataFile(), u("とう"), 4, &error);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->rows.size(), 4);
    EXPECT_FALSE(all->more) << "exactly the limit is not more";
}

TEST_F(CustomerLookup, ARowShowsTheSecondNumberWhenTheFirstIsEmpty)
{
    const auto found = findCustomers(d.dataFile(), u("加藤"), 0);
    ASSERT_TRUE(found);
    ASSERT_EQ(found->rows.size(), 1);
    EXPECT_EQ(found->rows[0].ふりがな, u("ｶﾄｳ ｹﾝﾀ"));
    EXPECT_EQ(found->rows[0].住所1, u("愛知県名古屋市中区栄"));
    EXPECT_EQ(found->rows[0].電話, u("052-111-2222"));
}

class Kana : public CustomerLookup, public ::testing::WithParamInterface<Expect> {};

TEST_P(Kana, ListsTheReadingsThatBeginWithIt)
{
    EXPECT_EQ(byKana(u(GetParam().typed)), list(GetParam().names));
}

INSTANTIATE_TEST_SUITE_P(
    Syllabary, Kana,
    ::testing::Values(Expect{"か", {"学園堂", "加藤　健太"}}, Expect{"こ", {"後藤　誠"}},
                      Expect{"さ", {"斉藤　花子", "佐藤　一郎"}}, Expect{"は", {"パン屋"}}, Expect{"お", {"O'Brien 100%"}},
                      Expect{"ぬ", {}},
                      // a voiced kana asks for its plain row
                      Expect{"が", {"学園堂", "加藤　健太"}},
                      // readings that begin with no kana, or are missing
                      Expect{"", {"読みなし", "ABC商事"}}),
    test::PrintedName());

/// "name/reading" of each row, the reading "-" when Null.
QStringList shown(const QVector<CustomerMatch>& rows)
{
    QStringList out;
    for (const CustomerMatch& m : rows)
        out << m.名称 + u("/") + m.ふりがな;
    return out;
}

TEST(CustomerIndexOrder, IsTheOrderOfTheFileSearchEvenWhereReadingsAreEqual)
{
    test::TempData d;
    const QVariant readings[] = {u("さとう"), u("サトウ"), QVariant(), u(""),   u("ｻﾄｳ"),     u("さとう"),
                                 u("あべ"),   QVariant(), u("さどう"), u("さとう"), u("ｻﾄｳ")};
    const char* names[] = {"佐藤　二郎", "佐藤　一郎", "山田", "川田", "佐藤　一郎", "さとう商店",
                           "阿部",       "青木",       "佐藤", "サトウ",   "佐藤　一郎"};
    QVector<QVariantMap> customers;
    for (size_t i = 0; i < std::size(names); ++i)
        customers << customer(names[i], readings[i], {{"住所1", "共通町"}});
    test::addCustomers(d.dataFile(), customers);
    const auto index = CustomerIndex::load(d.dataFile());
    ASSERT_TRUE(index);
    const auto file = findCustomers(d.dataFile(), u("共通"), 0);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->rows.size(), static_cast<int>(std::size(names)));
    EXPECT_EQ(shown(index->find(u("共通"), 0).rows), shown(file->rows));
}

/// Every customer is listed under exactly the kana its reading begins with,
/// as the initial of every reading of the file says.
TEST(KanaRows, ListWhatTheInitialOfEveryReadingSaysFromTheFileAndInMemory)
{
    test::TempData d;
    const char* readings[] = {"かとう", "がっこう", "カトウ", "ガッコウ", "ｶﾄｳ", "ｶﾞｯｺｳ", "ヵ", "　かとう", " かな", "\tかた",
                              "ぁあ",   "ゐど",     "ヴぃ",   "ぱん",     "ﾊﾟﾝ", "ん",     "を", "ｦ",        "ー",  "漢字",
                              "",       "ａ",       "゛か",   "っち",     "ゎ"};
    QVector<QVariantMap> customers{customer("読みなし", QVariant())};
    for (size_t i = 0; i < std::size(readings); ++i)
        customers << customer(QString::number(i).toUtf8().constData(), u(readings[i]));
    test::addCustomers(d.dataFile(), customers);
    auto db = openForSearch(d.dataFile());
    ASSERT_TRUE(db);
    const auto index = CustomerIndex::load(d.dataFile());
    ASSERT_TRUE(index);
    QStringList cells{QString()}; // "他"
    for (const QChar c : u("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"))
        cells << QString(c);
    qsizetype listed = 0;
    for (const QString& kana : cells) {
        QStringList expected;
        Query q = db->query(u("SELECT 名称 FROM 顧客マスタ WHERE 名称 <> '' AND rov2_kana_initial(ふりがな) = ? "
                              "ORDER BY rov2_reading_key(ふりがな), 名称 COLLATE JA"),
                            {kana.isEmpty() ? u("") : kana});
        while (q.next())
            expected << q.value(0).toString();
        ASSERT_TRUE(q.ok());
        const auto found = findCustomersByKana(d.dataFile(), kana, 0);
        ASSERT_TRUE(found);
        QStringList names;
        for (const auto& m : found->rows)
            names << m.名称;
        EXPECT_EQ(names, expected) << kana.toStdString();
        listed += names.size();
        names.clear();
        for (const auto& m : index->byKana(kana, 0).rows)
            names << m.名称;
        EXPECT_EQ(names, expected) << "in memory: " << kana.toStdString();
    }
    EXPECT_EQ(listed, customers.size());
}

TEST_F(CustomerLookup, AMissingOrBrokenFileIsAFailureNotAnEmptyList)
{
    QString error;
    EXPECT_FALSE(findCustomers(d.path(u("none.mdb")), u("さとう"), 0, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(d.path(u("none.mdb")))) << "a search never creates a file";
    EXPECT_FALSE(findCustomersByKana(d.path(u("none.mdb")), u("か"), 0));

    QFile junk(d.path(u("junk.mdb")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a database, just some bytes that fill a page or so");
    junk.close();
    EXPECT_FALSE(findCustomers(d.path(u("junk.mdb")), u("さとう"), 0));

    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(u("DROP TABLE 顧客マスタ")));
    db.reset();
    EXPECT_FALSE(findCustomers(d.dataFile(), u("さとう"), 0, &error));
}

TEST(ReadingKey, OrdersAsTheReadingCollation)
{
    test::TempData d;
    test::addCustomers(d.dataFile(), {});
    auto db = openForSearch(d.dataFile());
    ASSERT_TRUE(db);
    const QStringList readings{u("さとう"), u("サトウ"), u("ｻﾄｳ"), u("さどう"), u("さとー"), u("さとうい"), u("ざとう"),
                               u("さ とう"), u("はは"), u("ばば"), u("ぱぱ"), u("ハハ"), u("abc"), u("ABC"), u("山田"),
                               u("ゃ"), u("や"), u(""), u("ヴ"), u("う")};
    QStringList values;
    QVariantList params;
    for (const QString& r : readings) {
        values << u("(?)");
        params << r;
    }
    const QString rows = u("WITH t(r) AS (VALUES %1) SELECT r FROM t ").arg(values.join(u","));
    const auto read = [&](const QString& order) {
        QStringList out;
        Query q = db->query(rows + order, params);
        while (q.next())
            out << q.value(0).toString();
        EXPECT_TRUE(q.ok());
        return out;
    };
    const QStringList byCollation = read(u("ORDER BY r COLLATE JA"));
    ASSERT_EQ(byCollation.size(), readings.size());
    EXPECT_EQ(read(u("ORDER BY rov2_reading_key(r)")), byCollation);
}

TEST_F(CustomerLookup, TheSearchConnectionRefusesToWrite)
{
    auto db = openForSearch(d.dataFile());
    ASSERT_TRUE(db);
    EXPECT_FALSE(db->execute(u("DELETE FROM 顧客マスタ")));
    EXPECT_FALSE(db->execute(u("CREATE TABLE t (a)")));
    db.reset();
    auto check = Database::open(d.dataFile());
    ASSERT_TRUE(check);
    EXPECT_EQ(check->count(u("SELECT count(*) AS num FROM 顧客マスタ")), 10);
}

} // namespace
} // namespace rov2
