// Postcards from the customer list: the cards made from the marked rows, the
// postcard settings, and the print panel's two postcard choices.
#include "CustomerListModel.h"
#include "FailingSink.h"
#include "FrmHagakiSettings.h"
#include "ListFixture.h"
#include "PostcardAddressees.h"
#include "PostcardSettings.h"
#include "ReportPreview.h"
#include "TestNames.h"

#include <QApplication>
#include <QCheckBox>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace rov2::test {
namespace {

using report::PostcardOptions;
using report::PostcardPaper;
using report::PostcardWriting;

// ---- the cards made from the marked rows ----

MarkedForPostcard customer(const char* name, const char* honorific = "")
{
    return {QString::fromUtf8(name),
            {},
            false,
            true,
            QString::fromUtf8(honorific),
            QStringLiteral("1000001"),
            QStringLiteral("東京都千代田区1-2-3"),
            QStringLiteral("ビル101")};
}

MarkedForPostcard member(const char* owner, const char* name)
{
    MarkedForPostcard m = customer(owner);
    m.氏名 = QString::fromUtf8(name);
    m.member = true;
    return m;
}

/// A card as one line: name, honorific, postal code, first address line, joint names.
QString shown(const report::PostcardAddressee& c)
{
    QStringList joint;
    for (const report::JointName& j : c.jointNames)
        joint << j.name + j.honorific;
    return QStringList{c.name, c.honorific, c.postalCode, c.address1, joint.join(u',')}.join(u'|');
}

struct GroupingCase
{
    const char* title;
    std::vector<MarkedForPostcard> rows;
    QStringList cards;
};

class Grouping : public ::testing::TestWithParam<GroupingCase>
{
};

TEST_P(Grouping, MarkedRowsBecomeCards)
{
    QStringList cards;
    for (const report::PostcardAddressee& c : postcardAddressees(GetParam().rows))
        cards << shown(c);
    EXPECT_EQ(cards, GetParam().cards);
}

const QString kAt = QStringLiteral("1000001|東京都千代田区1-2-3|");

INSTANTIATE_TEST_SUITE_P(
    Rows, Grouping,
    ::testing::Values(
        GroupingCase{"customerAlone", {customer("青木商店", " 御中　")}, {"青木商店|御中|" + kAt}},
        GroupingCase{"emptyHonorificIsSama", {customer("青木　一郎")}, {"青木　一郎|様|" + kAt}},
        GroupingCase{"customerAndTwoMembers",
                     {customer("青木　一郎"), member("青木　一郎", "花子"), member("青木　一郎", "太郎")},
                     {"青木　一郎|様|" + kAt + "花子様,太郎様"}},
        GroupingCase{"customerAndFiveMembers",
                     {customer("青木　一郎"), member("青木　一郎", "一"), member("青木　一郎", "二"),
                      member("青木　一郎", "三"), member("青木　一郎", "四"), member("青木　一郎", "五")},
                     {"青木　一郎|様|" + kAt + "一様,二様,三様", "四|様|" + kAt, "五|様|" + kAt}},
        GroupingCase{"memberAloneGetsTheCustomersAddress",
                     {member("青木　一郎", "花子"), customer("井上　次郎")},
                     {"花子|様|" + kAt, "井上　次郎|様|" + kAt}}),
    FieldName<&GroupingCase::title>());

// ---- the settings ----

struct SettingsCase
{
    const char* title;
    PostcardOptions given;
    PostcardOptions stored;
};

class PostcardSettingsRoundTrip : public ::testing::TestWithParam<SettingsCase>
{
};

TEST_P(PostcardSettingsRoundTrip, StoredAsLoaded)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ini"));
    ASSERT_TRUE(PostcardSettings::save(path, GetParam().given));
    QSettings s(path, QSettings::IniFormat);
    EXPECT_EQ(PostcardSettings::load(s), GetParam().stored);
    // A disk that fails leaves the stored options as they were.
    EXPECT_FALSE(PostcardSettings::save(path, PostcardOptions{}, [](const QString& target) {
        return std::make_unique<FailingSink>(target, DiskFailure{0, true});
    }));
    QSettings again(path, QSettings::IniFormat);
    EXPECT_EQ(PostcardSettings::load(again), GetParam().stored);
}

PostcardOptions options(PostcardWriting w, bool kanji, bool sender, double x, double y, PostcardPaper paper)
{
    return {w, kanji, sender, x, y, paper};
}

