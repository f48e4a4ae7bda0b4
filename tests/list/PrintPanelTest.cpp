// The print panel of the customer list: its boxes and buttons, the list
// print data and report chosen, the address labels and their start position.
#include "CustomerFamilyListReport.h"
#include "CustomerListModel.h"
#include "Database.h"
#include "LabelSettings.h"
#include "ListFixture.h"
#include "PrintDataStore.h"
#include "Query.h"
#include "ReportPreview.h"
#include "TackForm2601.h"
#include "TackReport.h"
#include "TestNames.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace rov2::test {
namespace {

using Label = std::array<QString, 4>; // 名称, 郵便番号, 住所1, 住所2 ("<null>" for Null)

QString shown(const QVariant& v)
{
    return v.isNull() ? QStringLiteral("<null>") : v.toString();
}

/// The label items made from control @p name that show a text, in the order
/// they were placed (blank labels place their boxes empty).
std::vector<const report::PageItem*> itemsNamed(const report::Page& page, const QString& name)
{
    std::vector<const report::PageItem*> found;
    for (const report::PageItem& item : page.items)
        if (item.name == name && item.band == report::BandKind::Detail && !item.text.isEmpty())
            found.push_back(&item);
    return found;
}

class PrintPanel : public ListScreen
{
protected:
    void SetUp() override
    {
        // The program's own settings go to this test's folder.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, d.folder());
        tackStartPosition() = 0;
        ListScreen::SetUp();
    }
    void TearDown() override
    {
        ListScreen::TearDown();
        tackStartPosition() = 0;
    }

    /// Lists customers and family, then marks the rows whose 名称/氏名 pairs are given.
    void listAndMark(const QList<ListedRow>& toMark)
    {
        ctl<QCheckBox>("Chk家族")->setChecked(true);
        frm->Read顧客一覧();
        const QList<ListedRow> rows = listed();
        for (const ListedRow& m : toMark) {
            const qsizetype i = rows.indexOf(m);
            ASSERT_GE(i, 0) << m.first.toStdString() << "/" << m.second.toStdString();
            ASSERT_TRUE(frm->listModel()->setMarked(static_cast<int>(i), true));
        }
    }
    QList<Label> labels()
    {
        QList<Label> out;
        auto db = Database::open(d.workFile());
        EXPECT_TRUE(db);
        if (!db)
            return out;
        Query q = db->query(
            QStringLiteral("SELECT 名称, 郵便番号, 住所1, 住所2 FROM wタックシール印刷 ORDER BY rowid"));
        while (q.next())
            out << Label{shown(q.value(0)), shown(q.value(1)), shown(q.value(2)), shown(q.value(3))};
        EXPECT_TRUE(q.ok());
        return out;
    }
    QStringList column(const QString& sql)
    {
        QStringList out;
        auto db = Database::open(d.workFile());
        EXPECT_TRUE(db);
        if (!db)
            return out;
        Query q = db->query(sql);
        while (q.next())
            out << shown(q.value(0));
        return out;
    }
    void tick(const char* box)
    {
        if (auto* b = ctl<QCheckBox>(box))
            b->click();
    }
    QStringList ticked() const
    {
        QStringList out;
        for (const char* name : {"chkタック", "chkタックプレビュー", "chk顧客リスト", "chkリストプレビュー"})
            if (const auto* box = ctl<QCheckBox>(name); box && box->isChecked())
                out << QString::fromUtf8(name);
        return out;
    }
    QList<report::ReportPreview*> previews() const { return frm->findChildren<report::ReportPreview*>(); }
};

// ---- the check boxes ----

struct ClickCase
{
    std::vector<const char*> clicks;
    QStringList expected;
};

class PrintBoxes : public PrintPanel, public ::testing::WithParamInterface<ClickCase>
{
};

TEST_P(PrintBoxes, AtMostOneTicked)
{
    click("cmd印刷");
    for (const char* box : GetParam().clicks)
        tick(box);
    EXPECT_EQ(ticked(), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Clicks, PrintBoxes,
                         ::testing::Values(ClickCase{{}, {}},
                                           ClickCase{{"chkタック"}, {QStringLiteral("chkタック")}},
                                           ClickCase{{"chkタック", "chkタックプレビュー"},
                                                     {QStringLiteral("chkタックプレビュー")}},
                                           ClickCase{{"chk顧客リスト", "chkタック", "chkリストプレビュー"},
                                                     {QStringLiteral("chkリストプレビュー")}},
                                           // Clicking the ticked box clears it and leaves all four clear.
                                           ClickCase{{"chkタック", "chkタック"}, {}},
                                           ClickCase{{"chkタック", "chk顧客リスト", "chk顧客リスト"}, {}}),
                         FieldName<&ClickCase::clicks>());

TEST_F(PrintPanel, F7TogglesThePanelWhichKeepsItsBoxes)
{
    auto* panel = ctl<QGroupBox>("frm印刷選択");
    ASSERT_TRUE(panel);
    EXPECT_FALSE(panel->isVisible());
    key(Qt::Key_F7, "Grid明細");
    EXPECT_TRUE(panel->isVisible());
    tick("chk顧客リスト");
    click("cmd選択閉じる");
    EXPECT_FALSE(panel->isVisible());
    click("cmd印刷");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(ticked(), QStringList{QStringLiteral("chk顧客リスト")});
    key(Qt::Key_F7, "Grid明細");
    EXPECT_FALSE(panel->isVisible());
}

// ---- 印刷開始 ----

TEST_F(PrintPanel, StartWithNothingMarkedAsksForARow)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"));
    listAndMark({});
    click("cmd印刷");
    tick("chkリストプレビュー");
    click("cmd印刷開始");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("行が指定されていません。行指定してください。"));
    EXPECT_TRUE(ctl<QGroupBox>("frm印刷選択")->isVisible());
    EXPECT_TRUE(previews().isEmpty());
}

