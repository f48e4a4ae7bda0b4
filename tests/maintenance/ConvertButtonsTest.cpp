// The converter tab's 実行 and the reading back of a Windows data file,
// through the real screen with scripted dialogs.
#include "HosyuFixture.h"

#include "../convert/ConvertFixtures.h"
#include "BackupArchive.h"
#include "BackupJob.h"
#include "ComboBox.h"
#include "ConvertRov.h"
#include "JapaneseDate.h"
#include "TextBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>

namespace rov2::test {
namespace {

QString s(const char* text) { return QString::fromUtf8(text); }

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList textsOf(const ScriptedDialogs& dialogs)
{
    QStringList out;
    for (const MessageRequest& m : dialogs.messages())
        out << m.text;
    return out;
}

/// Writes down what the progress panel showed each time it was painted.
class PanelWatch : public QObject
{
public:
    explicit PanelWatch(QLabel* stage) : stage_(stage) { stage_->installEventFilter(this); }
    QStringList stages;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == stage_ && event->type() == QEvent::Paint && stage_->isVisible() &&
            (stages.isEmpty() || stages.last() != stage_->text()) && !stage_->text().isEmpty())
            stages << stage_->text();
        return false;
    }

private:
    QLabel* stage_;
};

class ConvertButtons : public HosyuFixture
{
protected:
    void SetUp() override
    {
        HosyuFixture::SetUp();
        ASSERT_TRUE(old.isValid());
        exec(d.dataFile(), s("INSERT INTO 顧客マスタ (名称, 生年月日) VALUES ('山田 太郎', '1960/01/02')"));
    }

    /// An old data file of the previous version (SQLite, as tests can write).
    QString writeOldFile()
    {
        const QString path = old.filePath(QStringLiteral("RovData.mdb"));
        writeSqliteFile(path, {{s("自社情報"), oldCompanyColumns(),
                                {{s("旧商店"), s("本店"), s("100-0001"), s("東京都"), s("03-1111-2222"), QVariant(),
                                  -1, s("関東"), -1}}},
                               {s("コードマスタ"), oldCodeColumns(), {{s("区分1"), s("01"), s("得意先")}}},
                               {s("顧客マスタ"), oldCustomerColumns(),
                                {{s("山田 太郎"), s("やまだ たろう"), QVariant(), s("新住所"), QVariant(), s("様"),
                                  s("03-9999-0000"), QVariant(), QVariant(), s("得意先"), QVariant()},
                                 {s("O'Brien"), s("おぶらいえん"), QVariant(), QVariant(), QVariant(), QVariant(),
                                  QVariant(), QVariant(), QVariant(), QVariant(), QVariant()}}}});
        return path;
    }

    void openConverter(const QString& app, const QString& path)
    {
        open();
        auto* tabs = ctl<QTabWidget>("SSTab");
        ASSERT_TRUE(tabs);
        tabs->setCurrentIndex(3); // the user is on the converter tab when 実行 is pressed
        ctl<ComboBox>("cmbアプリ名")->setText(app);
        ctl<TextBox>("txtSrcPath")->setText(path);
    }

    QTemporaryDir old;
};