INSTANTIATE_TEST_SUITE_P(
    Options, PostcardSettingsRoundTrip,
    ::testing::Values(
        SettingsCase{
            "everythingOtherThanTheDefault",
            options(PostcardWriting::Horizontal, false, true, 1.2, -0.3, PostcardPaper::LongEnvelope3),
            options(PostcardWriting::Horizontal, false, true, 1.2, -0.3, PostcardPaper::LongEnvelope3)},
        SettingsCase{"offsetsHeldAndRounded",
                     options(PostcardWriting::Vertical, true, false, 7.5, -4.96, PostcardPaper::Card),
                     options(PostcardWriting::Vertical, true, false, 5.0, -5.0, PostcardPaper::Card)},
        SettingsCase{"notANumberIsNoOffset",
                     options(PostcardWriting::Vertical, true, false, std::nan(""), 2.04, PostcardPaper::Card),
                     options(PostcardWriting::Vertical, true, false, 0, 2.0, PostcardPaper::Card)}),
    FieldName<&SettingsCase::title>());

TEST(PostcardSettingsFile, UnreadableValuesGiveTheDefaults)
{
    QTemporaryDir dir;
    QSettings s(dir.filePath(QStringLiteral("t.ini")), QSettings::IniFormat);
    for (const char* key : {"writing", "kanjiNumerals", "printSender", "horizontalOffsetMm", "paper"})
        s.setValue(QStringLiteral("postcards/") + QString::fromUtf8(key), QStringLiteral("abc"));
    EXPECT_EQ(PostcardSettings::load(s), PostcardOptions{});
}

// ---- the print panel ----

class PostcardPanel : public ListScreen
{
protected:
    void SetUp() override
    {
        // The program's own settings go to this test's folder.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, d.folder());
        ListScreen::SetUp();
    }
    void markAll()
    {
        ctl<QCheckBox>("Chk家族")->setChecked(true);
        frm->Read顧客一覧();
        for (int i = 0; i < listed().size(); ++i)
            ASSERT_TRUE(frm->listModel()->setMarked(i, true));
    }
};

TEST_F(PostcardPanel, PreviewShowsOneCardPerPage)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"));
    for (const char* m : {"一", "二", "三", "四", "五"})
        addMember(QStringLiteral("青木　一郎"), QString::fromUtf8(m), QString::fromUtf8(m));
    markAll();
    ASSERT_EQ(listed().size(), 6);
    click("cmd印刷");
    ctl<QCheckBox>("chkはがきプレビュー")->click();
    click("cmd印刷開始");
    EXPECT_TRUE(dialogs.messages().isEmpty());
    const auto previews = frm->findChildren<report::ReportPreview*>();
    ASSERT_EQ(previews.size(), 1);
    EXPECT_EQ(previews.front()->windowTitle(), QStringLiteral("はがき宛名"));
    EXPECT_EQ(previews.front()->pageCount(), 3) << "three names on the first card, two cards of their own";
}

// Printing at once goes through the print dialog, on the card; the PDF shows what was printed.
TEST_F(PostcardPanel, PrintGoesThroughThePrintDialogOnTheCard)
{
    addCustomer(QStringLiteral("青木　一郎"), QStringLiteral("あおき"));
    addCustomer(QStringLiteral("井上　次郎"), QStringLiteral("いのうえ"));
    markAll();
    const QString pdf = d.path(QStringLiteral("cards.pdf"));
    dialogs.confirmPrint(pdf);
    click("cmd印刷");
    ctl<QCheckBox>("chkはがき")->click();
    click("cmd印刷開始");
    EXPECT_EQ(dialogs.printRequests(), 1);
    EXPECT_TRUE(frm->findChildren<report::ReportPreview*>().isEmpty());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(60000));
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b")))) << out.toStdString();
    // 100 × 148 mm
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("Page size:\\s+28[34]\\S* x 419\\S* pts"))))
        << out.toStdString();
}

// The settings screen opens from オプション with a postcard choice and is worked from the keyboard.
TEST_F(PostcardPanel, OptionOpensTheSettingsWhichStoreAsTheyChange)
{
    click("cmd印刷");
    ctl<QCheckBox>("chkはがき")->click();
    click("cmdオプション");
    FrmHagakiSettings* form = nullptr;
    ASSERT_NO_FATAL_FAILURE(test::ctl(frm.get(), "FrmHagakiSettings", form));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("はがき宛名印刷設定"));
    auto* vertical = test::ctl<QRadioButton>(form, "opt縦書き");
    ASSERT_TRUE(vertical && vertical->isChecked());
    form->activateWindow();
    vertical->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([vertical] { return vertical->hasFocus(); }));
    QTest::keyClick(vertical, Qt::Key_Right);
    EXPECT_EQ(PostcardSettings::load().writing, PostcardWriting::Horizontal) << "stored at once";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right); // to 入力のまま
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // 差出人
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up); // 横 +0.1 mm
    const PostcardOptions expected{PostcardWriting::Horizontal, false, true, 0.1, 0, PostcardPaper::Card};
    EXPECT_EQ(PostcardSettings::load(), expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !frm->findChild<FrmHagakiSettings*>(); }));
    // Labels keep their own screen.
    ctl<QCheckBox>("chkタック")->click();
    click("cmdオプション");
    EXPECT_EQ(frm->findChild<FrmHagakiSettings*>(), nullptr);
}

} // namespace
} // namespace rov2::test
