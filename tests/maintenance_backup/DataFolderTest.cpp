// What backups and restores leave beside the data file: the dated copies a
// restore keeps, and the staging folders of runs that were killed.
#include "BackupFixture.h"

#include "JapaneseDate.h"
#include "RestoreDataFile.h"
#include "StagingFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace rov2::test {
namespace {

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

class KeptCopies : public ::testing::Test
{
protected:
    void TearDown() override { Clock::setToday(QDate()); }

    // A restore of the day: a new data file takes the place of the current one.
    void restoreOn(const QDate& day)
    {
        Clock::setToday(day);
        const QString restored = data.path(QStringLiteral("restored.mdb"));
        ASSERT_TRUE(QFile::copy(data.dataFile(), restored));
        QString kept;
        ASSERT_TRUE(replaceDataFile(restored, data.dataFile(), &kept).isEmpty());
        ASSERT_TRUE(QFileInfo::exists(kept));
    }

    TempData data;
};

TEST_F(KeptCopies, OnlyTheNewestFiveOfTheirNamesStay)
{
    const QStringList older{
        QStringLiteral("Rov2Data_20250101.mdb"),   QStringLiteral("Rov2Data_20250101.mdb-journal"),
        QStringLiteral("ROV2DATA_20251231.MDB"),   QStringLiteral("Rov2Data_20261207.mdb"),
        QStringLiteral("Rov2Data_20261207_2.mdb"), QStringLiteral("Rov2Data_20261207_10.mdb"),
        QStringLiteral("Rov2Data_20261208.mdb")};
    const QStringList others{
        QStringLiteral("Rov2Data_2026120.mdb"),      QStringLiteral("Rov2Data_20261301.mdb"),
        QStringLiteral("Rov2Data_20200101.mdb.bak"), QStringLiteral("Rov2Data_20200101_x.mdb"),
        QStringLiteral("Other_20200101.mdb"),        QStringLiteral("Rov2Work_20200101.mdb")};
    for (const QString& name : older + others)
        writeAll(data.path(name), "kept");

    const QStringList base = others + QStringList{QStringLiteral("Rov2Data.mdb"), QStringLiteral("Rov2Work.mdb")};
    QStringList newest{QStringLiteral("Rov2Data_20261208_2.mdb"), QStringLiteral("Rov2Data_20261208.mdb"),
                       QStringLiteral("Rov2Data_20261207_10.mdb"), QStringLiteral("Rov2Data_20261207_2.mdb"),
                       QStringLiteral("Rov2Data_20261207.mdb")};
    restoreOn(QDate(2026, 12, 8));
    EXPECT_EQ(sorted(listing(data.folder())), sorted(base + newest));

    // A clock set back names the new copy as the oldest: it stays all the same.
    restoreOn(QDate(2020, 1, 1));
    newest.removeLast();
    EXPECT_EQ(sorted(listing(data.folder())), sorted(base + newest << QStringLiteral("Rov2Data_20200101.mdb")));
}

TEST(StaleStaging, WhatKilledRunsLeftGoesAndNothingElse)
{
    TempData data;
    StagingFolder live(data.folder(), QStringLiteral("backup"));
    ASSERT_TRUE(live.isValid());
    writeAll(live.filePath(QStringLiteral("Rov2data.mdb")), "a run going on now");

    // A restore whose lock another process holds until it is killed (-9).
    const QString killed = data.path(QStringLiteral(".rov2-restore-Ab12Cd"));
    ASSERT_TRUE(QDir().mkpath(killed));
    ASSERT_TRUE(QFile::copy(data.dataFile(), killed + QStringLiteral("/Rov2data.mdb")));
    QProcess holder;
    holder.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("exec 9>>\"$1\" && flock -n 9 && echo held && exec sleep 60"),
                  QStringLiteral("sh"), killed + QStringLiteral("/.lock")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    // A read killed before it had a lock at all.
    const QString early = data.path(QStringLiteral(".rov2-read-x9Y8z7"));
    ASSERT_TRUE(QDir().mkpath(early + QStringLiteral("/sub")));
    writeAll(early + QStringLiteral("/sub/Rov2data.mdb"), "a copy");
    // Not ours, or not a folder, or a link whose target is not ours to remove.
    QTemporaryDir elsewhere;
    writeAll(elsewhere.filePath(QStringLiteral("owner.txt")), "the owner's");
    ASSERT_TRUE(QFile::link(elsewhere.path(), data.path(QStringLiteral(".rov2-copy-Zz9Zz9"))));
    for (const char* name : {"rov2-backup-abcdef", ".rov2-backup-abc", ".rov2-notes-abcdef"})
        ASSERT_TRUE(QDir().mkpath(data.path(QString::fromLatin1(name))));
    writeAll(data.path(QStringLiteral(".rov2-copy-abcdef")), "a file");
    QStringList expected = listing(data.folder());
    expected.removeAll(QStringLiteral(".rov2-restore-Ab12Cd"));
    expected.removeAll(QStringLiteral(".rov2-read-x9Y8z7"));

    EXPECT_EQ(removeStaleStaging(data.folder()), 1) << "only the one no process holds";
    EXPECT_TRUE(QFileInfo::exists(killed));
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(removeStaleStaging(data.folder()), 1);
    EXPECT_EQ(listing(data.folder()), expected);
    EXPECT_TRUE(QFileInfo::exists(live.filePath(QStringLiteral("Rov2data.mdb"))));
    EXPECT_TRUE(QFileInfo::exists(elsewhere.filePath(QStringLiteral("owner.txt"))));
}

} // namespace
} // namespace rov2::test
