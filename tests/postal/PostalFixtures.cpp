#include "PostalFixtures.h"

#include "Database.h"
#include "SuppliedFiles.h"

#include <gtest/gtest.h>

namespace rov2::yubin {

void PrintTo(const PostalRow& r, std::ostream* os)
{
    *os << (r.code + QLatin1Char('|') + r.prefecture + QLatin1Char('|') + r.city + QLatin1Char('|') + r.town)
               .toStdString();
}

} // namespace rov2::yubin

namespace rov2::test {
namespace {

QVariant orNull(const QString& s)
{
    return s.isNull() ? QVariant() : QVariant(s);
}

} // namespace

yubin::PostalRow row(const char* code, const char* prefecture, const char* city, const char* town)
{
    return {QString::fromUtf8(code), QString::fromUtf8(prefecture), QString::fromUtf8(city),
            QString::fromUtf8(town)};
}

QString postalFixture(const QString& name)
{
    QString root = qEnvironmentVariable("ROV2_TEST_DATA");
    if (root.isEmpty())
        root = QStringLiteral(ROV2_SOURCE_TEST_DATA);
    return root + QStringLiteral("/postal/") + name;
}

void writeDictionary(const QString& path, const QVector<yubin::PostalRow>& rows)
{
    QString error;
    ASSERT_TRUE(createEmptyFile(path, FileKind::Postal, &error)) << error.toStdString();
    auto db = Database::open(path, &error);
    ASSERT_TRUE(db) << error.toStdString();
    for (const auto& r : rows)
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 郵便番号 (番号, 県漢字, 市町村漢字, 町名漢字) "
                                               "VALUES (?, ?, ?, ?)"),
                                {orNull(r.code), orNull(r.prefecture), orNull(r.city), orNull(r.town)}));
}

} // namespace rov2::test
