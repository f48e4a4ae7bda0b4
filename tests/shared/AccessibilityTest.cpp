#include "Accessibility.h"

#include "QtPrinters.h"

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
        NameRow{QStringLiteral("Image1"), QString(), QStringLiteral("Image1")}));

} // namespace
} // namespace rov2
