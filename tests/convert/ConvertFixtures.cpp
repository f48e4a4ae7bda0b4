#include "ConvertFixtures.h"

#include "Database.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace rov2::test {

QString jetFixture(const QString& name)
{
    QString root = qEnvironmentVariable("ROV2_TEST_DATA");
    if (root.isEmpty())
        root = QStringLiteral(ROV2_SOURCE_TEST_DATA);
    return root + QStringLiteral("/jet/") + name;
}

QByteArray runMdbTool(const QString& tool, const QStringList& args, const QString& codePage)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MDB_JET3_CHARSET"), codePage);
    env.insert(QStringLiteral("MDBICONV"), QStringLiteral("UTF-8"));
    p.setProcessEnvironment(env);
    p.start(tool, args);
    const bool finished = p.waitForFinished(60000);
    EXPECT_TRUE(finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        << tool.toStdString() << " failed: " << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

std::vector<std::vector<CsvCell>> parseCsv(const QString& text)
{
    std::vector<std::vector<CsvCell>> rows;
    std::vector<CsvCell> row;
    CsvCell cell;
    bool inQuotes = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                cell.text += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                inQuotes = false;
            } else {
                cell.text += c;
            }
        } else if (c == QLatin1Char('"')) {
            inQuotes = true;
            cell.quoted = true;
            any = true;
        } else if (c == QLatin1Char(',')) {
            row.push_back(cell);
            cell = {};
        } else if (c == QLatin1Char('\n')) {
            row.push_back(cell);
            rows.push_back(row);
            row.clear();
            cell = {};
            any = false;
        } else {
            cell.text += c;
            any = true;
        }
    }
    if (any || !row.empty()) {
        row.push_back(cell);
        rows.push_back(row);
    }
    return rows;
}

void writeSqliteFile(const QString& path, const std::vector<SqliteTable>& tables)
{
    QString error;
    auto db = Database::createNew(path, &error);
    ASSERT_TRUE(db) << error.toStdString();
    for (const SqliteTable& t : tables) {
        QStringList quoted;
        QStringList marks;
        for (const QString& c : t.columns) {
            quoted << QLatin1Char('"') + c + QLatin1Char('"');
            marks << QStringLiteral("?");
        }
        ASSERT_TRUE(db->execute(QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(t.name, quoted.join(u','))))
            << db->lastError().toStdString();
        const QString insert =
            QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(t.name, quoted.join(u','), marks.join(u','));
        for (const QVariantList& r : t.rows)
            ASSERT_TRUE(db->execute(insert, r)) << db->lastError().toStdString();
    }
}

} // namespace rov2::test

#include "Layout.h"
#include "Query.h"

namespace rov2::test {

QString dumpDataFile(const QString& path)
{
    auto db = Database::open(path);
    EXPECT_TRUE(db);
    if (!db)
        return {};
    QString out;
    for (const TableLayout& t : tablesOf(FileKind::Data)) {
        out += t.name + QLatin1Char('\n');
        Query q = db->query(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(t.name));
        while (q.next()) {
            for (int i = 0; i < q.columnNames().size(); ++i) {
                const QVariant v = q.value(i);
                out += v.isNull() ? QStringLiteral("<null>") : QLatin1Char('[') + v.toString() + QLatin1Char(']');
                out += QLatin1Char('|');
            }
            out += QLatin1Char('\n');
        }
        EXPECT_TRUE(q.ok());
    }
    return out;
}

QStringList oldCompanyColumns()
{
    return {QStringLiteral("顧客名"),   QStringLiteral("名称2"),         QStringLiteral("郵便番号"),
            QStringLiteral("住所1"),    QStringLiteral("電話番号"),      QStringLiteral("FAX"),
            QStringLiteral("敬称登録"), QStringLiteral("YubinLocalEria"), QStringLiteral("yubinlocalEriaSw")};
}

QStringList oldCodeColumns() { return {QStringLiteral("kcode"), QStringLiteral("code"), QStringLiteral("sname")}; }

QStringList oldCustomerColumns()
{
    return {QStringLiteral("名称"), QStringLiteral("ふりがな"), QStringLiteral("郵便番号"), QStringLiteral("住所1"),
            QStringLiteral("住所2"), QStringLiteral("敬称"),    QStringLiteral("TEL"),      QStringLiteral("FAX"),
            QStringLiteral("クイック"), QStringLiteral("区分"), QStringLiteral("顧客メモ")};
}

} // namespace rov2::test
