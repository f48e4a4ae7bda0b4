// The rules of the disk layout and the drive list, as tables.
#include "BackupJob.h"
#include "BackupMedia.h"
#include "Drives.h"
#include "RestoreFloppy.h"

#include "BackupFixture.h"
#include "TestNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace rov2::test {
namespace {

struct SplitRow
{
    qint64 size;
    std::vector<qint64> parts; // bytes of each disk's file
};

class Split : public ::testing::TestWithParam<SplitRow>
{};

TEST_P(Split, DisksAndPartSizes)
{
    const SplitRow& row = GetParam();
    const int n = backup::diskCount(row.size);
    ASSERT_EQ(n, static_cast<int>(row.parts.size()));
    qint64 next = 0;
    for (int k = 1; k <= n; ++k) {
        const backup::Range r = backup::partRange(row.size, k, n);
        EXPECT_EQ(r.offset, next) << "part " << k;
        EXPECT_EQ(r.length, row.parts[static_cast<std::size_t>(k - 1)]) << "part " << k;
        next = r.offset + r.length;
    }
    EXPECT_EQ(next, row.size);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, Split,
    ::testing::Values(SplitRow{1, {1}}, SplitRow{1'440'000, {1'440'000}},
                      // One byte over: two disks, the second holding nothing.
                      SplitRow{1'440'001, {1'440'001, 0}}, SplitRow{2'000'000, {1'440'001, 559'999}},
                      SplitRow{2'880'000, {1'440'001, 1'439'999}},
                      // Rounded up by 1,440,000 while parts take 1,440,001: the last is empty.
                      SplitRow{2'880'001, {1'440'001, 1'440'000, 0}},
                      SplitRow{4'320'000, {1'440'001, 1'440'001, 1'439'998}}),
    FieldName<&SplitRow::size>());

TEST(PartName, ThreeDigits)
{
    EXPECT_EQ(backup::partName(1), QStringLiteral("rov2_d001"));
    EXPECT_EQ(backup::partName(12), QStringLiteral("rov2_d012"));
    EXPECT_EQ(backup::partName(345), QStringLiteral("rov2_d345"));
}

struct CountRow
{
    const char* text;
    int count;
};

class ControlFile : public ::testing::TestWithParam<CountRow>
{};

TEST_P(ControlFile, DiskCount)
{
    EXPECT_EQ(controlFileCount(QByteArray(GetParam().text)), GetParam().count) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ControlFile,
                         ::testing::Values(CountRow{"Rov2FddNum = 3", 3}, CountRow{"Rov2FddNum = 12", 12},
                                           CountRow{"Rov2FddNum =  2 ", 2}, CountRow{"Rov2FddNum = 1\r\n", 1},
                                           CountRow{"Rov2FddNum = 1 2", 12}, CountRow{"Rov2FddNum = 4x", 4},
                                           CountRow{"Rov2FddNum = 0", 0}, CountRow{"Rov2FddNum = ", 0},
                                           CountRow{"Rov2FddNum = -1", 0}, CountRow{"Rov2FddNum = 1000", 0},
                                           CountRow{"hello", 0}, CountRow{"", 0}),
                         FieldName<&CountRow::text>());

TEST(OwnBackupFiles, OnlyTheProgramsNamesInAnyCase)
{
    for (const char* name : {"Rov2ctl", "ROV2CTL", "rov2data.lzh", "ROV2DATA.LZH", "rov2_d001", "ROV2_D123"})
        EXPECT_TRUE(backup::isOwnBackupFile(QString::fromLatin1(name))) << name;
    for (const char* name : {"rov2ctl.txt", "rov2data.lzh.bak", "rov2_d1", "rov2_d0001", "Rov2data.mdb", "memo.txt",
                             "rov2_dabc"})
        EXPECT_FALSE(backup::isOwnBackupFile(QString::fromLatin1(name))) << name;
}

class MountList : public ::testing::Test
{
protected:
    void disk(const QString& name, const char* removable, const QString& linkTarget = {})
    {
        const QString folder = linkTarget.isEmpty() ? sys.filePath(name) : devices.filePath(linkTarget);
        ASSERT_TRUE(QDir().mkpath(folder));
        writeAll(folder + QStringLiteral("/removable"), removable);
        if (!linkTarget.isEmpty()) {
            ASSERT_TRUE(QFile::link(folder, sys.filePath(name)));
        }
    }
    QTemporaryDir sys;
    QTemporaryDir devices;
};

TEST_F(MountList, RemovableMediaMountedNow)
{
    disk(QStringLiteral("sda"), "0");
    disk(QStringLiteral("sdb"), "1");
    disk(QStringLiteral("fd0"), "1");
    disk(QStringLiteral("mmcblk0"), "0");
    disk(QStringLiteral("sdc"), "0", QStringLiteral("pci0000:00/usb1/1-1/sdc"));
    const QString mounts = QStringLiteral(
        "/dev/sda2 / ext4 rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "/dev/sdb1 /media/shop/USB\\040STICK vfat rw 0 0\n"
        "/dev/fd0 /mnt/floppy vfat rw 0 0\n"
        "/dev/mmcblk0p1 /media/shop/SDカード exfat rw 0 0\n"
        "/dev/sdc /media/shop/CARD vfat rw 0 0\n"
        "/dev/sdb1 /media/shop/USB\\040STICK vfat rw 0 0\n"
        "/dev/sda1 /boot/efi vfat rw 0 0\n");
    EXPECT_EQ(removableMountPoints(mounts, sys.path()),
              (QStringList{QStringLiteral("/media/shop/USB STICK"), QStringLiteral("/mnt/floppy"),
                           QStringLiteral("/media/shop/SDカード"), QStringLiteral("/media/shop/CARD")}));
}

TEST(Drive, GoodDriveAndWriteTest)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("stick"));
    MediaWriter plain;
    EXPECT_FALSE(GoodDrive(folder));
    EXPECT_FALSE(WriteTest(folder, plain));
    EXPECT_FALSE(GoodDrive(QString()));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(GoodDrive(folder));
    EXPECT_TRUE(GoodDrive(folder + u'/'));
    EXPECT_TRUE(WriteTest(folder, plain));
    EXPECT_TRUE(listing(folder).isEmpty()) << "the probe must be removed";

    ProtectedWriter locked;
    locked.protectedFolders.insert(QFileInfo(folder).canonicalFilePath());
    EXPECT_FALSE(WriteTest(folder, locked));
    FailingWriter full(3);
    EXPECT_FALSE(WriteTest(folder, full));
    FailingWriter lying(3, {}, Fault::Dropped);
    EXPECT_FALSE(WriteTest(folder, lying));
    EXPECT_TRUE(listing(folder).isEmpty());
}

TEST(FindFile, IgnoresLetterCase)
{
    QTemporaryDir dir;
    writeAll(dir.filePath(QStringLiteral("ROV2CTL")), "Rov2FddNum = 1");
    EXPECT_EQ(findFileNoCase(dir.path(), QStringLiteral("rov2ctl")), dir.filePath(QStringLiteral("ROV2CTL")));
    EXPECT_TRUE(findFileNoCase(dir.path(), QStringLiteral("rov2data.lzh")).isEmpty());
}

} // namespace
} // namespace rov2::test
