#include "DateBox.h"
#include "JapaneseDate.h"
#include "TestForm.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

using test::press;
using test::type;

// A date column as the family grid builds it: stored text "yyyy/mm/dd",
// edited with a DateBox that leaves the movement to the grid.
class DateColumnDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* box = new DateBox(parent);
        box->setMoveKeys({}, {});
        box->setEraCalendar(true);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<DateBox*>(editor)->setDate(fromStoredDate(index.data(Qt::EditRole).toString()));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        const std::optional<QDate> date = static_cast<DateBox*>(editor)->date();
        model->setData(index, date ? QVariant(toStoredDate(*date)) : QVariant(), Qt::EditRole);
    }
};

class DateBoxCellEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setToday(QDate(2001, 8, 15));
        model.setItem(0, 0, new QStandardItem(QStringLiteral("2001/08/08")));
        model.setItem(1, 0, new QStandardItem());
        view = form.add<QTableView>("grid");
        view->setModel(&model);
        view->setItemDelegate(&delegate);
        ASSERT_TRUE(form.show());
        view->setFocus(Qt::OtherFocusReason);
    }
    void TearDown() override { Clock::setToday(QDate()); }

    DateBox* edit(int row)
    {
        const QModelIndex index = model.index(row, 0);
        view->setCurrentIndex(index);
        view->edit(index);
        return qobject_cast<DateBox*>(view->indexWidget(index));
    }
    bool editorClosed(int row) const
    {
        return QTest::qWaitFor([&] { return view->indexWidget(model.index(row, 0)) == nullptr; });
    }
    QVariant stored(int row) const { return model.index(row, 0).data(Qt::EditRole); }

    test::TestForm form;
    QStandardItemModel model{2, 1};
    DateColumnDelegate delegate;
    QTableView* view = nullptr;
};

TEST_F(DateBoxCellEditorTest, TypingAndEnterStoresTheDate)
{
    ASSERT_NE(edit(1), nullptr);
    type(QStringLiteral("19750405"));
    press(Qt::Key_Return);
    ASSERT_TRUE(editorClosed(1));
    EXPECT_EQ(stored(1).toString(), "1975/04/05");
}

TEST_F(DateBoxCellEditorTest, TheCalendarKeepsTheEditorOpen)
{
    DateBox* editor = edit(0);
    ASSERT_NE(editor, nullptr);
    press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(editor->isCalendarVisible());
    QApplication::processEvents();
    ASSERT_EQ(view->indexWidget(model.index(0, 0)), editor) << "opening the calendar closed the editor";
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(view->indexWidget(model.index(0, 0)), editor) << "picking a day closed the editor";
    EXPECT_TRUE(editor->hasFocus());
    press(Qt::Key_Return);
    ASSERT_TRUE(editorClosed(0));
    EXPECT_EQ(stored(0).toString(), "2001/08/09");
}

} // namespace
} // namespace rov2