TEST_F(PrintPanel, StartWithNothingChosenAsksWhatToPrint)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"));
    listAndMark({{QStringLiteral("青木　一郎"), QString()}});
    click("cmd印刷");
    click("cmd印刷開始");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("どれを印刷するか指定してください")));
    EXPECT_TRUE(ctl<QGroupBox>("frm印刷選択")->isVisible());
    EXPECT_TRUE(previews().isEmpty());
}

TEST_F(PrintPanel, StartPreviewsAndHidesThePanel)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"),
                {{QStringLiteral("郵便番号"), QStringLiteral("1000001")}});
    listAndMark({{QStringLiteral("青木　一郎"), QString()}});
    click("cmd印刷");
    tick("chkタックプレビュー");
    click("cmd印刷開始");
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(ctl<QGroupBox>("frm印刷選択")->isVisible());
    ASSERT_EQ(previews().size(), 1);
    EXPECT_EQ(previews()[0]->windowTitle(), QStringLiteral("タックシール"));
    EXPECT_EQ(labels(), (QList<Label>{{QStringLiteral("青木　一郎　様"), QStringLiteral("100-0001"),
                                       QStringLiteral("<null>"), QStringLiteral("<null>")}}));
}

// Printing at once goes through the print dialog; what it prints is the PDF here.
TEST_F(PrintPanel, StartPrintsTheListThroughThePrintDialog)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"));
    listAndMark({{QStringLiteral("青木　一郎"), QString()}});
    const QString pdf = d.path(QStringLiteral("list.pdf"));
    dialogs.confirmPrint(pdf);
    click("cmd印刷");
    tick("chk顧客リスト");
    click("cmd印刷開始");
    EXPECT_EQ(dialogs.printRequests(), 1);
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
    EXPECT_TRUE(previews().isEmpty());
}

