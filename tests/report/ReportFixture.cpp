#include "ReportFixture.h"

#include "Database.h"
#include "FontSubstitutes.h"
#include "JapaneseDate.h"
#include "SampleData.h"
#include "SamplePrintTables.h"

#include <QFile>
#include <QProcess>

namespace rov2::test {

void ReportFixture::SetUp()
{
    installFontSubstitutions();
    settings_.年号 = QStringLiteral("和暦");
    Clock::setToday(QDate(2024, 4, 1));
}

void ReportFixture::TearDown()
{
    Clock::setToday(QDate());
}

void ReportFixture::insert(const QString& table, const QVariantMap& fields)
{
    std::unique_ptr<Database> db = Database::open(data_.workFile());
    ASSERT_TRUE(db);
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        names << QLatin1Char('"') + it.key() + QLatin1Char('"');
        marks << QStringLiteral("?");
        values << it.value();
    }
    ASSERT_TRUE(db->execute(QStringLiteral("insert into %1 (%2) values (%3)")
                                .arg(table, names.join(u','), marks.join(u',')),
                            values))
        << db->lastError().toStdString();
}

void ReportFixture::addCustomer(const QString& name, const QString& reading, const QString& birth)
{
    QVariantMap f{{QStringLiteral("名称"), name}, {QStringLiteral("ふりがな"), reading}};
    if (!birth.isEmpty())
        f.insert(QStringLiteral("生年月日"), birth);
    insert(QStringLiteral("w顧客マスタ印刷"), f);
}

void ReportFixture::addFamily(const QString& customer, const QString& name, const QString& reading,
                              const QString& birth)
{
    QVariantMap f{{QStringLiteral("名称"), customer}, {QStringLiteral("氏名"), name},
                  {QStringLiteral("ふりがな"), reading}};
    if (!birth.isEmpty())
        f.insert(QStringLiteral("生年月日"), birth);
    insert(QStringLiteral("w家族情報印刷"), f);
}

void ReportFixture::addNumberedCustomers(int n)
{
    for (int i = 1; i <= n; ++i) {
        const QString nn = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        insert(QStringLiteral("w顧客マスタ印刷"),
               {{QStringLiteral("名称"), QStringLiteral("顧客") + nn},
                {QStringLiteral("ふりがな"), QStringLiteral("こきゃく") + nn},
                {QStringLiteral("住所1"), QStringLiteral("東京都千代田区千代田") + nn},
                {QStringLiteral("郵便番号"), QStringLiteral("100-0001")},
                {QStringLiteral("生年月日"), QStringLiteral("1970/01/%1").arg(nn)},
                {QStringLiteral("年齢"), 54}});
    }
}

void ReportFixture::copySample(int customers)
{
    ASSERT_TRUE(QFile::remove(data_.dataFile()));
    QString error;
    ASSERT_TRUE(writeSampleDataFile(data_.dataFile(), customers, &error)) << error.toStdString();
    ASSERT_TRUE(copySamplePrintTables(data_.dataFile(), data_.workFile(), &error)) << error.toStdString();
}

std::vector<const report::PageItem*> itemsNamed(const report::Page& page, const QString& name, report::BandKind band)
{
    std::vector<const report::PageItem*> found;
    for (const report::PageItem& item : page.items)
        if (item.name == name && item.band == band)
            found.push_back(&item);
    return found;
}

const report::PageItem& itemNamed(const report::Page& page, const QString& name, report::BandKind band)
{
    static const report::PageItem none;
    const auto found = itemsNamed(page, name, band);
    if (found.empty()) {
        ADD_FAILURE() << "no item " << name.toStdString();
        return none;
    }
    return *found.front();
}

QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString goldenFolder()
{
    const QString fixtures = qEnvironmentVariable("ROV2_TEST_DATA", QStringLiteral(ROV2_FIXTURES));
    return fixtures + QStringLiteral("/report");
}

} // namespace rov2::test
