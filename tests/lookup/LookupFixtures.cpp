#include "LookupFixtures.h"

#include "Database.h"
#include "DictionaryWriter.h"
#include "KenAllReader.h"

#include <gtest/gtest.h>

namespace rov2::test {

void addCustomers(const QString& dataFile, const QVector<QVariantMap>& customers)
{
    QString error;
    auto db = Database::open(dataFile, &error);
    ASSERT_TRUE(db) << error.toStdString();
    for (const QVariantMap& c : customers) {
        QStringList placeholders(c.size(), QStringLiteral("?"));
        const QString sql = QStringLiteral("INSERT INTO 顧客マスタ (%1) VALUES (%2)")
                                .arg(c.keys().join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')));
        ASSERT_TRUE(db->execute(sql, c.values())) << db->lastError().toStdString();
    }
}

void writeKenAllDictionary(const QString& path)
{
    QString root = qEnvironmentVariable("ROV2_TEST_DATA");
    if (root.isEmpty())
        root = QStringLiteral(ROV2_SOURCE_TEST_DATA);
    const yubin::SourceData source = yubin::KenAllReader::readFile(root + QStringLiteral("/postal/ken_all_sjis.csv"));
    ASSERT_TRUE(source.ok()) << source.error.toStdString();
    QString error;
    auto writer = yubin::DictionaryWriter::create(path, &error);
    ASSERT_TRUE(writer) << error.toStdString();
    ASSERT_TRUE(writer->add(source, &error)) << error.toStdString();
    ASSERT_TRUE(writer->finish(&error)) << error.toStdString();
}

} // namespace rov2::test
