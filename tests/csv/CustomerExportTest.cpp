// Writing the listed customers to CSV, and reading them back into an empty data file.
#include "CsvFieldNames.h"
#include "CsvReader.h"
#include "CustomerCsvExport.h"
#include "CustomerCsvFixture.h"
#include "CustomerCsvImport.h"
#include "FailingSink.h"
#include "FileSizeLimit.h"
#include "SaveFileSink.h"
#include "SuppliedFiles.h"

#include <QDir>
#include <QFile>
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
        EXPECT_FALSE(ExportCustomerCsv(nullptr, d.ownFiles(), false, {}, CsvEncoding::Cp932, dialogs));
        ASSERT_EQ(dialogs.messages().size(), 1);
        const QString text = dialogs.messages().at(0).text;
        for (const char* part : {"鷗", "2行目", "森", "住所1"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << text.toStdString();
        EXPECT_FALSE(QFileInfo::exists(target()));
    }
    {
        ScriptedDialogs dialogs;
        dialogs.chooseFile(target());
        EXPECT_TRUE(ExportCustomerCsv(nullptr, d.ownFiles(), false, {}, CsvEncoding::Utf8Bom, dialogs));
        EXPECT_TRUE(QFileInfo::exists(target()));
        EXPECT_TRUE(dialogs.allUsed());
    }
    {
        // An existing file is replaced only after a Yes.
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::No);
        writeFile(target(), "keep");
        EXPECT_FALSE(
            ExportCustomerCsv(nullptr, d.ownFiles(), false, target(), CsvEncoding::Utf8Bom, dialogs));
        EXPECT_EQ(fileBytes(target()), QByteArray("keep"));
    }
    {
        ScriptedDialogs dialogs;
        dialogs.cancelFile();
        EXPECT_FALSE(ExportCustomerCsv(nullptr, d.ownFiles(), false, {}, CsvEncoding::Cp932, dialogs));
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
}

// The program's own files are refused with a message, whatever the name's
// case or a link in between; nothing is asked and nothing written.
TEST_F(CustomerExport, TheProgramsOwnFilesAreRefused)
{
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("佐藤")}});
    listRow(QStringLiteral("佐藤"), false);
    writeFile(d.postalFile(), "postal");
    writeFile(d.path(QStringLiteral("Rov2.lock")), "");
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath(QStringLiteral("顧客.csv"));
    ASSERT_TRUE(QFile::link(d.workFile(), link));
    struct Case
    {
        QString target;
        const char* what;
    };
    for (const Case& c : {Case{d.dataFile(), "データファイル"},
                          Case{d.path(QStringLiteral("rov2data.mdb")), "データファイル"},
                          Case{link, "作業ファイル"}, Case{d.postalFile(), "郵便番号辞書"},
                          Case{d.path(QStringLiteral("Rov2.lock")), "ロックファイル"}}) {
        const QByteArray data = fileBytes(d.dataFile()), work = fileBytes(d.workFile());
        ScriptedDialogs dialogs;
        dialogs.chooseFile(c.target);
        EXPECT_FALSE(ExportCustomerCsv(nullptr, d.ownFiles(), true, {}, CsvEncoding::Cp932, dialogs));
        ASSERT_EQ(dialogs.messages().size(), 1) << c.target.toStdString();
        const MessageRequest& m = dialogs.messages().front();
        EXPECT_EQ(m.buttons, MsgButtons::Ok) << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(QString::fromUtf8(c.what))) << m.text.toStdString();
        EXPECT_EQ(fileBytes(d.dataFile()), data);
        EXPECT_EQ(fileBytes(d.workFile()), work);
        EXPECT_EQ(fileBytes(d.postalFile()), QByteArray("postal"));
        EXPECT_EQ(fileBytes(d.path(QStringLiteral("Rov2.lock"))), QByteArray());
    }
}

