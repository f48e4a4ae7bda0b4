// The データ保守 tab's buttons start the copy and the read through the real
// screen, and a file read back brings its own settings onto the screen.
#include "HosyuFixture.h"

#include "ComboBox.h"
#include "JapaneseDate.h"
#include "LabelProgress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace rov2::test {
namespace {

class BackupButtons : public HosyuFixture
{
protected:
    void SetUp() override
    {
        HosyuFixture::SetUp();
        Clock::setToday(QDate(2026, 12, 8));
        ASSERT_TRUE(target.isValid());
    }
    void TearDown() override
    {
        Clock::setToday(QDate());
        HosyuFixture::TearDown();
    }
    QString copyPath() const { return target.filePath(QStringLiteral("Rov2data.mdb")); }

    QTemporaryDir target;
};

TEST_F(BackupButtons, CopyToFolderWritesTheDataFileInUse)
{
    exec(d.dataFile(), QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES (?)"), {QStringLiteral("山田太郎")});
    open();
    dialogs.chooseFile(copyPath());
    click("Command9");
    ASSERT_TRUE(QFileInfo::exists(copyPath()));
    EXPECT_EQ(count(copyPath(), QStringLiteral("SELECT COUNT(*) AS num FROM 顧客マスタ WHERE 名称 = '山田太郎'")), 1);
    ASSERT_FALSE(dialogs.messages().isEmpty());
    EXPECT_EQ(dialogs.messages().last().title, QStringLiteral("コピー完了"));
}

TEST_F(BackupButtons, AFileReadBackReplacesTheDataAndItsSettingsAreShown)
{
    open();
    ASSERT_EQ(ctl<ComboBox>("cmb年号")->text(), QStringLiteral("西暦"));
    ASSERT_TRUE(QFile::copy(d.dataFile(), copyPath()));
    exec(copyPath(), QStringLiteral("UPDATE 自社情報 SET 年号 = '和暦'"));
    exec(copyPath(), QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES (?)"), {QStringLiteral("読み込む人")});

    QSignalSpy saved(frm.get(), &FrmHosyu::settingsSaved);
    dialogs.chooseFile(copyPath()).answer(MsgAnswer::Yes);
    click("Command11");

    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT COUNT(*) AS num FROM 顧客マスタ WHERE 名称 = '読み込む人'")), 1);
    EXPECT_TRUE(QFileInfo::exists(QDir(d.folder()).filePath(QStringLiteral("Rov2Data_20261208.mdb"))))
        << "the replaced file is kept";
    EXPECT_EQ(ctl<ComboBox>("cmb年号")->text(), QStringLiteral("和暦"));
    EXPECT_EQ(env().settings.年号.toString(), QStringLiteral("和暦"));
    EXPECT_EQ(saved.count(), 1) << "the other screens are told to follow";
}

TEST_F(BackupButtons, AReadAnsweredNoLeavesDataAndScreenAlone)
{
    open();
    ASSERT_TRUE(QFile::copy(d.dataFile(), copyPath()));
    exec(copyPath(), QStringLiteral("UPDATE 自社情報 SET 年号 = '和暦'"));
    QFile file(d.dataFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QSignalSpy saved(frm.get(), &FrmHosyu::settingsSaved);
    dialogs.chooseFile(copyPath()).answer(MsgAnswer::No);
    click("Command11");

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(ctl<ComboBox>("cmb年号")->text(), QStringLiteral("西暦"));
    EXPECT_EQ(saved.count(), 0);
}

TEST_F(BackupButtons, ABackupToATypedFolderWritesTheArchiveThere)
{
    exec(d.dataFile(), QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES (?)"), {QStringLiteral("山田太郎")});
    open();
    auto* drive = ctl<ComboBox>("cmbFDD");
    ASSERT_TRUE(drive);
    drive->setText(target.path());
    click("Command7"); // every question answered with its preselected button

    QStringList texts;
    for (const MessageRequest& m : dialogs.messages())
        texts << m.text;
    EXPECT_TRUE(texts.contains(QStringLiteral("保存が終了しました。"))) << texts.join(u'\n').toStdString();
    EXPECT_EQ(QDir(target.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("Rov2ctl"), QStringLiteral("rov2data.lzh")}));
    EXPECT_TRUE(ctl<QLabel>("FddMsg")->text().isEmpty() || ctl<QLabel>("FddMsg")->isHidden())
        << "the progress line is put away afterwards";
}

TEST(ProgressLine, ShowsTheTextAndHidesWhenEmpty)
{
    QWidget window;
    auto* fddMsg = new QLabel(&window);
    window.show();
    const ProgressFn show = labelProgress(fddMsg);
    show(QStringLiteral("1/ 2 枚目のフロッピーディスクに保存中です･･･"));
    EXPECT_EQ(fddMsg->text(), QStringLiteral("1/ 2 枚目のフロッピーディスクに保存中です･･･"));
    EXPECT_TRUE(fddMsg->isVisible());
    show(QString());
    EXPECT_FALSE(fddMsg->isVisible());
    delete fddMsg;
    show(QStringLiteral("the label is gone: nothing happens"));
}

} // namespace
} // namespace rov2::test
