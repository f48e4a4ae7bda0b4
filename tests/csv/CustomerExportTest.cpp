// Writing the listed customers to CSV, and reading them back into an empty data file.
#include "CsvFieldNames.h"
#include "CsvReader.h"
#include "CustomerCsvExport.h"
#include "CustomerCsvFixture.h"
#include "CustomerCsvImport.h"
#include "SuppliedFiles.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace rov2::test {
namespace {

class CustomerExport : public CustomerCsvFixture
{
protected:
    QString target() const { return d.path(QStringLiteral("顧客.csv")); }
    /// The 名称 column of an exported file, heading left out.
    QStringList exportedNames(const QString& path, int column = 1)
    {
        const auto t = readCsvFile(path);
        EXPECT_TRUE(t);
        QStringList out;
        for (std::size_t i = 1; t && i < t->rows.size(); ++i)
            out << t->rows[i].value(column);
        return out;
    }
};

const QString kComma = QStringLiteral("山田, 太郎");
const QString kQuote = QStringLiteral("\"大口\"商店");
const QString kKana = QStringLiteral("ﾔﾏﾀﾞｼｮｳﾃﾝ");

class RoundTrip : public CustomerExport, public ::testing::WithParamInterface<CsvEncoding>
{
};

TEST_P(RoundTrip, AnEmptyDataFileGetsTheSameCustomersFieldByField)
{
    QStringList names = {kComma, kQuote, kKana};
    if (GetParam() != CsvEncoding::Cp932)
        names << QStringLiteral("𠮷野鷗外"); // only UTF-8 holds these
    for (const QString& n : names) {
        addCustomer(d.dataFile(), sampleCustomer(n, QStringLiteral("一行目\r\n二行目, \"引用\"")));
        listRow(n, false);
    }
    // A customer with its empty fields Null comes back with them Null.
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("空欄")},
                               {QStringLiteral("クイック"), QStringLiteral("しない")}});
    listRow(QStringLiteral("空欄"), false);
    // Cells a spreadsheet would run as formulas go out as text and come back as they were.
    const QString formula = QStringLiteral("=cmd|' /C calc'!A0");
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), formula},
                               {QStringLiteral("住所1"), QStringLiteral("=HYPERLINK(\"http://example.jp\")")},
                               {QStringLiteral("TEL1"), QStringLiteral("-")},
                               {QStringLiteral("顧客メモ"), QStringLiteral("@SUM(1)")},
                               {QStringLiteral("クイック"), QStringLiteral("しない")}});
    listRow(formula, false);

    const auto r = writeCustomerCsv(d.workFile(), d.dataFile(), false, target(), GetParam());
    ASSERT_EQ(r.status, CustomerCsvExportResult::Status::Written);
    EXPECT_EQ(r.customers, names.size() + 2);
    const QByteArray written = fileBytes(target());
    EXPECT_EQ(written.startsWith("\xEF\xBB\xBF"), GetParam() == CsvEncoding::Utf8Bom);
    EXPECT_TRUE(written.endsWith("\r\n"));
    EXPECT_FALSE(QByteArray(written).replace("\r\n", "").contains('\r'));

    TempData empty;
    const auto table = readCsvFile(target());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->encoding, GetParam());
    for (const QStringList& row : table->rows)
        for (const QString& cell : row)
            EXPECT_FALSE(!cell.isEmpty() && QStringView(u"=+-@").contains(cell.front()))
                << cell.toStdString();
    CsvImportOptions o;
    o.mapping = guessMapping(table->rows.front(), true);
    const auto report = importCustomers(empty.dataFile(), *table, o);
    ASSERT_EQ(report.status, CsvImportReport::Status::Done);
    EXPECT_EQ(report.added, names.size() + 2);
    EXPECT_TRUE(report.refused.empty());
    EXPECT_EQ(customers(empty.dataFile()), customers(d.dataFile()));
}

