#include "ComboBox.h"
#include "DateBox.h"
#include "InputMethod.h"
#include "NumberBox.h"
#include "TestForm.h"
#include "TextBox.h"

#include <QGuiApplication>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <functional>
#include <gtest/gtest.h>

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

struct ImeCase {
    const char* name;
    std::function<QWidget*(test::TestForm&)> make;
    std::function<void(QWidget*)> configure;
    bool enabled;
    bool takesText = true; ///< a fixed list has no text input and so no Latin hint either
};

void none(QWidget*) {}
void closeBySetImeOpen(QWidget* w) { SetImeOpen(w, 0); }
void openBySetImeOpen(QWidget* w) { SetImeOpen(w, 1); }
void closeByProperty(QWidget* w) { w->setProperty(kImeOpenProperty, false); }

template <class W> QWidget* make(test::TestForm& form) { return form.add<W>("input"); }

QWidget* editableCombo(test::TestForm& form)
{
    auto* combo = form.add<ComboBox>("input");
    combo->setEditable(true);
    return combo;
}

QWidget* fixedCombo(test::TestForm& form)
{
    auto* combo = form.add<ComboBox>("input");
    combo->addItems({QStringLiteral("女"), QStringLiteral("男")});
    return combo;
}

std::string caseName(const ::testing::TestParamInfo<ImeCase>& row) { return row.param.name; }

class InputMethodQueryTest : public ::testing::TestWithParam<ImeCase> {};

TEST_P(InputMethodQueryTest, AnswersImEnabledAndHintsFromTheSetting)
{
    const ImeCase& c = GetParam();
    test::TestForm form;
    QWidget* input = c.make(form);
    ASSERT_TRUE(form.show());
    input->setFocus(Qt::OtherFocusReason);
    c.configure(input);
    ASSERT_NE(QGuiApplication::focusObject(), nullptr);
    EXPECT_EQ(askFocusObject(Qt::ImEnabled).toBool(), c.enabled);
    const auto hints = Qt::InputMethodHints(askFocusObject(Qt::ImHints).toInt());
    if (c.takesText) {
        EXPECT_EQ(hints.testFlag(Qt::ImhLatinOnly), !c.enabled);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Widgets, InputMethodQueryTest,
    ::testing::Values(ImeCase{"TextBoxDefault", make<TextBox>, none, true},
                      ImeCase{"TextBoxSetImeOpen0", make<TextBox>, closeBySetImeOpen, false},
                      ImeCase{"TextBoxPropertyOnly", make<TextBox>, closeByProperty, false},
                      ImeCase{"TextBoxOwnSwitch", make<TextBox>,
                              [](QWidget* w) { static_cast<TextBox*>(w)->setImeOpen(false); }, false},
                      ImeCase{"NumberBoxDefault", make<NumberBox>, none, false},
                      ImeCase{"DateBoxDefault", make<DateBox>, none, false},
                      ImeCase{"DateBoxSetImeOpen1", make<DateBox>, openBySetImeOpen, true},
                      ImeCase{"EditableComboDefault", editableCombo, none, true},
                      ImeCase{"EditableComboSetImeOpen0", editableCombo, closeBySetImeOpen, false},
                      ImeCase{"EditableComboOnItsLineEdit", editableCombo,
                              [](QWidget* w) { SetImeOpen(static_cast<ComboBox*>(w)->lineEdit(), 0); }, false},
                      ImeCase{"EditableComboOwnSwitch", editableCombo,
                              [](QWidget* w) { static_cast<ComboBox*>(w)->setImeOpen(false); }, false},
                      ImeCase{"FixedComboDefault", fixedCombo, none, false, false},
                      ImeCase{"FixedComboSetImeOpen1", fixedCombo, openBySetImeOpen, false, false}),
    caseName);

TEST(InputMethodQuery, SwitchingBackOnClearsTheLatinHints)
{
    test::TestForm form;
    auto* box = form.add<TextBox>("box");
    ASSERT_TRUE(form.show());
    box->setFocus(Qt::OtherFocusReason);
    box->setImeOpen(false);
    box->setImeOpen(true);
    EXPECT_TRUE(askFocusObject(Qt::ImEnabled).toBool());
    EXPECT_FALSE(Qt::InputMethodHints(askFocusObject(Qt::ImHints).toInt()).testFlag(Qt::ImhLatinOnly));
    EXPECT_TRUE(box->imeOpen());
}

} // namespace
} // namespace rov2
