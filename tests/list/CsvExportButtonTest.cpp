// CSV出力 on the list screen: the marked customers (or all listed ones) go to
// the file the user chooses, in the encoding chosen beside the button.
#include "ListFixture.h"

#include "ComboBox.h"
#include "CustomerListModel.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace rov2::test {
namespace {

class CsvExportButton : public ListScreen
{
protected:
    void SetUp() override
    {
        ListScreen::SetUp();
        ASSERT_TRUE(out.isValid());
        addCustomer(QStringLiteral("青木一郎"), QStringLiteral("あおきいちろう"));
        addCustomer(QStringLiteral("山田花子"), QStringLiteral("やまだはなこ"));
        addMember(QStringLiteral("山田花子"), QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"));
        frm->Read顧客一覧();
    }
    QByteArray written(const QString& name) const
    {
        QFile f(out.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir out;
};

TEST_F(CsvExportButton, WritesTheMarkedCustomersInShiftJis)
{
    frm->listModel()->setMarked(1, true); // 山田花子
    dialogs.chooseFile(out.filePath(QStringLiteral("list.csv")));
    click("cmdCSV出力");

    const QByteArray bytes = written(QStringLiteral("list.csv"));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << "Shift_JIS carries no byte-order mark";
    EXPECT_TRUE(bytes.contains("\x8E\x52\x93\x63")) << "山田 in CP932";
    EXPECT_FALSE(bytes.contains("\x90\xC2\x96\xD8")) << "青木 was not marked";
    EXPECT_EQ(bytes.count("\r\n"), 2) << "the heading line and one customer";
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("list_家族.csv")))) << "no family file without 家族を含む";
}

TEST_F(CsvExportButton, UnmarkedListWritesEveryoneAndFamilyInUtf8)
{
    ctl<QCheckBox>("Chk家族")->setChecked(true);
    frm->Read顧客一覧();
    auto* encoding = ctl<ComboBox>("cmbCSV文字コード");
    ASSERT_TRUE(encoding);
    encoding->setCurrentIndex(1);
    dialogs.chooseFile(out.filePath(QStringLiteral("list.csv")));
    click("cmdCSV出力");

    const QByteArray bytes = written(QStringLiteral("list.csv"));
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << "UTF-8 with a byte-order mark";
    const QString customers = QString::fromUtf8(bytes);
    EXPECT_TRUE(customers.contains(QStringLiteral("青木一郎")));
    EXPECT_TRUE(customers.contains(QStringLiteral("山田花子")));
    const QString family = QString::fromUtf8(written(QStringLiteral("list_家族.csv")));
    EXPECT_TRUE(family.contains(QStringLiteral("山田太郎")));
}

TEST_F(CsvExportButton, CancelledChoiceWritesNothing)
{
    dialogs.cancelFile();
    click("cmdCSV出力");
    EXPECT_TRUE(QDir(out.path()).isEmpty());
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

// The screen hands its own files to the export: choosing the data file (here
// by a link beside the other files) is refused, nothing asked, nothing written.
TEST_F(CsvExportButton, TheDataFileIsRefused)
{
    const QByteArray data = [&] {
        QFile f(d.dataFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const QString link = out.filePath(QStringLiteral("list.csv"));
    ASSERT_TRUE(QFile::link(d.dataFile(), link));
    dialogs.chooseFile(link).answer(MsgAnswer::Ok);
    click("cmdCSV出力");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().front().buttons, MsgButtons::Ok);
    EXPECT_TRUE(dialogs.messages().front().text.contains(QStringLiteral("データファイル")));
    QFile f(d.dataFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), data);
    EXPECT_TRUE(dialogs.allUsed());
}

} // namespace
} // namespace rov2::test