INSTANTIATE_TEST_SUITE_P(Encodings, RoundTrip, ::testing::Values(CsvEncoding::Cp932, CsvEncoding::Utf8Bom),
                         [](const auto& tp) { return tp.param == CsvEncoding::Cp932 ? "cp932" : "utf8bom"; });

TEST_F(CustomerExport, MarkedRowsOnlyInListOrderAFamilyRowStandingForItsCustomer)
{
    for (const char* n : {"相川", "井上", "上田", "江藤"})
        addCustomer(d.dataFile(), {{QStringLiteral("名称"), QString::fromUtf8(n)}});
    listRow(QStringLiteral("上田"), true);
    listRow(QStringLiteral("相川"), false);
    listRow(QStringLiteral("井上"), false);
    listRow(QStringLiteral("井上"), true, QStringLiteral("井上花子")); // a marked family row
    listRow(QStringLiteral("上田"), true, QStringLiteral("上田一郎")); // the same customer again
    listRow(QStringLiteral("消えた人"), true);                         // deleted since the search

    const auto r = writeCustomerCsv(d.workFile(), d.dataFile(), false, target(), CsvEncoding::Cp932);
    ASSERT_EQ(r.status, CustomerCsvExportResult::Status::Written);
    EXPECT_EQ(exportedNames(target()), (QStringList{QStringLiteral("上田"), QStringLiteral("井上")}));
    EXPECT_EQ(readCsvFile(target())->rows.front(), customerCsvColumns());
}

TEST_F(CustomerExport, NothingMarkedMeansEveryListedRow)
{
    for (const char* n : {"相川", "井上", "上田"}) {
        addCustomer(d.dataFile(), {{QStringLiteral("名称"), QString::fromUtf8(n)}});
        listRow(QString::fromUtf8(n), false);
    }
    ASSERT_EQ(writeCustomerCsv(d.workFile(), d.dataFile(), false, target(), CsvEncoding::Cp932).status,
              CustomerCsvExportResult::Status::Written);
    EXPECT_EQ(exportedNames(target()).size(), 3);
}

TEST_F(CustomerExport, FamilyRowsGoBesideInTheirOrder)
{
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("佐藤")}});
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("鈴木")}});
    addFamily(QStringLiteral("佐藤"), 1, QStringLiteral("佐藤次郎"), QStringLiteral("次男"));
    addFamily(QStringLiteral("佐藤"), 0, QStringLiteral("佐藤花子"), QStringLiteral("妻"));
    addFamily(QStringLiteral("鈴木"), 0, QStringLiteral("鈴木一子"), QStringLiteral("長女"));
    listRow(QStringLiteral("佐藤"), true);
    listRow(QStringLiteral("鈴木"), false);

    const auto r = writeCustomerCsv(d.workFile(), d.dataFile(), true, target(), CsvEncoding::Utf8Bom);
    ASSERT_EQ(r.status, CustomerCsvExportResult::Status::Written);
    EXPECT_EQ(r.familyPath, d.path(QStringLiteral("顧客_家族.csv")));
    EXPECT_EQ(r.familyRows, 2);
    EXPECT_EQ(exportedNames(r.familyPath, 2),
              (QStringList{QStringLiteral("佐藤花子"), QStringLiteral("佐藤次郎")}));
    EXPECT_EQ(readCsvFile(r.familyPath)->rows.front(), familyCsvColumns());
}

TEST_F(CustomerExport, FamilyFileNames)
{
    EXPECT_EQ(familyCsvPath(QStringLiteral("/x/顧客一覧.csv")), QStringLiteral("/x/顧客一覧_家族.csv"));
    EXPECT_EQ(familyCsvPath(QStringLiteral("/x/list.v2.csv")), QStringLiteral("/x/list.v2_家族.csv"));
    EXPECT_EQ(familyCsvPath(QStringLiteral("/x/list")), QStringLiteral("/x/list_家族"));
}

