#include "InputMethod.h"

#include "QtPrinters.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

void expectClosed(const QWidget* w)
{
    EXPECT_EQ(imeOpenSetting(w), false);
    EXPECT_FALSE(w->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(w->inputMethodHints().testFlag(Qt::ImhLatinOnly));
}

void expectOpen(const QWidget* w)
{
    EXPECT_EQ(imeOpenSetting(w), true);
    EXPECT_TRUE(w->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(w->inputMethodHints().testFlag(Qt::ImhLatinOnly));
}

TEST(InputMethod, ClosedIsLatinOnlyAndOpenUndoesIt)
{
    QLineEdit code;
    code.setInputMethodHints(Qt::ImhNoAutoUppercase);
    EXPECT_EQ(imeOpenSetting(&code), std::nullopt);
    SetImeOpen(&code, 0);
    expectClosed(&code);
    SetImeOpen(&code, 1);
    expectOpen(&code);
    EXPECT_TRUE(code.inputMethodHints().testFlag(Qt::ImhNoAutoUppercase)) << "other hints are kept";
    SetImeOpen(&code, -1); // any non-zero value opens, as the system's flag does
    expectOpen(&code);
}

TEST(InputMethod, AnEditableComboPassesItOnToItsLineEdit)
{
    QComboBox names;
    names.setEditable(true);
    SetImeOpen(&names, 0);
    expectClosed(&names);
    expectClosed(names.lineEdit());
    SetImeOpen(&names, 1);
    expectOpen(names.lineEdit());
}

} // namespace
} // namespace rov2
