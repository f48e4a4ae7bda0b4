#include "FileDialogs.h"
#include "TestNames.h"

#include "QtPrinters.h"
#include "ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

using test::ScriptedDialogs;

struct FilterRow
{
    QString filter;
    QStringList nameFilters;
};

void PrintTo(const FilterRow& r, std::ostream* os)
{
    PrintTo(r.filter, os);
}

class FilterTest : public ::testing::TestWithParam<FilterRow>
{
};

TEST_P(FilterTest, BecomesQtNameFilters)
{
    EXPECT_EQ(nameFiltersFromFilter(GetParam().filter), GetParam().nameFilters);
}

INSTANTIATE_TEST_SUITE_P(
    FileDialogs, FilterTest,
    ::testing::Values(
        FilterRow{QStringLiteral("MDB ファイル(*.mdb)|yubin.mdb|"),
                  {QStringLiteral("MDB ファイル(*.mdb) (yubin.mdb)")}},
        FilterRow{QStringLiteral("MDB ファイル(*.mdb)|*.mdb|すべて(*.*)|*.*|"),
                  {QStringLiteral("MDB ファイル(*.mdb) (*.mdb)"), QStringLiteral("すべて(*.*) (*.*)")}},
        FilterRow{QStringLiteral("表|*.csv;*.txt|"), {QStringLiteral("表 (*.csv *.txt)")}},
        FilterRow{QStringLiteral("A|*.a"), {QStringLiteral("A (*.a)")}},
        FilterRow{QStringLiteral("A||B|*.b|"), {QStringLiteral("A (*)"), QStringLiteral("B (*.b)")}},
        FilterRow{QStringLiteral("A|*.a|B|"), {QStringLiteral("A (*.a)")}}, FilterRow{QString(), {}}), ::rov2::test::PrintedName());

struct FolderRow
{
    QString initial;
    QString expected; ///< "~" is the home folder
};

void PrintTo(const FolderRow& r, std::ostream* os)
{
    PrintTo(r.initial, os);
}

class StartFolderTest : public ::testing::TestWithParam<FolderRow>
{
};

TEST_P(StartFolderTest, DriveLettersMeanHome)
{
    const QString expected =
        GetParam().expected == QLatin1String("~") ? QDir::homePath() : GetParam().expected;
    EXPECT_EQ(dialogStartFolder(GetParam().initial), expected);
}

INSTANTIATE_TEST_SUITE_P(FileDialogs, StartFolderTest,
                         ::testing::Values(FolderRow{QStringLiteral("c:\\"), QStringLiteral("~")},
                                           FolderRow{QStringLiteral("D:\\backup\\rov2"), QStringLiteral("~")},
                                           FolderRow{QStringLiteral("A:"), QStringLiteral("~")},
                                           FolderRow{QStringLiteral("/srv/rov2"),
                                                     QStringLiteral("/srv/rov2")},
                                           FolderRow{QStringLiteral("data\\sub"), QStringLiteral("data/sub")},
                                           FolderRow{QString(), QString()}), ::rov2::test::PrintedName());

FileDialogRequest dictionaryRequest()
{
    FileDialogRequest r;
    r.filter = QStringLiteral("MDB ファイル(*.mdb)|yubin.mdb|すべて(*.*)|*.*|");
    r.filterIndex = 1;
    r.dialogTitle = QStringLiteral("郵便番号辞書を指定する");
    r.defaultFileName = QStringLiteral("Rov2Data.mdb");
    r.filePath = QStringLiteral("left over");
    r.fileTitle = QStringLiteral("left over");
    r.initialFolder = QStringLiteral("c:\\");
    return r;
}

TEST(FileDialogs, OpenCancelledAnswersZeroAndAnEmptyPath)
{
    ScriptedDialogs d;
    d.cancelFile();
    FileDialogRequest r = dictionaryRequest();
    EXPECT_EQ(ShowOpenFileDialog(nullptr, r), 0);
    EXPECT_EQ(r.filePath, QString());
    EXPECT_EQ(r.fileTitle, QString());
    ASSERT_EQ(d.fileRequests().size(), 1);
    const auto& shown = d.fileRequests().front();
    EXPECT_FALSE(shown.save);
    EXPECT_EQ(shown.title, QStringLiteral("郵便番号辞書を指定する"));
    EXPECT_EQ(shown.folderOrProposedPath, QDir::homePath());
    EXPECT_EQ(shown.nameFilters.size(), 2);
    EXPECT_EQ(shown.selectedFilter, 0);
}

TEST(FileDialogs, OpenChosenAnswersOneAndThePath)
{
    ScriptedDialogs d;
    d.chooseFile(QStringLiteral("/srv/rov2/yubin.mdb"));
    FileDialogRequest r = dictionaryRequest();
    r.filterIndex = 2;
    EXPECT_EQ(ShowOpenFileDialog(nullptr, r), 1);
    EXPECT_EQ(r.filePath, QStringLiteral("/srv/rov2/yubin.mdb"));
    EXPECT_EQ(r.fileTitle, QString());
    EXPECT_EQ(d.fileRequests().front().selectedFilter, 1);
}

