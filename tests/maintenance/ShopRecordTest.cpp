// The shop's own record on the 設定 tab: shown, saved with the settings and
// read back as the sender of postcards.
#include "HosyuFixture.h"
#include "PrintDataStore.h"
#include "TextBox.h"

namespace rov2::test {
namespace {

using ShopRecord = HosyuFixture;

QString text(const char* s)
{
    return QString::fromUtf8(s);
}

TEST_F(ShopRecord, IsShownSavedAndReadAsTheSender)
{
    exec(d.dataFile(), QStringLiteral("UPDATE 自社情報 SET 顧客名 = '山田商店', 郵便番号 = '1000001', "
                                      "住所1 = '東京都港区1-1', 電話番号 = '03-1234-5678'"));
    open();
    EXPECT_EQ(ctl<TextBox>("txt自社名")->text(), text("山田商店"));
    EXPECT_EQ(ctl<TextBox>("txt自社郵便番号")->text(), text("1000001"));
    EXPECT_EQ(ctl<TextBox>("txt自社住所")->text(), text("東京都港区1-1"));
    EXPECT_EQ(ctl<TextBox>("txt自社電話番号")->text(), text("03-1234-5678"));

    ctl<TextBox>("txt自社名")->setText(text("山田商店　本店"));
    ctl<TextBox>("txt自社住所")->setText(text("大阪府大阪市北区2-2"));
    ctl<TextBox>("txt自社電話番号")->clear();
    dialogs.answer(MsgAnswer::Yes);
    click("cmd登録");
    const auto stored = rows(d.dataFile(), QStringLiteral("自社情報"));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_TRUE(stored.first().value(text("電話番号")).isNull()) << "an empty box stores Null";
    const std::optional<report::PostcardSender> sender = PrintDataStore::postcardSender(d.dataFile());
    ASSERT_TRUE(sender);
    EXPECT_EQ(sender->name, text("山田商店　本店"));
    EXPECT_EQ(sender->postalCode, text("1000001"));
    EXPECT_EQ(sender->address, text("大阪府大阪市北区2-2"));
    EXPECT_TRUE(sender->telephone.isEmpty());
}

} // namespace
} // namespace rov2::test
