#include "TextHelpers.h"
#include "LimitText.h"

#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "TestNames.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

QString repeated(const QString& piece, int times)
{
    return piece.repeated(times);
}

struct LimitRow
{
    const char* name;
    QString text;
    int limit;
    bool fits;
    QString kept;
};

void PrintTo(const LimitRow& r, std::ostream* os)
{
    *os << r.name;
}

const QString kName20 = repeated(QStringLiteral("山"), 20);

const LimitRow kLimitRows[] = {
    {"twenty wide characters fit 40", kName20, 40, true, kName20},
    {"twenty-one are cut to twenty", kName20 + QStringLiteral("田"), 40, false, kName20},
    {"narrow letters count two as well", repeated(QStringLiteral("a"), 21), 40, false,
     repeated(QStringLiteral("a"), 20)},
    {"empty text fits", QString(), 40, true, QString()},
    {"odd limit keeps limit/2", repeated(QStringLiteral("カ"), 21), 41, false,
     repeated(QStringLiteral("カ"), 20)},
    {"a surrogate pair is one character", repeated(QStringLiteral("𠮷"), 21), 40, false,
     repeated(QStringLiteral("𠮷"), 20)},
    // 40 UTF-16 units but 20 characters: counting units would refuse it.
    {"twenty surrogate pairs fit 40", repeated(QStringLiteral("𠮷"), 20), 40, true, repeated(QStringLiteral("𠮷"), 20)},
    {"limit zero empties the box", QStringLiteral("a"), 0, false, QString()},
};

class LimitTextLengthTest : public ::testing::TestWithParam<std::tuple<LimitRow, bool>>
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window_);
        auto* other = new QLineEdit(&window_);
        layout->addWidget(other);
        if (std::get<1>(GetParam())) {
            combo_ = new QComboBox(&window_);
            combo_->setEditable(true);
            control_ = combo_;
        } else {
            control_ = edit_ = new QLineEdit(&window_);
        }
        layout->addWidget(control_);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        other->setFocus();
    }
    void setText(const QString& t) { combo_ ? combo_->setEditText(t) : edit_->setText(t); }
    QString text() const { return combo_ ? combo_->currentText() : edit_->text(); }
    bool focused() const
    {
        QWidget* f = QApplication::focusWidget();
        return f == control_ || control_->isAncestorOf(f);
    }

    QWidget window_;
    QWidget* control_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QComboBox* combo_ = nullptr;
};

TEST_P(LimitTextLengthTest, CutsBeepsAndFocusesOnlyWhenTooLong)
{
    const LimitRow& row = std::get<0>(GetParam());
    test::ScriptedDialogs d;
    setText(row.text);
    EXPECT_EQ(LimitTextLength(control_, row.limit), row.fits);
    EXPECT_EQ(text(), row.kept);
    EXPECT_EQ(d.beeps(), row.fits ? 0 : 1);
    EXPECT_EQ(focused(), !row.fits);
}

INSTANTIATE_TEST_SUITE_P(TextHelpers, LimitTextLengthTest,
                         ::testing::Combine(::testing::ValuesIn(kLimitRows), ::testing::Bool()),
                         [](const auto& row) {
                             return test::testName(std::get<0>(row.param).name) +
                                    (std::get<1>(row.param) ? "_InComboBox" : "_InLineEdit");
                         });

TEST(TextHelpers, LimitTextLengthRefusesAControlWithoutEditableText)
{
    test::ScriptedDialogs d;
    QComboBox listOnly;
    listOnly.addItem(QStringLiteral("とても長い名前とても長い名前とても長い名前"));
    EXPECT_FALSE(LimitTextLength(&listOnly, 4));
    EXPECT_FALSE(LimitTextLength(nullptr, 40));
    EXPECT_EQ(listOnly.currentText(), QStringLiteral("とても長い名前とても長い名前とても長い名前"));
    EXPECT_EQ(d.beeps(), 0);
}

struct CutRow
{
    QString text;
    QString token; ///< a null QString: the numeric token 0
    int mode;
    QString expected;
};

void PrintTo(const CutRow& r, std::ostream* os)
{
    PrintTo(QString(r.text).replace(QChar(u'\0'), u'~'), os);
    *os << " mode " << r.mode;
}

class CutTextTest : public ::testing::TestWithParam<CutRow>
{
};

TEST_P(CutTextTest, KeepsThePartBeforeTheToken)
{
    const CutRow& r = GetParam();
    const QString result = r.token.isNull() ? CutText(r.text, 0, r.mode) : CutText(r.text, r.token, r.mode);
    EXPECT_EQ(result, r.expected);
}

const QChar kNul(u'\0');

INSTANTIATE_TEST_SUITE_P(
    TextHelpers, CutTextTest,
    ::testing::Values(
        CutRow{QStringLiteral("c:\\data") + QString(5, kNul), QString(), 2, QStringLiteral("c:\\data")},
        CutRow{QString(kNul) + QStringLiteral("left over"), QString(), 2, QString()},
        CutRow{QString(), QString(), 2, QString()},
        CutRow{QStringLiteral("no terminator"), QString(), 2, QStringLiteral("no terminator")},
        CutRow{QStringLiteral("A") + kNul + QStringLiteral("B") + kNul, QString(), 2, QStringLiteral("A")},
        CutRow{QStringLiteral("Rov2Data.mdb 2001/08/08"), QStringLiteral(" "), 2,
               QStringLiteral("Rov2Data.mdb")},
        CutRow{QStringLiteral("noblank"), QStringLiteral(" "), 2, QStringLiteral("noblank")},
        CutRow{QStringLiteral(" lead"), QStringLiteral(" "), 2, QString()},
        CutRow{QStringLiteral("全角　空白"), QStringLiteral(" "), 2, QStringLiteral("全角　空白")},
        CutRow{QStringLiteral("aBcb"), QStringLiteral("b"), 2, QStringLiteral("aBc")},
        CutRow{QStringLiteral("a--b--c"), QStringLiteral("--"), 2, QStringLiteral("a")},
        CutRow{QStringLiteral("a b"), QStringLiteral(" "), 1, QStringLiteral("a b")}), ::rov2::test::PrintedName());

} // namespace
} // namespace rov2
