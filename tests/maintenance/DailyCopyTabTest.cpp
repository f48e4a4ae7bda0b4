// The daily copies on the データ保守 tab: listed with their days and
// customer counts, and one read back in place of the data file in use.
#include "DailyCopy.h"
#include "HosyuFixture.h"
#include "JapaneseDate.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

namespace rov2::test {
namespace {

class DailyCopyTab : public HosyuFixture
{
protected:
    void SetUp() override
    {
        HosyuFixture::SetUp();
        // One customer on the 6th, two on the 7th, three now.
        for (int day = 6; day <= 8; ++day) {
            exec(d.dataFile(), QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES (?)"),
                 {QStringLiteral("客%1").arg(day)});
            if (day < 8) {
                ASSERT_EQ(takeDailyCopy(d.dataFile(), QDate(2026, 12, day)).outcome, DailyCopyOutcome::Taken);
            }
        }
        Clock::setToday(QDate(2026, 12, 8));
        open();
    }
    void TearDown() override
    {
        Clock::setToday(QDate());
        HosyuFixture::TearDown();
    }
    qint64 customers()
    {
        return count(d.dataFile(), QStringLiteral("SELECT COUNT(*) AS num FROM 顧客マスタ"));
    }

    /// Chooses the older copy and presses Enter on it, as a user would.
    void restoreTheOlderCopy(MsgAnswer answer)
    {
        auto* tabs = ctl<QTabWidget>("SSTab");
        auto* list = ctl<QListWidget>("lst自動保存");
        ASSERT_TRUE(tabs && list);
        tabs->setCurrentIndex(1);
        focus(list);
        QTest::keyClick(list, Qt::Key_Down);
        dialogs.answer(answer);
        QTest::keyClick(list, Qt::Key_Return);
    }

    const QString kept = QDir(d.folder()).filePath(QStringLiteral("Rov2Data_20261208.mdb"));
};

TEST_F(DailyCopyTab, ListsTheCopiesNewestFirstWithTheirCustomers)
{
    auto* list = ctl<QListWidget>("lst自動保存");
    ASSERT_TRUE(list);
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("2026/12/07　顧客 2件"), QStringLiteral("2026/12/06　顧客 1件")}));
}

TEST_F(DailyCopyTab, TheChosenCopyReplacesTheDataAndTheReplacedDataIsKept)
{
    QSignalSpy followed(frm.get(), &FrmHosyu::settingsSaved);
    restoreTheOlderCopy(MsgAnswer::Yes);

    EXPECT_EQ(customers(), 1);
    EXPECT_EQ(count(kept, QStringLiteral("SELECT COUNT(*) AS num FROM 顧客マスタ")), 3)
        << "the replaced data is kept";
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("2026/12/06")))
        << "asked first, naming the day";
    EXPECT_TRUE(dialogs.messages()[1].text.contains(QDir::toNativeSeparators(kept)))
        << dialogs.messages()[1].text.toStdString();
    EXPECT_EQ(followed.count(), 1) << "the other screens are told to read the file again";
}

TEST_F(DailyCopyTab, ACopyAnsweredNoLeavesTheDataAlone)
{
    QSignalSpy followed(frm.get(), &FrmHosyu::settingsSaved);
    restoreTheOlderCopy(MsgAnswer::No);

    EXPECT_EQ(customers(), 3);
    EXPECT_FALSE(QFileInfo::exists(kept));
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(followed.count(), 0);
}

} // namespace
} // namespace rov2::test