// A print that fails is told, for the labels and for the list; nothing is
// left of the file the printer was to write.
class FailingPrint : public PrintPanel, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(FailingPrint, IsTold)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"));
    listAndMark({{QStringLiteral("青木　一郎"), QString()}});
    const QString pdf = d.path(QStringLiteral("無いフォルダ/out.pdf"));
    dialogs.confirmPrint(pdf);
    click("cmd印刷");
    tick(GetParam());
    click("cmd印刷開始");
    EXPECT_EQ(dialogs.printRequests(), 1);
    ASSERT_EQ(dialogs.messages().size(), 1);
    const MessageRequest& m = dialogs.messages().front();
    EXPECT_EQ(m.title, QStringLiteral("印刷エラー"));
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    const QString caption =
        GetParam() == std::string("chkタック") ? QStringLiteral("タックシール") : QStringLiteral("顧客一覧");
    EXPECT_TRUE(m.text.startsWith(caption + QStringLiteral(" を印刷できませんでした。")))
        << m.text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

INSTANTIATE_TEST_SUITE_P(Reports, FailingPrint, ::testing::Values("chkタック", "chk顧客リスト"),
                         [](const auto& p) {
                             return p.param == std::string("chkタック") ? "labels" : "list";
                         });

// The print dialog's PDF output is a file the user names too: the data file is refused.
TEST_F(PrintPanel, PrintingToTheDataFileIsRefused)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"));
    listAndMark({{QStringLiteral("青木　一郎"), QString()}});
    QFile data(d.dataFile());
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    const QByteArray before = data.readAll();
    data.close();
    dialogs.confirmPrint(d.dataFile());
    click("cmd印刷");
    tick("chkタック");
    click("cmd印刷開始");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().front().text.contains(QStringLiteral("データファイル")));
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    EXPECT_EQ(data.readAll(), before);
}

// ---- オプション and the start-position screen ----

TEST_F(PrintPanel, OptionOpensTheStartPositionScreenOnlyForLabels)
{
    click("cmd印刷");
    tick("chk顧客リスト");
    click("cmdオプション");
    EXPECT_EQ(frm->findChild<TackForm2601*>(), nullptr);
    tick("chkタック");
    click("cmdオプション");
    TackForm2601* form = nullptr;
    ASSERT_NO_FATAL_FAILURE(test::ctl(frm.get(), "TackForm2601", form));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("タックシール印字位置指定"));
}

TEST_F(PrintPanel, ReopeningShowsCellZeroButKeepsTheChosenPosition)
{
    click("cmd印刷");
    tick("chkタックプレビュー");
    click("cmdオプション");
    TackForm2601* form = nullptr;
    ASSERT_NO_FATAL_FAILURE(test::ctl(frm.get(), "TackForm2601", form));
    QPushButton* seven = nullptr;
    QPushButton* six = nullptr;
    ASSERT_NO_FATAL_FAILURE(test::ctl(form, "tacks(7)", seven));
    ASSERT_NO_FATAL_FAILURE(test::ctl(form, "tacks(6)", six));
    seven->click();
    EXPECT_EQ(tackStartPosition(), 7);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(form->isChosen(i), i == 7) << i;
    EXPECT_TRUE(seven->styleSheet().contains(QStringLiteral("#7baf72")));
    EXPECT_TRUE(six->styleSheet().contains(QStringLiteral("#ffffff")));

    QTest::keyClick(form, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frm->findChild<TackForm2601*>(); }));
    click("cmdオプション");
    ASSERT_NO_FATAL_FAILURE(test::ctl(frm.get(), "TackForm2601", form));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(form->isChosen(i), i == 0) << i;
    EXPECT_EQ(tackStartPosition(), 7);
}

TEST_F(PrintPanel, OffsetBoxesAreStoredInTheProgramSettings)
{
    click("cmd印刷");
    tick("chkタック");
    click("cmdオプション");
    TackForm2601* form = nullptr;
    ASSERT_NO_FATAL_FAILURE(test::ctl(frm.get(), "TackForm2601", form));
    auto* across = test::ctl<QDoubleSpinBox>(form, "txt横位置");
    auto* down = test::ctl<QDoubleSpinBox>(form, "txt縦位置");
    ASSERT_TRUE(across && down);
    across->setValue(1.5);
    down->setValue(-7); // beyond the range: held at -5.0
    EXPECT_EQ(LabelSettings::load(), (LabelOffset{1.5, -5.0}));
    form->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frm->findChild<TackForm2601*>(); }));
    click("cmdオプション");
    ASSERT_NO_FATAL_FAILURE(test::ctl(frm.get(), "TackForm2601", form));
    ASSERT_NO_FATAL_FAILURE(test::ctl(form, "txt横位置", across));
    ASSERT_NO_FATAL_FAILURE(test::ctl(form, "txt縦位置", down));
    EXPECT_DOUBLE_EQ(across->value(), 1.5);
    EXPECT_DOUBLE_EQ(down->value(), -5.0);
}

