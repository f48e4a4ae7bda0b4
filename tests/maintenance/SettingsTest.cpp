// The 設定 tab through the real screen: both files read back after each save.
#include "HosyuFixture.h"

#include "ComboBox.h"
#include "TextBox.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace rov2::test {
namespace {

using Settings = HosyuFixture;

const QString kSettings = QStringLiteral("自社情報");
const QString kLocations = QStringLiteral("管理");

QString text(const char* s) { return QString::fromUtf8(s); }

TEST_F(Settings, AnEmptySettingsTableLeavesTheDefaults)
{
    exec(d.dataFile(), QStringLiteral("DELETE FROM 自社情報"));
    open();
    EXPECT_EQ(ctl<ComboBox>("cmb年号")->text(), text("西暦"));
    EXPECT_EQ(ctl<ComboBox>("cmb性別")->text(), text("女"));
    EXPECT_EQ(ctl<ComboBox>("cmbクイック")->text(), text("する"));
    for (const char* box : {"Chk敬称", "Chk区分1", "Chk区分2", "Chk続柄"})
        EXPECT_TRUE(ctl<QCheckBox>(box)->isChecked()) << box;
    EXPECT_FALSE(ctl<QCheckBox>("chkYubinEria")->isChecked());
    EXPECT_TRUE(ctl<TextBox>("txtYubinEriaName")->text().isEmpty());
    EXPECT_TRUE(ctl<TextBox>("txtDataPath")->text().isEmpty()) << "管理 is empty in the supplied work file";
}

TEST_F(Settings, TheStoredRowIsShown)
{
    exec(d.dataFile(),
         QStringLiteral("UPDATE 自社情報 SET 年号 = '和暦', 性別 = '男', クイック = 'しない', 区分登録2 = 0, "
                        "yubinlocalEriaSw = -1, YubinLocalEria = '関東'"));
    exec(d.workFile(), QStringLiteral("INSERT INTO 管理 (DataPath, YubinPath) VALUES (?, NULL)"), {d.dataFile()});
    open();
    EXPECT_EQ(ctl<ComboBox>("cmb年号")->text(), text("和暦"));
    EXPECT_EQ(ctl<ComboBox>("cmb性別")->text(), text("男"));
    EXPECT_EQ(ctl<ComboBox>("cmbクイック")->text(), text("しない"));
    EXPECT_FALSE(ctl<QCheckBox>("Chk区分2")->isChecked());
    EXPECT_TRUE(ctl<QCheckBox>("Chk区分1")->isChecked());
    EXPECT_TRUE(ctl<QCheckBox>("chkYubinEria")->isChecked());
    EXPECT_EQ(ctl<TextBox>("txtYubinEriaName")->text(), text("関東"));
    EXPECT_EQ(ctl<TextBox>("txtDataPath")->text(), d.dataFile());
    EXPECT_TRUE(ctl<TextBox>("txtYubinPath")->text().isEmpty());
}

// A Null field of the stored row: the control first shows something else, so
// that only reading the Null can bring it to the expected value.
struct NullField {
    const char* field;
    const char* control;
    const char* before; ///< a choice's text, or "1" for a ticked box
    const char* expected;
};

class NullFields : public HosyuFixture, public ::testing::WithParamInterface<NullField> {};

TEST_P(NullFields, LoadAsTheirDefault)
{
    const NullField& p = GetParam();
    open();
    QWidget* control = nullptr;
    ASSERT_NO_FATAL_FAILURE(control = ctl<QWidget>(p.control));
    auto* choice = qobject_cast<ComboBox*>(control);
    auto* box = qobject_cast<QCheckBox*>(control);
    ASSERT_TRUE(choice || box);
    if (choice)
        choice->setText(text(p.before));
    else
        box->setChecked(true);
    exec(d.dataFile(), QStringLiteral("UPDATE 自社情報 SET %1 = NULL").arg(text(p.field)));
    frm->Read自社情報();
    if (choice)
        EXPECT_EQ(choice->text(), text(p.expected));
    else
        EXPECT_FALSE(box->isChecked()) << "a Null Yes/No is a cleared box";
}

INSTANTIATE_TEST_SUITE_P(
    Row, NullFields,
    ::testing::Values(NullField{"年号", "cmb年号", "和暦", "西暦"}, NullField{"性別", "cmb性別", "男", "女"},
                      NullField{"クイック", "cmbクイック", "しない", "する"},
                      NullField{"敬称登録", "Chk敬称", "1", ""}, NullField{"区分登録1", "Chk区分1", "1", ""},
                      NullField{"区分登録2", "Chk区分2", "1", ""}, NullField{"続柄登録", "Chk続柄", "1", ""},
                      NullField{"yubinlocalEriaSw", "chkYubinEria", "1", ""}),
    [](const auto& row) { return std::string("field") + std::to_string(row.index); });

TEST_F(Settings, SavingWritesWhatTheControlsHoldAndTellsTheProgram)
{
    open();
    ctl<ComboBox>("cmb年号")->setText(text("和暦"));
    ctl<ComboBox>("cmb性別")->setText(text("女"));
    ctl<ComboBox>("cmbクイック")->setText(text("する"));
    ctl<QCheckBox>("chkYubinEria")->setChecked(true);
    ctl<TextBox>("txtYubinEriaName")->setText(text("関東"));
    ctl<QCheckBox>("Chk区分2")->setChecked(false);
    QSignalSpy saved(frm.get(), &FrmHosyu::settingsSaved);
    dialogs.answer(MsgAnswer::Yes);
    click("cmd登録");

    const auto stored = rows(d.dataFile(), kSettings);
    ASSERT_EQ(stored.size(), 1);
    const QVariantMap& r = stored.first();
    EXPECT_EQ(r.value(text("年号")), text("和暦"));
    EXPECT_EQ(r.value(text("性別")), text("女"));
    EXPECT_EQ(r.value(text("クイック")), text("する"));
    EXPECT_EQ(r.value(text("yubinlocalEriaSw")).toInt(), -1);
    EXPECT_EQ(r.value(text("YubinLocalEria")), text("関東"));
    EXPECT_EQ(r.value(text("区分登録1")).toInt(), -1);
    EXPECT_EQ(r.value(text("区分登録2")).toInt(), 0);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(0).title, text("登録の確認"));
    EXPECT_EQ(dialogs.messages().at(0).text, text("設定 を登録します。よろしいですか"));
    EXPECT_EQ(dialogs.messages().at(1).title, text("登録完了"));
    EXPECT_EQ(dialogs.messages().at(1).text, text("データ  設定 を登録しました。"));
    EXPECT_TRUE(env().settings.eraCalendar()) << "the program-wide settings were read again";
    EXPECT_FALSE(env().settings.区分登録2);
    EXPECT_EQ(env().settings.性別.toString(), text("女"));
    EXPECT_EQ(saved.count(), 1);
}