// 実行 converts nothing unless the old program named is the one it knows,
// and nothing at the path is said so; the data file is left as it was.
TEST_F(ConvertButtons, NothingIsConvertedWithoutTheKnownProgramOrAnOldFile)
{
    const QString oldFile = writeOldFile();
    struct Case {
        const char* name;
        QString app;
        QString path;
        QStringList messages;
    } cases[] = {
        {"another program", s("その他のアプリ"), oldFile, {}},
        {"no file at the path", s("ROV顧客管理"), old.filePath(QStringLiteral("none/RovData.mdb")),
         {s("指定された場所にデータはありません。")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString before = dumpDataFile(d.dataFile());
        openConverter(c.app, c.path);
        QSignalSpy reloaded(frm.get(), &FrmHosyu::settingsSaved);
        const qsizetype asked = dialogs.messages().size();
        click("Command16");
        EXPECT_EQ(textsOf(dialogs).mid(asked), c.messages);
        EXPECT_EQ(dumpDataFile(d.dataFile()), before);
        EXPECT_EQ(reloaded.count(), 0);
        EXPECT_TRUE(ctl<QFrame>("Cnコンバート")->isHidden());
    }
}

TEST_F(ConvertButtons, ConversionShowsItsStagesAndBringsTheOldDataAndSettingsOver)
{
    openConverter(s("ROV顧客管理"), writeOldFile());
    auto* stage = ctl<QLabel>("Lblコンバート");
    ASSERT_TRUE(stage);
    ASSERT_FALSE(ctl<QCheckBox>("chkYubinEria")->isChecked());
    PanelWatch watch(stage);
    QSignalSpy reloaded(frm.get(), &FrmHosyu::settingsSaved);

    click("Command16");

    EXPECT_EQ(watch.stages.join(u'|').toStdString(), convertStageTexts().join(u'|').toStdString())
        << "each stage is painted while it runs";
    EXPECT_EQ(textsOf(dialogs), QStringList{s("コンバートが終了しました\n読込 4件　追加 1件　除外 0件")});
    EXPECT_TRUE(ctl<QFrame>("Cnコンバート")->isHidden()) << "the panel is put away before the final message";
    const auto customers = rows(d.dataFile(), s("顧客マスタ"));
    ASSERT_EQ(customers.size(), 2);
    EXPECT_EQ(customers.at(0).value(s("住所1")).toString(), s("新住所"));
    EXPECT_EQ(customers.at(0).value(s("TEL1")).toString(), s("03-9999-0000"));
    EXPECT_EQ(customers.at(0).value(s("生年月日")).toString(), s("1960/01/02")) << "fields outside the mapping kept";
    EXPECT_EQ(customers.at(1).value(s("名称")).toString(), s("O'Brien"));
    EXPECT_EQ(count(d.dataFile(), s("SELECT COUNT(*) AS num FROM コードマスタ WHERE kcode = '区分1' AND code = '01' "
                                    "AND sname = '得意先'")),
              1);
    // The old shop's settings are on the screen and in force at once.
    EXPECT_EQ(ctl<TextBox>("txtYubinEriaName")->text(), s("関東"));
    EXPECT_TRUE(ctl<QCheckBox>("chkYubinEria")->isChecked());
    EXPECT_EQ(reloaded.count(), 1);
    EXPECT_EQ(env().dataFileVersion, 1) << "the other screens read the converted data when they come forward";
}

/// Reading a file back from a folder or a backup when it is not a data file
/// of this program as it stands: a Windows (Jet) file or anything else.
class WindowsFileRead : public HosyuFixture
{
protected:
    void SetUp() override
    {
        HosyuFixture::SetUp();
        Clock::setToday(QDate(2026, 12, 8));
        ASSERT_TRUE(drive.isValid());
        exec(d.dataFile(), s("INSERT INTO 顧客マスタ (名称) VALUES ('今の客')"));
        before = bytesOf(d.dataFile());
        ASSERT_FALSE(before.isEmpty());
    }
    void TearDown() override
    {
        Clock::setToday(QDate());
        HosyuFixture::TearDown();
    }

    /// The data file is byte-identical and no copy of it was kept.
    void expectUnchanged()
    {
        EXPECT_EQ(bytesOf(d.dataFile()), before);
        EXPECT_FALSE(QFileInfo::exists(QDir(d.folder()).filePath(QStringLiteral("Rov2Data_20261208.mdb"))));
        EXPECT_EQ(QDir(d.folder()).entryList({QStringLiteral(".rov2-*")}, QDir::AllEntries | QDir::Hidden),
                  QStringList{})
            << "nothing of the attempt is left beside the data file";
    }

    /// A one-disk backup on the drive folder holding @p file as its data file member.
    void backUp(const QString& file)
    {
        const QString folder = drive.path() + u'/';
        ASSERT_TRUE(QFile::copy(file, folder + QStringLiteral("Rov2data.mdb")));
        BackupJob job;
        job.dataFile = d.dataFile();
        job.dialogs = &dialogs;
        ASSERT_TRUE(CreateLzhFile(job, folder, QStringLiteral("Rov2data.mdb"), QStringLiteral("rov2data.lzh")));
        ASSERT_TRUE(QFile::remove(folder + QStringLiteral("Rov2data.mdb")));
        QFile control(folder + QStringLiteral("Rov2ctl"));
        ASSERT_TRUE(control.open(QIODevice::WriteOnly));
        ASSERT_EQ(control.write("Rov2FddNum = 1"), 14);
    }

    QTemporaryDir drive;
    QByteArray before;
};

// A Windows file without this program's customer table would replace the
// shop's data with an empty file: it is refused, from a folder and from a
// backup alike, with either Jet version.
TEST_F(WindowsFileRead, AJetFileWithoutOurTablesIsRefused)
{
    for (const char* fixture : {"nwind.mdb", "DateTestDatabase.mdb"}) {
        SCOPED_TRACE(fixture);
        open();
        QSignalSpy reloaded(frm.get(), &FrmHosyu::settingsSaved);
        const qsizetype asked = dialogs.messages().size();
        dialogs.chooseFile(jetFixture(QString::fromUtf8(fixture)))
            .answer(MsgAnswer::Yes)  // replace the data file in use
            .answer(MsgAnswer::Yes); // take the Windows data over
        click("Command11");
        const QStringList texts = textsOf(dialogs).mid(asked);
        ASSERT_EQ(texts.size(), 3) << texts.join(u'\n').toStdString();
        EXPECT_EQ(texts.at(1), s("Windows版のデータファイルです。データを取り込みますか"));
        EXPECT_TRUE(texts.at(2).contains(s("このファイルには VAVⅡaruv のデータがありません。")))
            << texts.at(2).toStdString();
        EXPECT_TRUE(dialogs.allUsed());
        EXPECT_EQ(reloaded.count(), 0);
        expectUnchanged();
    }
}

TEST_F(WindowsFileRead, AJetFileAnsweredNoChangesNothing)
{
    open();
    QSignalSpy reloaded(frm.get(), &FrmHosyu::settingsSaved);
    dialogs.chooseFile(jetFixture(QStringLiteral("nwind.mdb"))).answer(MsgAnswer::Yes).answer(MsgAnswer::No);
    click("Command11");
    EXPECT_EQ(textsOf(dialogs).size(), 2) << "no message after No";
    EXPECT_EQ(reloaded.count(), 0);
    expectUnchanged();
}

TEST_F(WindowsFileRead, AFileThatIsNeitherJetNorSqliteIsRefused)
{
    const QString text = drive.filePath(QStringLiteral("memo.mdb"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_GT(f.write(QByteArray(4096, 'x')), 0);
    f.close();
    open();
    dialogs.chooseFile(text).answer(MsgAnswer::Yes);
    click("Command11");
    const QStringList texts = textsOf(dialogs);
    ASSERT_EQ(texts.size(), 2) << texts.join(u'\n').toStdString() << " (never offered for import)";
    EXPECT_TRUE(texts.at(1).contains(s("このファイルは VAVⅡaruv のデータファイルではありません。")))
        << texts.at(1).toStdString();
    expectUnchanged();
}

TEST_F(WindowsFileRead, AJetFileRestoredFromABackupIsOfferedAndRefusedOrDeclined)
{
    backUp(jetFixture(QStringLiteral("nwind.mdb")));
    struct Case {
        const char* name;
        MsgAnswer answer;
        QString last;
    } cases[] = {
        {"Yes: none of our tables", MsgAnswer::Yes, s("このファイルには VAVⅡaruv のデータがありません。")},
        {"No", MsgAnswer::No, s("読込を中止しました。現在のデータはそのままです。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        ctl<ComboBox>("cmbFDD")->setText(drive.path());
        const qsizetype asked = dialogs.messages().size();
        // Disk 1, the disk count, disk 1 of 1, the archiver's report, then the import question.
        for (int i = 0; i < 4; ++i)
            dialogs.answer(MsgAnswer::Ok);
        dialogs.answer(c.answer);
        click("Command8");
        const QStringList texts = textsOf(dialogs).mid(asked);
        ASSERT_GE(texts.size(), 2) << texts.join(u'\n').toStdString();
        EXPECT_TRUE(texts.contains(s("Windows版のデータファイルです。データを取り込みますか")))
            << texts.join(u'\n').toStdString();
        EXPECT_TRUE(texts.last().contains(c.last)) << texts.last().toStdString();
        EXPECT_TRUE(dialogs.allUsed());
        expectUnchanged();
    }
}

} // namespace
} // namespace rov2::test