// An adjustment that cannot be stored is told, once while it keeps failing.
TEST_F(PrintPanel, AnOffsetThatCannotBeStoredIsTold)
{
    // A file where the settings folder would go.
    QFile blocker(d.path(QStringLiteral("VAVⅡaruv")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    click("cmd印刷");
    tick("chkタック");
    click("cmdオプション");
    TackForm2601* form = nullptr;
    ASSERT_NO_FATAL_FAILURE(test::ctl(frm.get(), "TackForm2601", form));
    auto* across = test::ctl<QDoubleSpinBox>(form, "txt横位置");
    ASSERT_TRUE(across);
    across->setValue(1.5);
    across->setValue(2.0);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().front().text.contains(QStringLiteral("保存できませんでした")));
    EXPECT_EQ(LabelSettings::load(), LabelOffset{});
    // Once it can be stored again, a later failure is told again.
    ASSERT_TRUE(QFile::remove(d.path(QStringLiteral("VAVⅡaruv"))));
    across->setValue(2.5);
    EXPECT_EQ(LabelSettings::load(), (LabelOffset{2.5, 0}));
    ASSERT_TRUE(QDir(d.path(QStringLiteral("VAVⅡaruv"))).removeRecursively());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    across->setValue(3.0);
    EXPECT_EQ(dialogs.messages().size(), 2);
    form->close();
}

// ---- SetPrnData ----

struct ReportCase
{
    const char* title;
    bool customer, member;
    const char* report;
    const char* caption;
};

class ReportChoice : public PrintPanel, public ::testing::WithParamInterface<ReportCase>
{
};

TEST_P(ReportChoice, ReportFollowsWhatWasMarked)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"));
    addMember(QStringLiteral("青木　一郎"), QStringLiteral("青木　花子"), QStringLiteral("あおきはなこ"));
    QList<ListedRow> marks;
    if (GetParam().customer)
        marks << ListedRow{QStringLiteral("青木　一郎"), QString()};
    if (GetParam().member)
        marks << ListedRow{QStringLiteral("青木　一郎"), QStringLiteral("青木　花子")};
    listAndMark(marks);
    EXPECT_EQ(frm->SetPrnData(true), QString::fromUtf8(GetParam().report));
    ASSERT_EQ(previews().size(), 1);
    EXPECT_EQ(previews()[0]->windowTitle(), QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(column(QStringLiteral("SELECT 名称 FROM w顧客マスタ印刷")).size(), GetParam().customer ? 1 : 0);
    EXPECT_EQ(column(QStringLiteral("SELECT 氏名 FROM w家族情報印刷")).size(), GetParam().member ? 1 : 0);
    // A second print makes a second report and window; the tables are refilled, not added to.
    EXPECT_EQ(frm->SetPrnData(true), QString::fromUtf8(GetParam().report));
    EXPECT_EQ(previews().size(), 2);
    EXPECT_EQ(column(QStringLiteral("SELECT 名称 FROM w顧客マスタ印刷")).size(), GetParam().customer ? 1 : 0);
}
INSTANTIATE_TEST_SUITE_P(Marks, ReportChoice,
                         ::testing::Values(ReportCase{"customers", true, false, "rpt顧客一覧", "顧客一覧"},
                                           ReportCase{"family", false, true, "rpt家族情報一覧", "顧客リスト"},
                                           ReportCase{"both", true, true, "rpt顧客家族一覧", "顧客一覧"}),
                         [](const auto& p) { return std::string(p.param.title); });

// Both kinds marked, but one member's customer is not: the customer-with-family
// list joins members to the customers it prints, so that member is missing.
TEST_F(PrintPanel, MemberOfAnUnmarkedCustomerIsMissingFromTheCombinedList)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"));
    addCustomer(QStringLiteral("井上　次郎"), QStringLiteral("いのうえ"));
    addMember(QStringLiteral("青木　一郎"), QStringLiteral("青木　花子"), QStringLiteral("あおきはなこ"));
    addMember(QStringLiteral("井上　次郎"), QStringLiteral("井上　夏子"), QStringLiteral("いのうえなつこ"));
    listAndMark({{QStringLiteral("青木　一郎"), QString()},
                 {QStringLiteral("青木　一郎"), QStringLiteral("青木　花子")},
                 {QStringLiteral("井上　次郎"), QStringLiteral("井上　夏子")}});
    ASSERT_EQ(frm->SetPrnData(true), QStringLiteral("rpt顧客家族一覧"));
    report::rpt顧客家族一覧 r(env().locations.workFile, env().settings);
    ASSERT_TRUE(r.Restart());
    QStringList members;
    for (const auto& page : r.pages()->pages)
        for (const auto& item : page.items)
            if (item.name == QStringLiteral("txt氏名") && !item.text.isEmpty())
                members << item.text;
    EXPECT_EQ(members, QStringList{QStringLiteral("青木　花子")});
}

