#include "QtDialogs.h"
#include "TestNames.h"

#include "CapturedWarnings.h"
#include "FileDialogs.h"
#include "Messages.h"
#include "QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

bool waitUntil(const std::function<bool()>& done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QTest::qWait(10);
    return done();
}

// Runs @p act on the modal dialog as soon as it is up; a dialog that never
// comes up fails the test rather than hanging it.
template <class D> void whenShown(std::function<void(D*)> act)
{
    QTimer::singleShot(0, [act] {
        D* dlg = nullptr;
        waitUntil([&dlg] { return (dlg = qobject_cast<D*>(QApplication::activeModalWidget())) != nullptr; });
        if (!dlg) {
            ADD_FAILURE() << "no modal dialog came up";
            return;
        }
        act(dlg);
    });
}

// The key goes where the user's would: to the box's focused button. A box
// that never takes the focus fails the test and is closed, not left blocking it.
void press(QMessageBox* box, Qt::Key key)
{
    const bool focused = QTest::qWaitFor(
        [box] { return QApplication::focusWidget() && box->isAncestorOf(QApplication::focusWidget()); });
    if (!focused)
        box->reject();
    ASSERT_TRUE(focused) << "the message box never took the focus";
    QTest::keyClick(QApplication::focusWidget(), key);
}

QStringList buttonTexts(const QMessageBox* box)
{
    QStringList texts;
    for (const QAbstractButton* b : box->buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

struct BoxRow
{
    MsgButtons buttons;
    MsgIcon icon;
    bool defaultIsSecond;
    QStringList texts;
    QString preselected;
    QMessageBox::Icon qtIcon;
    MsgAnswer onEnter;
    MsgAnswer onEscape;
};

void PrintTo(const BoxRow& r, std::ostream* os)
{
    *os << r.texts.join(u'/').toStdString() << (r.defaultIsSecond ? ", second preselected" : "");
}

class MessageBoxTest : public ::testing::TestWithParam<BoxRow>
{
protected:
    MsgAnswer run(Qt::Key key)
    {
        const BoxRow& row = GetParam();
        whenShown<QMessageBox>([row, key](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("題"));
            EXPECT_EQ(box->text(), QStringLiteral("<b>本文</b>"));
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->icon(), row.qtIcon);
            QStringList expected = row.texts;
            expected.sort();
            EXPECT_EQ(buttonTexts(box), expected);
            EXPECT_EQ(box->defaultButton() ? box->defaultButton()->text() : QString(), row.preselected);
            EXPECT_TRUE(box->isModal());
            press(box, key);
        });
        return QtDialogs().message(nullptr, {QStringLiteral("題"), QStringLiteral("<b>本文</b>"), row.buttons,
                                             row.icon, row.defaultIsSecond});
    }
};

TEST_P(MessageBoxTest, EnterAnswersThePreselectedButton)
{
    EXPECT_EQ(run(Qt::Key_Return), GetParam().onEnter);
}

TEST_P(MessageBoxTest, EscapeAnswersTheSafeButton)
{
    EXPECT_EQ(run(Qt::Key_Escape), GetParam().onEscape);
}

const QString kYes = QStringLiteral("はい");
const QString kNo = QStringLiteral("いいえ");
const QString kOk = QStringLiteral("OK");
const QString kCancel = QStringLiteral("キャンセル");

INSTANTIATE_TEST_SUITE_P(QtDialogs, MessageBoxTest,
                         ::testing::Values(BoxRow{MsgButtons::Ok,
                                                  MsgIcon::Information,
                                                  false,
                                                  {kOk},
                                                  kOk,
                                                  QMessageBox::Information,
                                                  MsgAnswer::Ok,
                                                  MsgAnswer::Ok},
                                           BoxRow{MsgButtons::Ok,
                                                  MsgIcon::Exclamation,
                                                  false,
                                                  {kOk},
                                                  kOk,
                                                  QMessageBox::Warning,
                                                  MsgAnswer::Ok,
                                                  MsgAnswer::Ok},
                                           BoxRow{MsgButtons::YesNo,
                                                  MsgIcon::Question,
                                                  false,
                                                  {kYes, kNo},
                                                  kYes,
                                                  QMessageBox::Question,
                                                  MsgAnswer::Yes,
                                                  MsgAnswer::No},
                                           BoxRow{MsgButtons::YesNo,
                                                  MsgIcon::Question,
                                                  true,
                                                  {kYes, kNo},
                                                  kNo,
                                                  QMessageBox::Question,
                                                  MsgAnswer::No,
                                                  MsgAnswer::No},
                                           BoxRow{MsgButtons::OkCancel,
                                                  MsgIcon::None,
                                                  true,
                                                  {kOk, kCancel},
                                                  kCancel,
                                                  QMessageBox::NoIcon,
                                                  MsgAnswer::Cancel,
                                                  MsgAnswer::Cancel}), ::rov2::test::PrintedName());