TEST(FileDialogs, SaveCancelledAnswersZeroWithTheProposedName)
{
    ScriptedDialogs d;
    d.cancelFile();
    FileDialogRequest r = dictionaryRequest();
    EXPECT_EQ(ShowSaveFileDialog(nullptr, r), 0);
    EXPECT_EQ(r.filePath, QStringLiteral("Rov2Data.mdb"));
    ASSERT_EQ(d.fileRequests().size(), 1);
    EXPECT_TRUE(d.fileRequests().front().save);
    EXPECT_EQ(d.fileRequests().front().folderOrProposedPath, QDir(QDir::homePath()).filePath("Rov2Data.mdb"));
}

TEST(FileDialogs, SaveChosenAnswersOneAndThePath)
{
    ScriptedDialogs d;
    d.chooseFile(QStringLiteral("/srv/backup/Rov2Data.mdb"));
    FileDialogRequest r = dictionaryRequest();
    r.initialFolder = QStringLiteral("/srv/backup");
    EXPECT_EQ(ShowSaveFileDialog(nullptr, r), 1);
    EXPECT_EQ(r.filePath, QStringLiteral("/srv/backup/Rov2Data.mdb"));
    EXPECT_EQ(d.fileRequests().front().folderOrProposedPath, QStringLiteral("/srv/backup/Rov2Data.mdb"));
}

TEST(FileDialogs, AFilterIndexOutOfRangeSelectsTheFirst)
{
    for (const qint32 index : {0, 3, -1}) {
        ScriptedDialogs d;
        FileDialogRequest r = dictionaryRequest();
        r.filterIndex = index;
        ShowOpenFileDialog(nullptr, r);
        ASSERT_EQ(d.fileRequests().size(), 1);
        EXPECT_EQ(d.fileRequests().front().selectedFilter, 0) << index;
    }
}

struct BrowseRow
{
    std::optional<QString> chosen;
    QVariant expected;
};

void PrintTo(const BrowseRow& r, std::ostream* os)
{
    PrintTo(r.chosen.value_or(QStringLiteral("(cancel)")), os);
}

class BrowseFolderTest : public ::testing::TestWithParam<BrowseRow>
{
};

TEST_P(BrowseFolderTest, AnswersThePathOrNull)
{
    ScriptedDialogs d;
    GetParam().chosen ? d.chooseFolder(*GetParam().chosen) : d.cancelFolder();
    const QVariant result = BrowseFolder();
    EXPECT_EQ(result.isValid(), GetParam().expected.isValid());
    EXPECT_EQ(result, GetParam().expected);
    EXPECT_EQ(d.folderPrompts(), QStringList{QStringLiteral("フォルダを指定して下さい。")});
}

INSTANTIATE_TEST_SUITE_P(
    FileDialogs, BrowseFolderTest,
    ::testing::Values(BrowseRow{std::nullopt, QVariant()}, BrowseRow{QString(), QVariant()},
                      BrowseRow{QStringLiteral("/srv/backup/"), QStringLiteral("/srv/backup")},
                      BrowseRow{QStringLiteral("/srv/backup"), QStringLiteral("/srv/backup")},
                      BrowseRow{QStringLiteral("/"), QStringLiteral("/")}), ::rov2::test::PrintedName());

class FileLengthTest : public ::testing::Test
{
protected:
    QString file(const char* name, qint64 size)
    {
        QFile f(dir_.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        EXPECT_TRUE(f.resize(size));
        return f.fileName();
    }
    QTemporaryDir dir_;
};

TEST_F(FileLengthTest, SizesOfFilesAndOfWhatIsNoFile)
{
    EXPECT_EQ(GetFileLength(file("empty.mdb", 0)), 0);
    EXPECT_EQ(GetFileLength(file("small.mdb", 1234)), 1234);
    EXPECT_EQ(GetFileLength(dir_.filePath(QStringLiteral("missing.mdb"))), -1);
    EXPECT_EQ(GetFileLength(dir_.path()), -1);
    EXPECT_EQ(GetFileLength(QString()), -1);
}

TEST_F(FileLengthTest, SizesBeyondFourGigabytesAreWhole)
{
    const qint64 size = (qint64(5) << 30) + 7; // sparse: takes no room on disk
    QFile f(dir_.filePath(QStringLiteral("big.lzh")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    if (!f.resize(size))
        GTEST_SKIP() << "the temporary folder cannot hold a 5 GB sparse file";
    f.close();
    EXPECT_EQ(GetFileLength(f.fileName()), size);
}

} // namespace
} // namespace rov2