// Two customers each with a member of the same name, one member marked: only
// that member is copied (by customer and name), not the other customer's.
TEST_F(PrintPanel, SameNamedMembersOnlyTheMarkedOneIsCopied)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"));
    addCustomer(QStringLiteral("井上　次郎"), QStringLiteral("いのうえ"));
    addMember(QStringLiteral("青木　一郎"), QStringLiteral("太郎"), QStringLiteral("たろう"));
    addMember(QStringLiteral("井上　次郎"), QStringLiteral("太郎"), QStringLiteral("たろう"));
    listAndMark({{QStringLiteral("井上　次郎"), QStringLiteral("太郎")}});
    ASSERT_EQ(frm->SetPrnData(true), QStringLiteral("rpt家族情報一覧"));
    EXPECT_EQ(column(QStringLiteral("SELECT 名称 || '/' || 氏名 FROM w家族情報印刷")),
              QStringList{QStringLiteral("井上　次郎/太郎")});
}

// A name with a quote is a value like any other, in the list print and on a label.
TEST_F(PrintPanel, QuotesInNamesPrintLikeAnyOther)
{
    addCustomer(QStringLiteral("O'Neil商店"), QStringLiteral("おーにーる"),
                {{QStringLiteral("敬称"), QStringLiteral("御中")}});
    addMember(QStringLiteral("O'Neil商店"), QStringLiteral("D'Arcy"), QStringLiteral("だーしー"));
    listAndMark({{QStringLiteral("O'Neil商店"), QString()},
                 {QStringLiteral("O'Neil商店"), QStringLiteral("D'Arcy")}});
    ASSERT_EQ(frm->SetPrnData(true), QStringLiteral("rpt顧客家族一覧"));
    EXPECT_EQ(column(QStringLiteral("SELECT 名称 FROM w顧客マスタ印刷")),
              QStringList{QStringLiteral("O'Neil商店")});
    EXPECT_EQ(column(QStringLiteral("SELECT 氏名 FROM w家族情報印刷")),
              QStringList{QStringLiteral("D'Arcy")});
    ASSERT_TRUE(frm->ExecTackPrn(true));
    EXPECT_EQ(column(QStringLiteral("SELECT 名称 FROM wタックシール印刷")),
              (QStringList{QStringLiteral("O'Neil商店　御中"), QStringLiteral("D'Arcy　様")}));
}

// ---- ExecTackPrn ----

struct StartCase
{
    int start;
    size_t pages;
    int firstPosition; // on the first page
    int onSecondPage;
};

class LabelStart : public PrintPanel, public ::testing::WithParamInterface<StartCase>
{
};

