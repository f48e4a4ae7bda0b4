// A file written whole or not at all: a disk that fills up (or fails on the
// last flush) leaves the earlier file as it was, and the writer is told.
#include "WholeFile.h"

#include "FailingSink.h"
#include "FileSizeLimit.h"
#include "QtPrinters.h"
#include "SaveFileSink.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

using test::DiskFailure;
using test::failingSinks;
using test::FileSizeLimit;
using test::kAboveBuffer;
using test::kBelowBuffer;

QByteArray bytesOf(qint64 size)
{
    QByteArray b(size, 'a');
    for (qint64 i = 0; i < size; ++i)
        b[i] = static_cast<char>('a' + i % 26);
    return b;
}

QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

class WholeFileTest : public ::testing::TestWithParam<qint64>
{
protected:
    void SetUp() override
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the previous export");
    }
    /// Nothing but the target in the folder: no temporary file left behind.
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("顧客.csv"));
};

TEST_P(WholeFileTest, AFullDiskLeavesThePreviousFile)
{
    const qint64 size = GetParam();
    EXPECT_FALSE(writeFileWhole(target, bytesOf(size), failingSinks(DiskFailure{size / 2})));
    EXPECT_EQ(read(target), QByteArray("the previous export"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("顧客.csv")});
}

TEST_P(WholeFileTest, AFailingLastFlushLeavesThePreviousFile)
{
    DiskFailure failure;
    failure.onFlush = true;
    EXPECT_FALSE(writeFileWhole(target, bytesOf(GetParam()), failingSinks(failure)));
    EXPECT_EQ(read(target), QByteArray("the previous export"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("顧客.csv")});
}

TEST_P(WholeFileTest, ARealDiskLimitLeavesThePreviousFile)
{
    // The real QSaveFile, with the system refusing every byte past 1 KB.
    const QByteArray bytes = bytesOf(GetParam());
    bool written = true;
    {
        FileSizeLimit limit(1024);
        written = writeFileWhole(target, bytes);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(read(target), QByteArray("the previous export"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("顧客.csv")});
    // And with room enough the same bytes land whole.
    EXPECT_TRUE(writeFileWhole(target, bytes));
    EXPECT_EQ(read(target), bytes);
    EXPECT_EQ(files(), QStringList{QStringLiteral("顧客.csv")});
}

/// Writes @p bytes in pieces of 1 KB, not looking at the results, as QPdfWriter does.
void writeInPieces(QIODevice& device, const QByteArray& bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += 1024)
        device.write(bytes.mid(at, 1024));
}

TEST_P(WholeFileTest, TheStandInFailsAsQSaveFileDoes)
{
    // What the writers are guarded against, in Qt 6.4: QSaveFile::commit()
    // puts a short file in place of the previous one when the bytes waited in
    // its buffer; a larger file it refuses by itself. The stand-in the tests
    // plug in does the same.
    const qint64 size = GetParam();
    const bool buffered = size < test::FailingSink::kBuffer;
    const auto outcome = [&](bool committed) {
        EXPECT_EQ(committed, buffered);
        EXPECT_EQ(read(target), buffered ? bytesOf(size / 2) : QByteArray("the previous export"));
    };
    {
        QSaveFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        bool committed = false;
        {
            FileSizeLimit limit(size / 2);
            writeInPieces(file, bytesOf(size));
            committed = file.commit();
        }
        outcome(committed);
    }
    SetUp();
    test::FailingSink sink(target, DiskFailure{size / 2});
    ASSERT_TRUE(sink.open());
    writeInPieces(sink.device(), bytesOf(size));
    outcome(sink.commit());
}

TEST_P(WholeFileTest, APartWrittenInOneLargeWriteIsAFailureToo)
{
    // One write larger than the buffer that the disk takes only part of: the
    // write answers fewer bytes and no error; a writer that does not look
    // (QPdfWriter) must still fail.
    const qint64 size = GetParam() * 4;
    bool finished = true;
    {
        const std::unique_ptr<FileSink> sink = std::make_unique<SaveFileSink>(target);
        ASSERT_TRUE(sink->open());
        FileSizeLimit limit(size / 2);
        sink->device().write(bytesOf(size));
        finished = finishWhole(*sink);
    }
    EXPECT_FALSE(finished);
    EXPECT_EQ(read(target), QByteArray("the previous export"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, WholeFileTest, ::testing::Values(kBelowBuffer, kAboveBuffer),
                         [](const auto& p) { return p.param < 16384 ? "BelowTheBuffer" : "AboveTheBuffer"; });

TEST(WholeFiles, FilesThatBelongTogetherAreReplacedTogetherOrNotAtAll)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.csv"));
    const QString b = dir.filePath(QStringLiteral("b.csv"));
    for (const QString& p : {a, b}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    const std::unique_ptr<FileSink> first = std::make_unique<SaveFileSink>(a);
    DiskFailure failure;
    failure.onFlush = true;
    test::FailingSink second(b, failure);
    ASSERT_TRUE(first->open() && second.open());
    ASSERT_TRUE(writeAll(*first, "new a"));
    ASSERT_TRUE(writeAll(second, "new b"));
    EXPECT_FALSE(finishAllWhole({first.get(), &second}));
    EXPECT_EQ(read(a), QByteArray("old"));
    EXPECT_EQ(read(b), QByteArray("old"));
}

TEST(WholeFiles, AFolderThatIsMissingIsAFailure)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeFileWhole(dir.filePath(QStringLiteral("none/x.csv")), "x"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none/x.csv"))));
}

} // namespace
} // namespace rov2
