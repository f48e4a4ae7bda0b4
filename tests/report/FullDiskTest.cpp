// PDF files written whole or not at all, saved or printed to a file: a disk
// that fills up (or fails on the last flush) leaves the earlier file as it
// was and the caller gets a failure; the program's own files are refused.
#include "CustomerListReport.h"
#include "FailingSink.h"
#include "FileSizeLimit.h"
#include "QtPrinters.h"
#include "ReportFixture.h"
#include "ReportPainter.h"
#include "ReportPreview.h"
#include "ReportPrinting.h"
#include "ScriptedDialogs.h"
#include "ShowPreview.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace rov2::test {
namespace {

using report::PdfResult;
using report::PrintResult;

QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

/// A list report saved whole once (its size known), and an earlier file where the next goes.
class FullDisk : public ReportFixture
{
protected:
    void SetUp() override
    {
        ReportFixture::SetUp();
        addNumberedCustomers(8);
        ASSERT_TRUE(r.Restart());
        const QString whole = data_.path(QStringLiteral("whole.pdf"));
        ASSERT_EQ(report::savePdf(*r.pages(), whole), PdfResult::Saved);
        size = QFileInfo(whole).size();
        ASSERT_TRUE(QFile::remove(whole));
        // The last bytes of a PDF always wait in the buffer until the end.
        ASSERT_GT(size, FailingSink::kBuffer);
        QFile earlier(target);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("the earlier file");
    }
    void expectTheEarlierFileAlone()
    {
        EXPECT_EQ(read(target), QByteArray("the earlier file"));
        EXPECT_EQ(
            QDir(data_.folder())
                .entryList({QStringLiteral("*.pdf*"), QStringLiteral(".rov2*")}, QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("list.pdf")});
    }
    /// A disk that takes all but the last @p missing bytes.
    DiskFailure shortBy(qint64 missing) const { return DiskFailure{size - missing}; }

    report::rpt顧客一覧 r{data_.workFile(), settings_};
    qint64 size = 0;
    const QString target = data_.path(QStringLiteral("list.pdf"));
};

TEST_F(FullDisk, SavingFailsWhereverTheDiskFills)
{
    // Past the buffer, in the last buffer's flush, on a flush alone.
    for (const DiskFailure failure : {shortBy(size / 2), shortBy(100), DiskFailure{size, true}}) {
        EXPECT_EQ(report::savePdf(*r.pages(), target, {}, failingSinks(failure)), PdfResult::CannotWrite)
            << failure.room;
        expectTheEarlierFileAlone();
    }
}

TEST_F(FullDisk, SavingFailsOnTheRealDisk)
{
    // The program's own QSaveFile; the system refuses the last 100 bytes,
    // which wait in the buffer until the file is committed.
    PdfResult saved = PdfResult::Saved;
    {
        FileSizeLimit limit(size - 100);
        saved = report::savePdf(*r.pages(), target);
    }
    EXPECT_EQ(saved, PdfResult::CannotWrite);
    expectTheEarlierFileAlone();
}

TEST_F(FullDisk, PrintingToAFileFailsWhereverTheDiskFills)
{
    for (const DiskFailure failure : {shortBy(size / 2), shortBy(100), DiskFailure{size, true}}) {
        ScriptedDialogs d;
        d.confirmPrint(target);
        EXPECT_EQ(report::printReport(*r.pages(), r.caption(), true, nullptr, data_.ownFiles(),
                                      failingSinks(failure)),
                  PrintResult::Failed)
            << failure.room;
        expectTheEarlierFileAlone();
    }
}

TEST_F(FullDisk, PrintingToAFileFailsOnTheRealDisk)
{
    // As the print dialog's PDF output on a full disk: no cut-off PDF, the
    // earlier file kept, and the caller told.
    ScriptedDialogs d;
    d.confirmPrint(target);
    PrintResult printed = PrintResult::Printed;
    {
        FileSizeLimit limit(size - 100);
        printed = r.PrintReport(true, data_.ownFiles());
    }
    EXPECT_EQ(printed, PrintResult::Failed);
    expectTheEarlierFileAlone();
    // With room the same print lands whole.
    d.confirmPrint(target);
    EXPECT_EQ(r.PrintReport(true, data_.ownFiles()), PrintResult::Printed);
    EXPECT_TRUE(pdfText(target).contains(QStringLiteral("顧客08")));
}

TEST_F(FullDisk, PrintingToTheProgramsFilesIsRefused)
{
    QFile postal(data_.postalFile());
    ASSERT_TRUE(postal.open(QIODevice::WriteOnly));
    postal.write("postal");
    postal.close();
    for (const QString& own : {data_.dataFile(), data_.path(QStringLiteral("ROV2WORK.MDB")),
                               data_.postalFile(), data_.path(QStringLiteral("Rov2.lock"))}) {
        const QByteArray before = read(own);
        ScriptedDialogs d;
        d.confirmPrint(own);
        EXPECT_EQ(r.PrintReport(true, data_.ownFiles()), PrintResult::Cancelled) << own.toStdString();
        ASSERT_EQ(d.messages().size(), 1);
        EXPECT_TRUE(d.messages().front().text.contains(QStringLiteral("保存できません")));
        EXPECT_EQ(read(own), before);
    }
}

// The preview window tells what went wrong and keeps the earlier file.
TEST_F(FullDisk, ThePreviewTellsAFailedSaveAndAFailedPrint)
{
    ScriptedDialogs d;
    report::ReportPreview* p = report::showPreview(r, data_.ownFiles());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(p));
    p->setFileSinks(failingSinks(shortBy(100)));
    d.chooseFile(target).answer(MsgAnswer::Yes);
    EXPECT_FALSE(p->savePdfAs());
    ASSERT_EQ(d.messages().size(), 2);
    EXPECT_TRUE(d.messages().at(1).text.contains(QStringLiteral("保存できませんでした")))
        << d.messages().at(1).text.toStdString();
    expectTheEarlierFileAlone();

    d.confirmPrint(target);
    EXPECT_EQ(p->printPages(), PrintResult::Failed);
    ASSERT_EQ(d.messages().size(), 3);
    EXPECT_EQ(d.messages().at(2).title, QStringLiteral("印刷エラー"));
    EXPECT_TRUE(d.messages().at(2).text.startsWith(QStringLiteral("顧客一覧 を印刷できませんでした。")));
    expectTheEarlierFileAlone();
    EXPECT_TRUE(d.allUsed());
    p->close();
}

} // namespace
} // namespace rov2::test