TEST_P(LabelStart, BlankLabelsBeforeTheFirstAddress)
{
    for (const char* n : {"あおき", "いのうえ", "うえだ"})
        addCustomer(QString::fromUtf8(n), QString::fromUtf8(n));
    listAndMark({{QStringLiteral("あおき"), QString()},
                 {QStringLiteral("いのうえ"), QString()},
                 {QStringLiteral("うえだ"), QString()}});
    tackStartPosition() = GetParam().start;
    ASSERT_TRUE(frm->ExecTackPrn(true));
    const QList<Label> rows = labels();
    ASSERT_EQ(rows.size(), GetParam().start + 3);
    for (int i = 0; i < GetParam().start; ++i)
        EXPECT_EQ(rows[i][0], QStringLiteral("<null>")) << i;
    // The list's order: reading order here.
    EXPECT_EQ(rows[GetParam().start][0], QStringLiteral("あおき　様"));
    EXPECT_EQ(rows.last()[0], QStringLiteral("うえだ　様"));

    const auto pages = tackReport().pages();
    ASSERT_EQ(pages->pages.size(), GetParam().pages);
    const auto names = itemsNamed(pages->pages[0], QStringLiteral("txt名称"));
    ASSERT_FALSE(names.empty());
    const int k = GetParam().firstPosition;
    EXPECT_EQ(names.front()->text, QStringLiteral("あおき　様"));
    EXPECT_EQ(names.front()->rect.topLeft(),
              QPoint(1059 + (k % 2) * 4895 + 270, 1207 + (k / 2) * 2408 + 1260));
    if (GetParam().pages > 1) {
        EXPECT_EQ(static_cast<int>(itemsNamed(pages->pages[1], QStringLiteral("txt名称")).size()),
                  GetParam().onSecondPage);
    }
    // The start position stays for the next print.
    EXPECT_EQ(tackStartPosition(), GetParam().start);
}
INSTANTIATE_TEST_SUITE_P(Positions, LabelStart,
                         ::testing::Values(StartCase{0, 1, 0, 0}, StartCase{5, 1, 5, 0},
                                           StartCase{11, 2, 11, 2}),
                         FieldName<&StartCase::start>());

struct NameCase
{
    const char* title;
    QVariant 敬称;
    bool member;
    const char* expected;
};

class NameLine : public PrintPanel, public ::testing::WithParamInterface<NameCase>
{
};

TEST_P(NameLine, HonorificRules)
{
    addCustomer(QStringLiteral("青木商店"), QStringLiteral("あおき"),
                {{QStringLiteral("敬称"), GetParam().敬称}});
    addMember(QStringLiteral("青木商店"), QStringLiteral("青木　花子"), QStringLiteral("あおきはなこ"));
    listAndMark({GetParam().member ? ListedRow{QStringLiteral("青木商店"), QStringLiteral("青木　花子")}
                                   : ListedRow{QStringLiteral("青木商店"), QString()}});
    ASSERT_TRUE(frm->ExecTackPrn(true));
    EXPECT_EQ(column(QStringLiteral("SELECT 名称 FROM wタックシール印刷")),
              QStringList{QString::fromUtf8(GetParam().expected)});
}
INSTANTIATE_TEST_SUITE_P(
    Honorifics, NameLine,
    ::testing::Values(NameCase{"set", QStringLiteral("御中"), false, "青木商店　御中"},
                      NameCase{"blanksAround", QStringLiteral(" 殿　"), false, "青木商店　殿"},
                      NameCase{"null", QVariant(), false, "青木商店　様"},
                      NameCase{"emptyText", QStringLiteral(""), false, "青木商店　"},
                      NameCase{"memberWhateverTheHonorific", QStringLiteral("御中"), true, "青木　花子　様"}),
    [](const auto& p) { return std::string(p.param.title); });

struct PostalCase
{
    const char* title;
    QVariant stored;
    QVariant printed;
};

class PostalCode : public PrintPanel, public ::testing::WithParamInterface<PostalCase>
{
};

