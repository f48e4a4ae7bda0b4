#include "CustomerCsvFixture.h"

#include "CsvFieldNames.h"
#include "Database.h"
#include "Query.h"

#include <QFile>

namespace rov2::test {

void CustomerCsvFixture::exec(const QString& file, const QString& sql, const QVariantList& params)
{
    auto db = Database::open(file);
    ASSERT_TRUE(db) << file.toStdString();
    ASSERT_TRUE(db->execute(sql, params)) << db->lastError().toStdString();
}

void CustomerCsvFixture::addCustomer(const QString& file, const QVariantMap& fields)
{
    QStringList cols, marks;
    QVariantList values;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        cols << QLatin1Char('"') + it.key() + QLatin1Char('"');
        marks << QStringLiteral("?");
        values << it.value();
    }
    exec(file,
         QStringLiteral("INSERT INTO 顧客マスタ (%1) VALUES (%2)")
             .arg(cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
         values);
}

void CustomerCsvFixture::addFamily(const QString& owner, int row, const QString& name,
                                   const QString& relation)
{
    exec(d.dataFile(), QStringLiteral("INSERT INTO 家族情報 (名称, 行番号, 氏名, 続柄) VALUES (?, ?, ?, ?)"),
         {owner, row, name, relation});
}

void CustomerCsvFixture::listRow(const QString& name, bool marked, const QString& member)
{
    exec(d.workFile(), QStringLiteral("INSERT INTO w顧客リスト (チェック, 名称, 氏名) VALUES (?, ?, ?)"),
         {marked, name, member.isEmpty() ? QVariant() : QVariant(member)});
}

QMap<QString, QVariantMap> CustomerCsvFixture::customers(const QString& file)
{
    QMap<QString, QVariantMap> out;
    auto db = Database::open(file);
    EXPECT_TRUE(db);
    if (!db)
        return out;
    Query q = db->query(QStringLiteral("SELECT * FROM 顧客マスタ ORDER BY rowid"));
    while (q.next()) {
        QVariantMap row;
        for (const QString& f : importableFields())
            row.insert(f, q.value(f));
        out.insert(q.value(QStringLiteral("名称")).toString(), row);
    }
    EXPECT_TRUE(q.ok());
    return out;
}

QStringList CustomerCsvFixture::familyOf(const QString& owner)
{
    QStringList out;
    auto db = Database::open(d.dataFile());
    EXPECT_TRUE(db);
    if (!db)
        return out;
    Query q =
        db->query(QStringLiteral("SELECT 行番号, 氏名, ふりがな, 区分1, 誕生月 FROM 家族情報 WHERE 名称 = ? "
                                 "ORDER BY 行番号"),
                  {owner});
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < 5; ++i)
            row << q.value(i).toString();
        out << row.join(QLatin1Char('|'));
    }
    EXPECT_TRUE(q.ok());
    return out;
}

QByteArray CustomerCsvFixture::fileBytes(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void CustomerCsvFixture::writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QVariantMap sampleCustomer(const QString& name, const QString& memo)
{
    return {{QStringLiteral("名称"), name},
            {QStringLiteral("ふりがな"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ")},
            {QStringLiteral("郵便番号"), QStringLiteral("100-0001")},
            {QStringLiteral("住所1"), QStringLiteral("東京都千代田区千代田1-1")},
            {QStringLiteral("住所2"), QStringLiteral("\"皇居\"前, 2F")},
            {QStringLiteral("敬称"), QStringLiteral("様")},
            {QStringLiteral("クイック"), QStringLiteral("する")},
            {QStringLiteral("Email"), QStringLiteral("taro@example.jp")},
            {QStringLiteral("TEL1"), QStringLiteral("03-1234-5678")},
            {QStringLiteral("TEL2"), QStringLiteral("090-1234-5678")},
            {QStringLiteral("FAX"), QStringLiteral("03-1234-5679")},
            {QStringLiteral("区分1"), QStringLiteral("一般")},
            {QStringLiteral("区分2"), QStringLiteral("ＤＭ")},
            {QStringLiteral("生年月日"), QStringLiteral("1975/04/05")},
            {QStringLiteral("誕生月"), 4},
            {QStringLiteral("性別"), QStringLiteral("男")},
            {QStringLiteral("年齢"), 51},
            {QStringLiteral("顧客メモ"), memo},
            {QStringLiteral("印刷名"), name + QStringLiteral("御中")}};
}

} // namespace rov2::test
