#include "Accessibility.h"
#include "TestNames.h"

#include "QtPrinters.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

struct NameRow
{
    QString controlName;
    QString caption;
    QString spoken;
};

void PrintTo(const NameRow& r, std::ostream* os)
{
    PrintTo(r.controlName, os);
}

class AccessibilityTest : public ::testing::TestWithParam<NameRow>
{
};

TEST_P(AccessibilityTest, CaptionIsTheNameAndControlNameTheDescription)
{
    QPushButton b;
    nameControl(&b, GetParam().controlName, GetParam().caption);
    EXPECT_EQ(b.accessibleName(), GetParam().spoken);
    EXPECT_EQ(b.accessibleDescription(), GetParam().controlName);
    EXPECT_EQ(b.objectName(), GetParam().controlName);
}

INSTANTIATE_TEST_SUITE_P(
    Accessibility, AccessibilityTest,
    ::testing::Values(
        NameRow{QStringLiteral("cmb顧客名"), QStringLiteral("顧客名"), QStringLiteral("顧客名")},
        NameRow{QStringLiteral("cmd登録"), QStringLiteral("登録(&S)"), QStringLiteral("登録(S)")},
        NameRow{QStringLiteral("cmdAnd"), QStringLiteral("A&&B"), QStringLiteral("A&B")},
        NameRow{QStringLiteral("txt郵便番号"), QString(), QStringLiteral("郵便番号")},
        NameRow{QStringLiteral("Grid家族"), QString(), QStringLiteral("家族")},
        NameRow{QStringLiteral("Image1"), QString(), QStringLiteral("Image1")}), ::rov2::test::PrintedName());

TEST(AccessibilityValue, AValueLabelIsHeardByWhatItShows)
{
    QLabel count;
    nameValueControl(&count, QStringLiteral("LblEntNum"));
    count.setText(QStringLiteral("登録数 1,234"));
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&count);
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(spoken->text(QAccessible::Name), QStringLiteral("登録数 1,234"));
    EXPECT_EQ(spoken->text(QAccessible::Description), QStringLiteral("LblEntNum"));
    EXPECT_EQ(count.objectName(), QStringLiteral("LblEntNum"));
}

} // namespace
} // namespace rov2