TEST_P(PostalCode, HyphenAfterTheThirdDigitOfSeven)
{
    addCustomer(QStringLiteral("青木"), QStringLiteral("あおき"),
                {{QStringLiteral("郵便番号"), GetParam().stored},
                 {QStringLiteral("住所1"), QStringLiteral("東京都")}});
    listAndMark({{QStringLiteral("青木"), QString()}});
    ASSERT_TRUE(frm->ExecTackPrn(true));
    EXPECT_EQ(column(QStringLiteral("SELECT 郵便番号 FROM wタックシール印刷")),
              QStringList{shown(GetParam().printed)});
    // "〒" stands only beside a code.
    const auto marks = itemsNamed(tackReport().pages()->pages[0], QStringLiteral("Label1"));
    EXPECT_EQ(marks.size(), shown(GetParam().printed).isEmpty() || GetParam().printed.isNull() ? 0u : 1u);
}
INSTANTIATE_TEST_SUITE_P(
    Codes, PostalCode,
    ::testing::Values(PostalCase{"seven", QStringLiteral("1000001"), QStringLiteral("100-0001")},
                      PostalCase{"withHyphen", QStringLiteral("100-0001"), QStringLiteral("100-0001")},
                      PostalCase{"sixChars", QStringLiteral("100001"), QStringLiteral("100001")},
                      PostalCase{"eightChars", QStringLiteral("10000011"), QStringLiteral("10000011")},
                      PostalCase{"sevenWithHyphen", QStringLiteral("100-001"), QStringLiteral("100-001")},
                      PostalCase{"empty", QStringLiteral(""), QStringLiteral("")},
                      PostalCase{"null", QVariant(), QVariant()}),
    [](const auto& p) { return std::string(p.param.title); });

// A marked row whose customer has gone since listing: the member keeps its
// name line, the customer's own row gives an empty label.
TEST_F(PrintPanel, CustomerGoneSinceListing)
{
    addCustomer(QStringLiteral("青木"), QStringLiteral("あおき"),
                {{QStringLiteral("住所1"), QStringLiteral("東京都")}});
    addMember(QStringLiteral("青木"), QStringLiteral("青木　花子"), QStringLiteral("あおきはなこ"));
    listAndMark(
        {{QStringLiteral("青木"), QString()}, {QStringLiteral("青木"), QStringLiteral("青木　花子")}});
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QStringLiteral("DELETE FROM 顧客マスタ")));
    }
    ASSERT_TRUE(frm->ExecTackPrn(true));
    const QString null = QStringLiteral("<null>");
    EXPECT_EQ(labels(),
              (QList<Label>{{null, null, null, null}, {QStringLiteral("青木　花子　様"), null, null, null}}));
}

// A label table that cannot be filled whole is left as it was and nothing is
// printed: the user is told instead of getting a short run of labels.
TEST_F(PrintPanel, LabelsThatCannotBeMadePrintNothing)
{
    for (const char* n : {"あおき", "いのうえ"})
        addCustomer(QString::fromUtf8(n), QString::fromUtf8(n));
    listAndMark({{QStringLiteral("あおき"), QString()}});
    ASSERT_TRUE(frm->ExecTackPrn(true));
    ASSERT_EQ(previews().size(), 1);
    {
        auto db = Database::open(d.workFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE INSERT ON wタックシール印刷 WHEN NEW.名称 = 'いのうえ　様' "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    }
    ASSERT_TRUE(frm->listModel()->setMarked(1, true));
    dialogs.confirmPrint(d.path(QStringLiteral("never.pdf")));
    click("cmd印刷");
    tick("chkタック");
    click("cmd印刷開始");
    EXPECT_EQ(dialogs.printRequests(), 0);
    EXPECT_FALSE(QFileInfo::exists(d.path(QStringLiteral("never.pdf"))));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("印刷データを作成できませんでした")));
    EXPECT_EQ(column(QStringLiteral("SELECT 名称 FROM wタックシール印刷")),
              QStringList{QStringLiteral("あおき　様")});
}