TEST_F(Settings, AnEmptyAreaNameIsStoredAsNullAndReadBackEmpty)
{
    exec(d.dataFile(), QStringLiteral("UPDATE 自社情報 SET YubinLocalEria = '関東'"));
    open();
    ctl<TextBox>("txtYubinEriaName")->clear();
    dialogs.answer(MsgAnswer::Yes);
    click("cmd登録");
    const auto stored = rows(d.dataFile(), kSettings);
    ASSERT_EQ(stored.size(), 1);
    EXPECT_TRUE(stored.first().value(text("YubinLocalEria")).isNull());
    ctl<TextBox>("txtYubinEriaName")->setText(text("x"));
    frm->Read自社情報();
    EXPECT_TRUE(ctl<TextBox>("txtYubinEriaName")->text().isEmpty());
}

TEST_F(Settings, BothPathBoxesEmptyStoreARowOfTwoNulls)
{
    exec(d.workFile(), QStringLiteral("INSERT INTO 管理 (DataPath, YubinPath) VALUES (?, ?)"),
         {d.dataFile(), d.postalFile()});
    open();
    ASSERT_EQ(ctl<TextBox>("txtYubinPath")->text(), d.postalFile());
    ctl<TextBox>("txtDataPath")->clear();
    ctl<TextBox>("txtYubinPath")->clear();
    dialogs.answer(MsgAnswer::Yes);
    click("cmd登録");
    const auto stored = rows(d.workFile(), kLocations);
    ASSERT_EQ(stored.size(), 1);
    EXPECT_TRUE(stored.first().value(text("DataPath")).isNull());
    EXPECT_TRUE(stored.first().value(text("YubinPath")).isNull());
}