/// A full disk during CSV出力, for files that fit in QSaveFile's 16 KB
/// buffer and for larger ones.
class CustomerExportOnAFullDisk : public CustomerExport, public ::testing::WithParamInterface<int>
{
protected:
    /// Lists GetParam() customers and exports them once, whole: the previous export.
    void SetUp() override
    {
        for (int i = 0; i < GetParam(); ++i) {
            const QString name = QStringLiteral("顧客%1").arg(i, 3, 10, QLatin1Char('0'));
            addCustomer(d.dataFile(), sampleCustomer(name, QStringLiteral("メモ")));
            addFamily(name, 0, name + QStringLiteral("の妻"), QStringLiteral("妻"));
            listRow(name, false);
        }
        ScriptedDialogs dialogs;
        ASSERT_TRUE(ExportCustomerCsv(nullptr, d.ownFiles(), true, target(), CsvEncoding::Cp932, dialogs));
        previous = fileBytes(target());
        previousFamily = fileBytes(familyCsvPath(target()));
        ASSERT_EQ(previous.size() < 16384, GetParam() < 100) << previous.size();
        // The next export has more to write.
        addCustomer(d.dataFile(), sampleCustomer(QStringLiteral("新しい顧客"), QStringLiteral("メモ")));
        listRow(QStringLiteral("新しい顧客"), false);
    }
    /// Exports through @p sinks, answering Yes to replacing the files; expects
    /// a failure told and the previous files as they were.
    void expectFailureKeepingThePreviousFiles(const FileSinkFactory& sinks)
    {
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Yes);
        EXPECT_FALSE(
            ExportCustomerCsv(nullptr, d.ownFiles(), true, target(), CsvEncoding::Cp932, dialogs, sinks));
        ASSERT_EQ(dialogs.messages().size(), 2);
        const QString told = dialogs.messages().at(1).text;
        EXPECT_TRUE(told.contains(QStringLiteral("書き込めませんでした"))) << told.toStdString();
        EXPECT_FALSE(told.contains(QStringLiteral("出力しました"))) << told.toStdString();
        EXPECT_EQ(fileBytes(target()), previous);
        EXPECT_EQ(fileBytes(familyCsvPath(target())), previousFamily);
        EXPECT_EQ(QDir(d.folder()).entryList({QStringLiteral("*.csv*")}, QDir::Files | QDir::Hidden),
                  (QStringList{QStringLiteral("顧客.csv"), QStringLiteral("顧客_家族.csv")}));
    }

    QByteArray previous, previousFamily;
};

TEST_P(CustomerExportOnAFullDisk, TheCustomerFileCutOff)
{
    expectFailureKeepingThePreviousFiles(test::failingSinks(test::DiskFailure{previous.size() / 2}));
}

TEST_P(CustomerExportOnAFullDisk, TheLastFlushFailing)
{
    test::DiskFailure failure;
    failure.onFlush = true;
    expectFailureKeepingThePreviousFiles(test::failingSinks(failure));
}

TEST_P(CustomerExportOnAFullDisk, OnlyTheFamilyFileCutOff)
{
    // The customer file fits, the family file does not: neither is replaced.
    const QString familyPath = familyCsvPath(target());
    const qint64 room = previousFamily.size() / 2;
    expectFailureKeepingThePreviousFiles(
        [familyPath, room](const QString& path) -> std::unique_ptr<FileSink> {
            if (path == familyPath)
                return std::make_unique<test::FailingSink>(path, test::DiskFailure{room});
            return std::make_unique<SaveFileSink>(path);
        });
}

TEST_P(CustomerExportOnAFullDisk, TheRealDiskFull)
{
    // The program's own QSaveFile, the system refusing every byte of a file
    // past half the previous export's size.
    test::FileSizeLimit limit(previous.size() / 2);
    expectFailureKeepingThePreviousFiles({});
}

INSTANTIATE_TEST_SUITE_P(Sizes, CustomerExportOnAFullDisk, ::testing::Values(30, 300),
                         [](const auto& p) { return p.param < 100 ? "BelowTheBuffer" : "AboveTheBuffer"; });

} // namespace
} // namespace rov2::test