// The same for the list print: the print tables keep the last print data whole.
TEST_F(PrintPanel, ListPrintDataThatCannotBeMadePrintsNothing)
{
    addCustomer(QStringLiteral("あおき"), QStringLiteral("あおき"));
    addCustomer(QStringLiteral("いのうえ"), QStringLiteral("いのうえ"));
    listAndMark({{QStringLiteral("あおき"), QString()}});
    ASSERT_EQ(frm->SetPrnData(true), QStringLiteral("rpt顧客一覧"));
    {
        auto db = Database::open(d.workFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(
            QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON w顧客マスタ印刷 "
                           "WHEN NEW.名称 = 'いのうえ' BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    }
    ASSERT_TRUE(frm->listModel()->setMarked(1, true));
    EXPECT_EQ(frm->SetPrnData(true), QString());
    EXPECT_EQ(previews().size(), 1);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(column(QStringLiteral("SELECT 名称 FROM w顧客マスタ印刷")),
              QStringList{QStringLiteral("あおき")});
}

// Labels printed at once go through the print dialog, in the list's order.
TEST_F(PrintPanel, LabelsPrintThroughThePrintDialogInListOrder)
{
    for (const char* n : {"あおき", "いのうえ", "うえだ"})
        addCustomer(QString::fromUtf8(n), QString::fromUtf8(n),
                    {{QStringLiteral("住所1"), QStringLiteral("東京都")}});
    listAndMark({{QStringLiteral("うえだ"), QString()}, {QStringLiteral("あおき"), QString()}});
    const QString pdf = d.path(QStringLiteral("labels.pdf"));
    dialogs.confirmPrint(pdf);
    click("cmd印刷");
    tick("chkタック");
    click("cmd印刷開始");
    EXPECT_EQ(dialogs.printRequests(), 1);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    const qsizetype first = text.indexOf(QStringLiteral("あおき"));
    EXPECT_GE(first, 0) << text.toStdString();
    EXPECT_GT(text.indexOf(QStringLiteral("うえだ")), first) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("いのうえ")));
}

// The stored adjustment moves the labels of the next print.
TEST_F(PrintPanel, StoredOffsetIsAppliedToTheLabels)
{
    addCustomer(QStringLiteral("青木"), QStringLiteral("あおき"));
    listAndMark({{QStringLiteral("青木"), QString()}});
    ASSERT_TRUE(LabelSettings::save({2.0, -1.5}));
    ASSERT_TRUE(frm->ExecTackPrn(true));
    const auto& name = itemsNamed(tackReport().pages()->pages[0], QStringLiteral("txt名称"));
    ASSERT_EQ(name.size(), 1u);
    EXPECT_EQ(name.front()->rect.topLeft(), QPoint(1059 + 270 + 113, 1207 + 1260 - 85));
    ASSERT_TRUE(LabelSettings::save({}));
    ASSERT_TRUE(frm->ExecTackPrn(true));
    EXPECT_EQ(itemsNamed(tackReport().pages()->pages[0], QStringLiteral("txt名称")).front()->rect.topLeft(),
              QPoint(1059 + 270, 1207 + 1260));
}

// The settings keep the offset within ±5.0 mm in tenths; unreadable values count as 0.
TEST(LabelSettingsTest, ClampsAndRounds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ini"));
    struct Case
    {
        LabelOffset given, stored;
    };
    for (const Case c : {Case{{0, 0}, {0, 0}}, Case{{1.23, -4.96}, {1.2, -5.0}}, Case{{7, -9}, {5, -5}},
                         Case{{std::nan(""), 2.06}, {0, 2.1}}}) {
        ASSERT_TRUE(LabelSettings::save(path, c.given));
        QSettings s(path, QSettings::IniFormat);
        EXPECT_EQ(LabelSettings::load(s), c.stored) << c.given.horizontal << "," << c.given.vertical;
    }
    QSettings s(path, QSettings::IniFormat);
    s.setValue(QStringLiteral("labels/horizontalOffsetMm"), QStringLiteral("abc"));
    EXPECT_EQ(LabelSettings::load(s).horizontal, 0);
}

} // namespace
} // namespace rov2::test