TEST_F(CustomerExport, ACharacterCp932CannotHoldIsReportedAndNothingWritten)
{
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("佐藤")}});
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("森")},
                               {QStringLiteral("住所1"), QStringLiteral("鷗町1")}});
    addFamily(QStringLiteral("佐藤"), 0, QStringLiteral("𠮷田"), QStringLiteral("妻"));
    listRow(QStringLiteral("佐藤"), false);
    listRow(QStringLiteral("森"), false);
    writeFile(target(), "old contents");

    auto r = writeCustomerCsv(d.workFile(), d.dataFile(), true, target(), CsvEncoding::Cp932);
    ASSERT_EQ(r.status, CustomerCsvExportResult::Status::Unencodable);
    EXPECT_EQ(r.problemPath, target());
    EXPECT_EQ(r.problem.line, 3);
    EXPECT_EQ(r.problemName, QStringLiteral("森"));
    EXPECT_EQ(r.problemField, QStringLiteral("住所1"));
    EXPECT_EQ(r.problem.character, QStringLiteral("鷗"));
    EXPECT_EQ(fileBytes(target()), QByteArray("old contents"));
    EXPECT_FALSE(QFileInfo::exists(r.familyPath));

    // The customers fine, a family member's name is not.
    exec(d.dataFile(), QStringLiteral("UPDATE 顧客マスタ SET 住所1 = '森町1'"));
    r = writeCustomerCsv(d.workFile(), d.dataFile(), true, target(), CsvEncoding::Cp932);
    ASSERT_EQ(r.status, CustomerCsvExportResult::Status::Unencodable);
    EXPECT_EQ(r.problemPath, r.familyPath);
    EXPECT_EQ(r.problemField, QStringLiteral("氏名"));
    EXPECT_EQ(fileBytes(target()), QByteArray("old contents"));
}

TEST_F(CustomerExport, AnUnwritableTargetIsAFailureNotASuccess)
{
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("佐藤")}});
    listRow(QStringLiteral("佐藤"), false);
    const auto r = writeCustomerCsv(d.workFile(), d.dataFile(), false,
                                    d.path(QStringLiteral("無い/顧客.csv")), CsvEncoding::Cp932);
    EXPECT_EQ(r.status, CustomerCsvExportResult::Status::WriteFailed);
}

TEST_F(CustomerExport, ThroughTheDialogs)
{
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("森")},
                               {QStringLiteral("住所1"), QStringLiteral("鷗町1")}});
    listRow(QStringLiteral("森"), false);
    {
        ScriptedDialogs dialogs;
        dialogs.chooseFile(target());
        EXPECT_FALSE(
            ExportCustomerCsv(nullptr, d.workFile(), d.dataFile(), false, {}, CsvEncoding::Cp932, dialogs));
        ASSERT_EQ(dialogs.messages().size(), 1);
        const QString text = dialogs.messages().at(0).text;
        for (const char* part : {"鷗", "2行目", "森", "住所1"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << text.toStdString();
        EXPECT_FALSE(QFileInfo::exists(target()));
    }
    {
        ScriptedDialogs dialogs;
        dialogs.chooseFile(target());
        EXPECT_TRUE(
            ExportCustomerCsv(nullptr, d.workFile(), d.dataFile(), false, {}, CsvEncoding::Utf8Bom, dialogs));
        EXPECT_TRUE(QFileInfo::exists(target()));
        EXPECT_TRUE(dialogs.allUsed());
    }
    {
        // An existing file is replaced only after a Yes.
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::No);
        writeFile(target(), "keep");
        EXPECT_FALSE(ExportCustomerCsv(nullptr, d.workFile(), d.dataFile(), false, target(),
                                       CsvEncoding::Utf8Bom, dialogs));
        EXPECT_EQ(fileBytes(target()), QByteArray("keep"));
    }
    {
        ScriptedDialogs dialogs;
        dialogs.cancelFile();
        EXPECT_FALSE(
            ExportCustomerCsv(nullptr, d.workFile(), d.dataFile(), false, {}, CsvEncoding::Cp932, dialogs));
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
}

} // namespace
} // namespace rov2::test
