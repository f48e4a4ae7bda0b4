#include "ComboBox.h"
#include "TestNames.h"
#include "DateBox.h"
#include "InputMethod.h"
#include "NumberBox.h"
#include "TestForm.h"
#include "TextBox.h"

#include <QGuiApplication>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace rov2 {
namespace {

// What the input method learns when it asks the focus object, the way a
// platform input context does.
QVariant askFocusObject(Qt::InputMethodQuery query)
{
    QInputMethodQueryEvent event(query);
    QCoreApplication::sendEvent(QGuiApplication::focusObject(), &event);
    return event.value(query);
}

enum class Kind { Text, Number, Date, EditableCombo, FixedCombo };
enum class Set {
    Nothing,
    Closed,
    Opened,
    ClosedThenOpened,
    OnlyThePropertyClosed,
    OwnSwitchClosed,
    LineEditClosed
};

struct ImeCase
{
    Kind kind;
    Set set;
    bool enabled;
};

void PrintTo(const ImeCase& c, std::ostream* os)
{
    *os << "kind " << static_cast<int>(c.kind) << " set " << static_cast<int>(c.set) << (c.enabled ? " on" : " off");
}

QWidget* make(Kind kind, test::TestForm& form)
{
    switch (kind) {
    case Kind::Text:
        return form.add<TextBox>("input");
    case Kind::Number:
        return form.add<NumberBox>("input");
    case Kind::Date:
        return form.add<DateBox>("input");
    case Kind::EditableCombo:
    case Kind::FixedCombo:
        break;
    }
    auto* combo = form.add<ComboBox>("input");
    combo->setEditable(kind == Kind::EditableCombo);
    combo->addItems({QStringLiteral("女"), QStringLiteral("男")});
    return combo;
}

void apply(Set set, QWidget* w)
{
    if (set == Set::Closed || set == Set::ClosedThenOpened)
        SetImeOpen(w, 0);
    if (set == Set::Opened || set == Set::ClosedThenOpened)
        SetImeOpen(w, 1);
    if (set == Set::OnlyThePropertyClosed)
        w->setProperty(kImeOpenProperty, false);
    if (set == Set::LineEditClosed)
        SetImeOpen(static_cast<ComboBox*>(w)->lineEdit(), 0);
    if (auto* box = qobject_cast<LineInput*>(w); box && set == Set::OwnSwitchClosed)
        box->setImeOpen(false);
    if (auto* combo = qobject_cast<ComboBox*>(w); combo && set == Set::OwnSwitchClosed)
        combo->setImeOpen(false);
}

class InputMethodQueryTest : public ::testing::TestWithParam<ImeCase>
{
};

TEST_P(InputMethodQueryTest, AnswersImEnabledAndHintsFromTheSetting)
{
    const ImeCase& c = GetParam();
    test::TestForm form;
    QWidget* input = make(c.kind, form);
    ASSERT_TRUE(form.show());
    input->setFocus(Qt::OtherFocusReason);
    apply(c.set, input);
    ASSERT_NE(QGuiApplication::focusObject(), nullptr);
    EXPECT_EQ(askFocusObject(Qt::ImEnabled).toBool(), c.enabled);
    // A fixed list takes no text, so it has no Latin hint either.
    if (c.kind != Kind::FixedCombo) {
        const auto hints = Qt::InputMethodHints(askFocusObject(Qt::ImHints).toInt());
        EXPECT_EQ(hints.testFlag(Qt::ImhLatinOnly), !c.enabled);
    }
}

INSTANTIATE_TEST_SUITE_P(Widgets, InputMethodQueryTest,
                         ::testing::Values(ImeCase{Kind::Text, Set::Nothing, true},
                                           ImeCase{Kind::Text, Set::Closed, false},
                                           ImeCase{Kind::Text, Set::OnlyThePropertyClosed, false},
                                           ImeCase{Kind::Text, Set::OwnSwitchClosed, false},
                                           ImeCase{Kind::Text, Set::ClosedThenOpened, true},
                                           ImeCase{Kind::Number, Set::Nothing, false},
                                           ImeCase{Kind::Date, Set::Nothing, false},
                                           ImeCase{Kind::Date, Set::Opened, true},
                                           ImeCase{Kind::EditableCombo, Set::Nothing, true},
                                           ImeCase{Kind::EditableCombo, Set::Closed, false},
                                           ImeCase{Kind::EditableCombo, Set::LineEditClosed, false},
                                           ImeCase{Kind::EditableCombo, Set::OwnSwitchClosed, false},
                                           ImeCase{Kind::FixedCombo, Set::Nothing, false},
                                           ImeCase{Kind::FixedCombo, Set::Opened, false}), ::rov2::test::PrintedName());

} // namespace
} // namespace rov2