TEST(QtDialogs, EnterOnTheSaveQuestionSaves)
{
    QtDialogs qt;
    const DialogsScope scope(qt);
    whenShown<QMessageBox>([](QMessageBox* box) { press(box, Qt::Key_Return); });
    EXPECT_TRUE(ShowMessage(MsgOp::登録, MsgKind::確認, QStringLiteral("山田")));
}

TEST(QtDialogs, EnterOnTheDeleteQuestionKeeps)
{
    QtDialogs qt;
    const DialogsScope scope(qt);
    whenShown<QMessageBox>([](QMessageBox* box) { press(box, Qt::Key_Return); });
    EXPECT_FALSE(
        ShowMessage(MsgOp::削除, MsgKind::伝票確認2, QStringLiteral("すべてのデータ")));
}

// A tool or test that installed no dialogs must not have its questions
// answered yes, nor fail without a word in the log.
TEST(QtDialogs, WithNoneInstalledNothingIsAgreedToAndTheLogSaysSo)
{
    test::CapturedWarnings log;
    EXPECT_FALSE(ShowMessage(MsgOp::登録, MsgKind::確認, QStringLiteral("山田")));
    EXPECT_TRUE(log.said(QStringLiteral("no dialogs installed")));
    EXPECT_EQ(dialogs().saveFile(nullptr, QStringLiteral("t"), QStringLiteral("a.csv"), {}, 0), std::nullopt);
    EXPECT_EQ(dialogs().folder(nullptr, QStringLiteral("p")), std::nullopt);
}

class FileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        for (const char* name : {"yubin.mdb", "other.mdb", "notes.txt"}) {
            QFile f(dir_.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
    }

    static QStringList listedFiles(QFileDialog* dlg)
    {
        auto* view = dlg->findChild<QListView*>(QStringLiteral("listView"));
        QStringList names;
        if (!view)
            return names;
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QModelIndex i = view->model()->index(row, 0, root);
            if (i.flags() & Qt::ItemIsEnabled)
                names << i.data().toString();
        }
        names.sort();
        return names;
    }

    QTemporaryDir dir_;
};

TEST_F(FileDialogTest, FixedFileNameListsOnlyThatFile)
{
    const QStringList filters = nameFiltersFromFilter(QStringLiteral("MDB ファイル(*.mdb)|yubin.mdb|"));
    QStringList listed;
    whenShown<QFileDialog>([&listed](QFileDialog* dlg) {
        waitUntil([&] { return !listedFiles(dlg).isEmpty(); });
        listed = listedFiles(dlg);
        dlg->reject();
    });
    EXPECT_EQ(
        QtDialogs().openFile(nullptr, QStringLiteral("郵便番号辞書を指定する"), dir_.path(), filters, 0),
        std::nullopt);
    EXPECT_EQ(listed, QStringList{QStringLiteral("yubin.mdb")});
}

TEST_F(FileDialogTest, OpenAnswersTheChosenFile)
{
    const QString chosen = dir_.filePath(QStringLiteral("other.mdb"));
    whenShown<QFileDialog>([chosen](QFileDialog* dlg) {
        dlg->selectFile(chosen);
        QMetaObject::invokeMethod(dlg, &QDialog::accept);
    });
    const auto path = QtDialogs().openFile(nullptr, QStringLiteral("t"), dir_.path(),
                                           nameFiltersFromFilter(QStringLiteral("MDB(*.mdb)|*.mdb|")), 0);
    EXPECT_EQ(path, chosen);
}

TEST_F(FileDialogTest, SaveProposesTheNameAndCancelAnswersNothing)
{
    QString proposedName;
    QString folder;
    whenShown<QFileDialog>([&](QFileDialog* dlg) {
        auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        proposedName = edit ? edit->text() : QString();
        folder = dlg->directory().absolutePath();
        dlg->reject();
    });
    const auto path = QtDialogs().saveFile(nullptr, QStringLiteral("t"),
                                           dir_.filePath(QStringLiteral("Rov2Data.mdb")), {}, 0);
    EXPECT_EQ(path, std::nullopt);
    EXPECT_EQ(proposedName, QStringLiteral("Rov2Data.mdb"));
    EXPECT_EQ(folder, QDir(dir_.path()).absolutePath());
}

} // namespace
} // namespace rov2
