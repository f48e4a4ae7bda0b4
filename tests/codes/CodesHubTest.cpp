// The code-table screen and the hint editor as the main screen's hub opens
// them, and the main screen's lists after a save.
#include "CodeColumn.h"
#include "CodesFixture.h"

#include "CodeTableModel.h"
#include "ComboBox.h"
#include "FrmCodeMaster.h"
#include "FrmHint.h"
#include "FrmROV2.h"
#include "HintButton.h"
#include "ScreenStack.h"
#include "TextBox.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace rov2::test {
namespace {

class CodesHub : public CodesFixture {
protected:
    void SetUp() override
    {
        CodesFixture::SetUp();
        main = std::make_unique<FrmROV2>();
        registerScreen(kMainScreenName, [this] { return main.get(); });
        registerScreenType<FrmCodeMaster>(QStringLiteral("FrmCodeMaster"));
        registerScreenType<FrmHint>(kHintScreenName);
        main->Form_Load();
        main->show();
        ASSERT_TRUE(activate(main.get()));
    }
    void TearDown() override
    {
        CodesFixture::TearDown();
        for (const char* name : {"FrmCodeMaster", "FrmHint", "FrmROV2"})
            unregisterScreen(QString::fromUtf8(name));
        main.reset();
    }
    FrmCodeMaster* openFromMain()
    {
        EXPECT_TRUE(focus(main->txtTEL1()));
        QTest::keyClick(main->txtTEL1(), Qt::Key_F12);
        codes = qobject_cast<FrmCodeMaster*>(screenNamed(QStringLiteral("FrmCodeMaster")));
        EXPECT_TRUE(codes && codes->isVisible());
        return codes;
    }
    static QStringList items(const ComboBox* box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }

    std::unique_ptr<FrmROV2> main;
};

TEST_F(CodesHub, F12OpensTheCodeTableAndBackReturnsToTheMainScreen)
{
    openFromMain();
    ASSERT_TRUE(codes);
    EXPECT_EQ(screenStackEntries(), QStringList{QStringLiteral("FrmROV2")});
    EXPECT_EQ(codes->loadedKind(), QStringLiteral("区分1"));
    buttonOf(codes, "cmd戻る")->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return codes.isNull(); })) << "popped: the screen closes";
    EXPECT_TRUE(screenStackEntries().isEmpty());
    EXPECT_TRUE(main->isVisible());

    // With nothing on the stack, 戻る brings up the main screen and stays.
    main->Command5()->click();
    codes = qobject_cast<FrmCodeMaster*>(screenNamed(QStringLiteral("FrmCodeMaster")));
    resetScreenStack();
    buttonOf(codes, "cmd戻る")->click();
    QApplication::processEvents();
    EXPECT_FALSE(codes.isNull());
}

TEST_F(CodesHub, TheMainScreenShowsNewNamesWhenItIsActiveAgain)
{
    ASSERT_TRUE(focus(main->txtTEL1())); // leaving the empty name box clears the screen
    main->cmb敬称()->setText(QStringLiteral("打ちかけ"));
    openFromMain();
    ASSERT_TRUE(activate(codes));
    CodeTableModel* model = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(codes.data(), "datコードマスタ", model));
    ASSERT_TRUE(model->setData(model->index(2, codes::sname), QStringLiteral("新区分")));
    dialogs.answer(MsgAnswer::Yes);
    buttonOf(codes, "cmd登録")->click();
    EXPECT_FALSE(items(main->cmb区分1()).contains(QStringLiteral("新区分"))) << "not before it is active";
    ASSERT_EQ(main->cmb敬称()->text(), QStringLiteral("打ちかけ"));

    buttonOf(codes, "cmdメニュー")->click();
    ASSERT_TRUE(activate(main.get()));
    EXPECT_TRUE(items(main->cmb区分1()).contains(QStringLiteral("新区分")));
    EXPECT_EQ(main->cmb敬称()->text(), QStringLiteral("打ちかけ")) << "what was typed stays";
}

TEST_F(CodesHub, HintButtonsOpenOneEditorWhichTheCodeTableClosesWithItself)
{
    openFromMain();
    buttonOf(codes, "cmdHint")->click();
    QPointer<FrmHint> hint = qobject_cast<FrmHint*>(screenNamed(QStringLiteral("FrmHint")));
    ASSERT_TRUE(hint);
    EXPECT_TRUE(hint->isVisible());
    expectHintFor(hint.data(), QStringLiteral("FrmCodeMaster"), QStringLiteral("cmdHint"), codes->windowTitle());

    // The main screen's button brings the same editor forward, still on its note.
    main->CmdHint()->click();
    EXPECT_EQ(screenNamed(QStringLiteral("FrmHint")), hint.data());
    EXPECT_EQ(ctl<QLabel>(hint.data(), "lblFormName")->text(), QStringLiteral("FrmCodeMaster"));

    buttonOf(codes, "cmd閉じる")->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return hint.isNull() && codes.isNull(); }));

    // Loaded afresh, it takes the next hand-over.
    main->CmdHint()->click();
    hint = qobject_cast<FrmHint*>(screenNamed(QStringLiteral("FrmHint")));
    ASSERT_TRUE(hint);
    EXPECT_EQ(ctl<QLabel>(hint.data(), "lblFormName")->text(), QStringLiteral("FrmROV2"));
}

} // namespace
} // namespace rov2::test