TEST_F(Settings, EverySaveLeavesOneRowInEachTable)
{
    exec(d.dataFile(), QStringLiteral("INSERT INTO 自社情報 (性別) VALUES ('女'), ('男')"));
    exec(d.workFile(), QStringLiteral("INSERT INTO 管理 (DataPath) VALUES (NULL), (NULL)"));
    open();
    for (int save = 0; save < 2; ++save) {
        dialogs.answer(MsgAnswer::Yes);
        click("cmd登録");
        EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 自社情報")), 1);
        EXPECT_EQ(count(d.workFile(), QStringLiteral("SELECT count(*) AS num FROM 管理")), 1);
    }
}

TEST_F(Settings, AnsweringNoStillStoresTheLocations)
{
    open();
    const auto before = rows(d.dataFile(), kSettings);
    ctl<ComboBox>("cmb年号")->setText(text("和暦"));
    ctl<TextBox>("txtDataPath")->setText(d.dataFile());
    ctl<TextBox>("txtYubinPath")->setText(d.path(QStringLiteral("dic/yubin.mdb")));
    dialogs.answer(MsgAnswer::No);
    click("cmd登録");
    EXPECT_EQ(rows(d.dataFile(), kSettings), before) << "nothing of the settings written";
    EXPECT_EQ(dialogs.messages().size(), 1) << "the question only";
    const auto stored = rows(d.workFile(), kLocations);
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored.first().value(text("DataPath")), d.dataFile());
    EXPECT_EQ(stored.first().value(text("YubinPath")), d.path(QStringLiteral("dic/yubin.mdb")));
}

TEST_F(Settings, TheBusinessNameAndAddressSurviveASave)
{
    exec(d.dataFile(), QStringLiteral("UPDATE 自社情報 SET 顧客名 = '山田商店', 住所1 = '東京都港区'"));
    open();
    dialogs.answer(MsgAnswer::Yes);
    click("cmd登録");
    const auto stored = rows(d.dataFile(), kSettings);
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored.first().value(text("顧客名")), text("山田商店"));
    EXPECT_EQ(stored.first().value(text("住所1")), text("東京都港区"));
}

