// Pasted text in the one-line inputs loses its line breaks, tabs and other
// control characters before it reaches the box, and so the file.
#include "ComboBox.h"
#include "SingleLineFilter.h"
#include "TestNames.h"
#include "TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <ostream>

namespace rov2 {
namespace {

struct PasteCase {
    const char* what;
    QString pasted;
    QString kept;
};

void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.what; }

class PastedText : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PastedText, KeepsNoControlCharacter)
{
    EXPECT_EQ(withoutControlCharacters(GetParam().pasted), GetParam().kept);

    TextBox box;
    box.setText(QStringLiteral("前"));
    box.insert(GetParam().pasted); // as a paste does, at the cursor
    EXPECT_EQ(box.text(), QStringLiteral("前") + GetParam().kept);
    EXPECT_EQ(box.cursorPosition(), box.text().size()) << "the cursor ends after what was pasted";

    ComboBox name;
    name.setEditable(true);
    name.lineEdit()->insert(GetParam().pasted);
    EXPECT_EQ(name.text(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PastedText,
    ::testing::Values(PasteCase{"line feed", QStringLiteral("山田\n太郎"), QStringLiteral("山田太郎")},
                      PasteCase{"carriage return and line feed at the end", QStringLiteral("様\r\n"), QStringLiteral("様")},
                      PasteCase{"tab", QStringLiteral("03\t1234"), QStringLiteral("031234")},
                      PasteCase{"line separator", QStringLiteral("東京都") + QChar(0x2028) + QStringLiteral("港区"),
                                QStringLiteral("東京都港区")},
                      PasteCase{"escape and delete", QStringLiteral("a") + QChar(0x1b) + QChar(0x7f) + QStringLiteral("b"),
                                QStringLiteral("ab")},
                      PasteCase{"plain text unchanged", QStringLiteral("山田　花子 様"), QStringLiteral("山田　花子 様")}),
    ::rov2::test::PrintedName());

TEST(PastedText, ThroughTheClipboard)
{
    TextBox box;
    QApplication::clipboard()->setText(QStringLiteral("一行目\n二行目"));
    if (QApplication::clipboard()->text() != QStringLiteral("一行目\n二行目"))
        GTEST_SKIP() << "this platform has no clipboard";
    box.paste();
    EXPECT_EQ(box.text(), QStringLiteral("一行目二行目"));
}

} // namespace
} // namespace rov2