TEST_F(Settings, AFailedSaveSaysSoAndKeepsTheStoredRow)
{
    open();
    const auto before = rows(d.dataFile(), kSettings);
    // The delete runs, then the new row is refused: the delete must not stay.
    exec(d.dataFile(), QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON 自社情報 "
                                      "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    ctl<ComboBox>("cmb年号")->setText(text("和暦"));
    dialogs.answer(MsgAnswer::Yes);
    click("cmd登録");
    EXPECT_EQ(rows(d.dataFile(), kSettings), before);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_NE(dialogs.messages().at(1).title, text("登録完了"));
    EXPECT_TRUE(dialogs.messages().at(1).text.contains(text("登録できませんでした")));
    EXPECT_FALSE(env().settings.eraCalendar());
}

// A data path that would open the program on no data asks before it is stored.
struct Location {
    const char* name;
    enum { Missing, WorkFile, DataFile } file;
    bool asks;
};

class DataLocations : public HosyuFixture, public ::testing::WithParamInterface<Location> {
protected:
    QString path() const
    {
        switch (GetParam().file) {
        case Location::Missing: return d.path(QStringLiteral("nowhere/Rov2Data.mdb"));
        case Location::WorkFile: return d.workFile();
        case Location::DataFile: break;
        }
        return d.dataFile();
    }
};

TEST_P(DataLocations, AreStoredOnlyWhenTheUserAgrees)
{
    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        exec(d.workFile(), QStringLiteral("DELETE FROM 管理"));
        open();
        ctl<TextBox>("txtDataPath")->setText(path());
        dialogs.answer(MsgAnswer::No); // the settings themselves
        dialogs.answer(answer);
        const auto shown = dialogs.messages().size();
        click("cmd登録");
        const auto stored = rows(d.workFile(), kLocations);
        if (!GetParam().asks) {
            EXPECT_EQ(dialogs.messages().size(), shown + 1) << "no question about the location";
            ASSERT_EQ(stored.size(), 1);
            return;
        }
        ASSERT_EQ(dialogs.messages().size(), shown + 2);
        const MessageRequest& q = dialogs.messages().last();
        EXPECT_TRUE(q.text.contains(QDir::toNativeSeparators(path()))) << q.text.toStdString();
        EXPECT_TRUE(q.defaultIsSecond) << "No is preselected";
        if (answer == MsgAnswer::No) {
            EXPECT_TRUE(stored.isEmpty()) << "管理 as it was";
        } else {
            ASSERT_EQ(stored.size(), 1);
            EXPECT_EQ(stored.first().value(text("DataPath")), path());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Row, DataLocations,
                         ::testing::Values(Location{"missing", Location::Missing, true},
                                           Location{"notADataFile", Location::WorkFile, true},
                                           Location{"dataFile", Location::DataFile, false}),
                         [](const auto& row) { return std::string(row.param.name); });

struct Chooser {
    const char* button;
    const char* box;
    const char* title;
};

class Choosers : public HosyuFixture, public ::testing::WithParamInterface<Chooser> {};

TEST_P(Choosers, AChosenFileReplacesTheBoxAndCancelLeavesIt)
{
    open();
    auto* box = ctl<TextBox>(GetParam().box);
    box->setText(text("before"));
    dialogs.cancelFile();
    click(GetParam().button);
    EXPECT_EQ(box->text(), text("before"));

    dialogs.chooseFile(d.dataFile());
    click(GetParam().button);
    EXPECT_EQ(box->text(), QDir::toNativeSeparators(d.dataFile()));

    ASSERT_EQ(dialogs.fileRequests().size(), 2);
    const auto& r = dialogs.fileRequests().first();
    EXPECT_FALSE(r.save);
    EXPECT_EQ(r.title, text(GetParam().title));
    ASSERT_EQ(r.nameFilters.size(), 1);
    EXPECT_EQ(r.nameFilters.first(), text("MDB ファイル(*.mdb) (*.mdb)")) << "Rov2Data.mdb must be listed";
#ifndef Q_OS_WIN
    EXPECT_EQ(r.folderOrProposedPath, QDir::homePath());
#endif
    EXPECT_TRUE(rows(d.workFile(), kLocations).isEmpty()) << "nothing written before 登録";
}

INSTANTIATE_TEST_SUITE_P(Row, Choosers,
                         ::testing::Values(Chooser{"Command2", "txtDataPath", "データファイルを指定する"},
                                           Chooser{"Command3", "txtYubinPath", "郵便番号辞書を指定する"}),
                         [](const auto& row) { return std::string(row.index == 0 ? "data" : "dictionary"); });

TEST_F(Settings, ClearResetsTheControlsWithoutReadingTheFiles)
{
    exec(d.workFile(), QStringLiteral("INSERT INTO 管理 (DataPath) VALUES (?)"), {d.dataFile()});
    open();
    ASSERT_EQ(ctl<ComboBox>("cmb性別")->text(), text("男")) << "the supplied row";
    ctl<QCheckBox>("Chk続柄")->setChecked(false);
    click("cmdクリア");
    EXPECT_EQ(ctl<ComboBox>("cmb性別")->text(), text("女"));
    EXPECT_EQ(ctl<ComboBox>("cmbクイック")->text(), text("する"));
    EXPECT_TRUE(ctl<QCheckBox>("Chk続柄")->isChecked());
    EXPECT_TRUE(ctl<TextBox>("txtDataPath")->text().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([this] { return ctl<TextBox>("txtDataPath")->hasFocus(); }));
    EXPECT_EQ(rows(d.workFile(), kLocations).size(), 1) << "clearing writes nothing";
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

} // namespace
} // namespace rov2::test
