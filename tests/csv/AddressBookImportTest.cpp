// Customers from other address books and from phones: their headings, columns
// joined into one field, joint names as family members, vCard files.
#include "CsvFieldNames.h"
#include "CsvImportDialog.h"
#include "CsvRowFields.h"
#include "CustomerCsvFixture.h"
#include "CustomerCsvImport.h"
#include "FamilyCsvImport.h"
#include "FindControl.h"
#include "FrmHosyu.h"
#include "JapaneseDate.h"
#include "ProgramEnv.h"
#include "ScreenStack.h"
#include "TestNames.h"
#include "VCardReader.h"

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>

namespace rov2::test {
namespace {

QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

struct HeadingLine
{
    const char* headings; ///< a file's heading line
    const char* mapping;  ///< the guessed field of each column, joined by '|'
};

class HeadingFolding : public ::testing::TestWithParam<HeadingLine>
{
};

TEST_P(HeadingFolding, HeadingsOfOtherAddressBooksFindTheirFields)
{
    const QStringList headings = u8(GetParam().headings).split(u',');
    const std::vector<QString> m = guessMapping(headings, true);
    EXPECT_EQ(QStringList(m.begin(), m.end()).join(u'|'), u8(GetParam().mapping));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HeadingFolding,
    ::testing::Values(
        HeadingLine{"フリガナ（姓）,ﾌﾘｶﾞﾅ(名),自宅〒,電話（自宅）", "ふりがな|ふりがな|郵便番号|TEL1"},
        HeadingLine{"自宅 電話,【携帯】,ＴＥＬ２", "TEL1||TEL2"}, // no telephone left for the mobile
        HeadingLine{"携帯電話,電話番号2", "TEL1|TEL2"},
        HeadingLine{"苗字,メイ,セイ,氏", "名称|ふりがな|ふりがな|名称"},
        HeadingLine{"氏名,姓,名", "名称||"}, // a whole name wins over its parts
        HeadingLine{"Ｅ－ｍａｉｌ　Ａｄｄｒｅｓｓ,last name,HOME STATE,Home Street 2",
                    "Email|名称|住所1|住所1"}, // no 住所2 column: the building ends 住所1
        HeadingLine{"住所2,建物名,町名番地,都道府県", "住所2|住所2|住所1|住所1"},
        HeadingLine{"連名1,連名1敬称,敬称,自宅,誕生日", "連名1||敬称||生年月日"}),
    FieldName<&HeadingLine::headings>());

struct EraCase
{
    const char* typed;
    const char* stored; ///< "birth date|age" on 2026-12-08; empty when refused
};

class EraDates : public ::testing::TestWithParam<EraCase>
{
};

TEST_P(EraDates, BirthDatesInEitherCalendar)
{
    const std::vector<FieldColumns> columns{{u8("生年月日"), {0}}};
    QString reason;
    const auto f =
        fieldsOfRow({u8(GetParam().typed)}, columns, RowRules{u8("女"), QDate(2026, 12, 8)}, &reason);
    const QString kept =
        f ? f->value(u8("生年月日")).toString() + u'|' + f->value(u8("年齢")).toString() : QString();
    EXPECT_EQ(kept, u8(GetParam().stored)) << reason.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Forms, EraDates,
                         ::testing::Values(EraCase{"1971/7/13", "1971/07/13|55"},
                                           EraCase{"1971-07-13", "1971/07/13|55"},
                                           EraCase{"1971年7月13日", "1971/07/13|55"},
                                           EraCase{"昭和46年7月13日", "1971/07/13|55"},
                                           EraCase{"S46.7.13", "1971/07/13|55"},
                                           EraCase{"H13/8/8", "2001/08/08|25"}, EraCase{"平成元年1月7日", ""},
                                           EraCase{"S46.13.1", ""}, EraCase{"1971/07/13", "1971/07/13|55"},
                                           EraCase{"1971/02/30", ""}, EraCase{"2026/12/09", ""}),
                         FieldName<&EraCase::typed>());

/// The fields a shop looks at, as "名称|ふりがな|郵便番号|住所1|住所2|敬称|TEL1|TEL2|Email|生年月日".
const char* const kShown[] = {"名称", "ふりがな", "郵便番号", "住所1", "住所2",
                              "敬称", "TEL1",     "TEL2",     "Email", "生年月日"};

struct SampleFile
{
    const char* name;
    QByteArray bytes;
    std::vector<const char*> customers; ///< in file order, as kShown
    std::vector<const char*> family; ///< the first listed customer's, "行番号|氏名|ふりがな|区分1|誕生月"
};

void PrintTo(const SampleFile& f, std::ostream* os)
{
    *os << f.name;
}

class SampleFiles : public CustomerCsvFixture, public ::testing::WithParamInterface<SampleFile>
{
protected:
    void SetUp() override { Clock::setToday(QDate(2026, 12, 8)); }
    void TearDown() override { Clock::setToday({}); }
};

TEST_P(SampleFiles, ImportedAsTheShopExpects)
{
    const auto t = readCsvBytes(GetParam().bytes);
    ASSERT_TRUE(t);
    CsvImportOptions o;
    o.mapping = guessMapping(t->rows.front(), true);
    const auto r = importCustomers(d.dataFile(), *t, o);
    ASSERT_EQ(r.status, CsvImportReport::Status::Done);
    EXPECT_TRUE(r.refused.empty()) << r.refused.front().reason.toStdString();
    const auto stored = customers(d.dataFile());
    QStringList got, expected, family;
    for (const QVariantMap& c : stored) {
        QStringList row;
        for (const char* f : kShown)
            row << c.value(u8(f)).toString();
        got << row.join(u'|');
    }
    for (const char* c : GetParam().customers)
        expected << u8(c);
    got.sort();
    expected.sort();
    EXPECT_EQ(got, expected);
    for (const char* m : GetParam().family)
        family << u8(m);
    EXPECT_EQ(familyOf(u8(GetParam().customers.front()).section(u'|', 0, 0)), family);
}

const QByteArray kVCards =
    "BEGIN:VCARD\r\nVERSION:2.1\r\n"
    "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E5=B1=B1=E7=94=B0;=E5=A4=AA=\r\n=E9=83=8E;;;\r\n"
    "SOUND;X-IRMC-N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E3=83=A4=E3=83=9E=E3=83=80;=E3=82=BF=E3=83=AD="
    "E3=82=A6;;;\r\n"
    "TEL;CELL:090-1111-2222\r\nTEL;HOME:03-1111-2222\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:佐藤;花子;;;\r\nFN:佐藤 花子\r\nX-PHONETIC-LAST-NAME:サトウ\r\n"
    "X-PHONETIC-FIRST-NAME:ハナコ\r\nitem1.ADR;TYPE=WORK:;;本町1-1;大阪市;大阪府;530-0001;\r\n"
    "ADR;TYPE=HOME,PREF:;コーポ２０１;千代田\r\n 1-1;千代田区;東京都;100-0001;日本\r\n"
    "EMAIL;TYPE=INTERNET:hanako@example.jp\r\nBDAY:1971-07-13\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:鈴木 一郎\r\nN;SORT-AS=\"スズキ,イチロウ\":鈴木;一郎;;;\r\n"
    "TEL;VALUE=uri;TYPE=\"voice,home\":tel:06-1111-2222\r\nBDAY;X-APPLE-OMIT-YEAR=1604:1604-03-03\r\n"
    "PHOTO;ENCODING=b:" +
    QByteArray(20000, 'A') + "\r\nEND:VCARD\r\n";

INSTANTIATE_TEST_SUITE_P(
    Shapes, SampleFiles,
    ::testing::Values(
        SampleFile{"splitNamesAndReadings",
                   "メイ,名,姓,セイ,電話\nタロウ,太郎,山田,ヤマダ,03-1111-2222\nハナコ,花子,佐藤,,\n",
                   {"山田　太郎|ヤマダ タロウ|||||03-1111-2222|||", "佐藤　花子|ハナコ||||||||"},
                   {}},
        SampleFile{
            "addressParts",
            "番地,氏名,市区町村,住所2,マンション名,都道府県,〒\n"
            "千代田1-1,山田,千代田区,別館,201号,東京都,100-0001\n"
            "東京都千代田区丸の内1-1,佐藤,,,,東京都,\n",
            {"山田||100-0001|東京都千代田区千代田1-1|別館201号|||||", "佐藤|||東京都千代田区丸の内1-1||||||"},
            {}},
        SampleFile{
            "homeHeadingsWithJointNames",
            "氏名,フリガナ,自宅〒,自宅住所,建物名,電話（自宅）,携帯電話,敬称,連名1,連名1敬称,連名2,"
            "連名3\n"
            "山田　太郎,ヤマダ タロウ,100-0001,東京都千代田区1-1,コーポ201,03-1111-2222,090-1111-2222,様,"
            "花子,様,佐藤 一郎,\n",
            {"山田　太郎|ヤマダ タロウ|100-0001|東京都千代田区1-1コーポ201||様|03-1111-2222|090-1111-2222||"},
            {"0|山田　花子|||", "1|佐藤 一郎|||"}},
        SampleFile{
            "englishHeadings",
            "First Name,Last Name,Phonetic First Name,Phonetic Last Name,Home Street,Home City,Home State,"
            "Home Postal Code,Home Phone,Mobile Phone,E-mail Address,Birthday\n"
            "太郎,山田,タロウ,ヤマダ,千代田1-1,千代田区,東京都,100-0001,03-1111-2222,090-1111-2222,"
            "taro@example.jp,1971/7/13\n",
            {"山田　太郎|ヤマダ タロウ|100-0001|東京都千代田区千代田1-1|||03-1111-2222|090-1111-2222|"
             "taro@example.jp|1971/07/13"},
            {}},
        SampleFile{
            "vCardOfThreeContacts",
            kVCards,
            {"山田　太郎|ヤマダ タロウ|||||03-1111-2222|090-1111-2222||",
             "佐藤　花子|サトウ ハナコ|100-0001|東京都千代田区千代田1-1コーポ２０１|||||hanako@example.jp|"
             "1971/07/13",
             "鈴木　一郎|スズキ イチロウ|||||06-1111-2222|||"},
            {}}),
    [](const auto& tp) { return std::string(tp.param.name); });

class JointNames : public CustomerCsvFixture
{
};

TEST_F(JointNames, OverwriteAddsOnlyMissingMembersUpToTen)
{
    addCustomer(d.dataFile(), {{u8("名称"), u8("佐藤　一郎")}, {u8("区分1"), u8("商店")}});
    addFamily(u8("佐藤　一郎"), 0, u8("佐藤　花子"), u8("妻"));
    for (int i = 1; i < kMaxFamilyMembers - 1; ++i)
        addFamily(u8("佐藤　一郎"), i, u8("子%1").arg(i), u8("子"));
    const auto t = readCsvBytes("氏名,連名1,連名2,連名3\n佐藤　一郎,花子,次郎,三郎\n");
    ASSERT_TRUE(t);
    CsvImportOptions o;
    o.mapping = guessMapping(t->rows.front(), true);
    o.existing = ExistingCustomer::Overwrite;
    const auto r = importCustomers(d.dataFile(), *t, o);
    EXPECT_EQ(r.overwritten, 1);
    EXPECT_EQ(r.familyAdded, 1);
    const QStringList family = familyOf(u8("佐藤　一郎"));
    ASSERT_EQ(family.size(), kMaxFamilyMembers);
    EXPECT_EQ(family.front(), u8("0|佐藤　花子|||"));
    EXPECT_EQ(family.back(), u8("9|佐藤　次郎||商店|"));
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].row, 2);
    EXPECT_EQ(r.refused[0].reason, u8("連名「三郎」：家族は10人までです"));
}

TEST(VCardFiles, HostileInputGivesBoundedRowsAndNoCrash)
{
    const QByteArray endless =
        "BEGIN:VCARD\nN:" + QByteArray(100, 'x') + "\n" + QByteArray(" y\n").repeated(5000);
    const QByteArray inputs[] = {
        "BEGIN:VCARD",
        "BEGIN:VCARD\nN;ENCODING=QUOTED-PRINTABLE:=\n=\n=Z=4\nBEGIN:VCARD\n:\n;;;:\nEND:VCARD\nEND:VCARD",
        "begin:vcard\nADR;TYPE=\"home:;;;\nTEL;;;;=\nBDAY:--0101\n\\\n",
        endless,
        QByteArray("BEGIN:VCARD\n\x82\xA0\xFF\xFE\x00\x01", 18),
    };
    for (const QByteArray& bytes : inputs) {
        SCOPED_TRACE(bytes.left(40).toStdString());
        CsvReadError error = CsvReadError::CannotOpen;
        const auto t = readCsvBytes(bytes, &error);
        EXPECT_EQ(t.has_value(), error == CsvReadError::None);
        for (const QStringList& row : t ? t->rows : std::vector<QStringList>{})
            for (const QString& cell : row)
                EXPECT_LE(cell.size(), kMaxVCardProperty);
    }
}

class ContactsFile : public CustomerCsvFixture
{
};

TEST_F(ContactsFile, ARefusedContactIsListedByTheLineItBeginsOn)
{
    const auto t = readCsvBytes("BEGIN:VCARD\nVERSION:3.0\nN:山田;太郎\nEND:VCARD\n"
                                "BEGIN:VCARD\nVERSION:3.0\nEMAIL:x@example.jp\nEND:VCARD\n");
    ASSERT_TRUE(t);
    CsvImportOptions o;
    o.mapping = guessMapping(t->rows.front(), true);
    const auto r = importCustomers(d.dataFile(), *t, o);
    EXPECT_EQ(r.added, 1);
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].row, 5);
    EXPECT_EQ(r.refused[0].reason, u8("名称がありません"));
}

TEST_F(ContactsFile, TheDialogPreviewsJoinedFieldsAndImportsEveryContact)
{
    env() = ProgramEnv{};
    env().locations = {d.folder(), d.workFile(), d.dataFile(), d.dataFile(), d.postalFile()};
    resetScreenStack();
    ScriptedDialogs dialogs;
    FrmHosyu frm;
    frm.Form_Load();
    QString previewed;
    frm.setCsvMappingChooser([&](QWidget*, const QString& path, const CsvTable& table) {
        CsvImportDialog dialog(path, table, &frm);
        const auto* result = ctl<QTableWidget>(&dialog, "tblResult");
        previewed = result && result->item(1, 0) ? result->item(1, 0)->text() : QString();
        return std::optional<CsvImportOptions>(dialog.options());
    });
    const QString file = d.path(QStringLiteral("連絡先.vcf"));
    writeFile(file, kVCards);
    dialogs.chooseFile(file);
    QPushButton* button = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(&frm, "cmdCSV読込", button));
    button->click();
    QApplication::processEvents();
    ASSERT_EQ(dialogs.fileRequests().size(), 1);
    EXPECT_TRUE(dialogs.fileRequests().front().nameFilters.join(u';').contains(QStringLiteral("*.vcf")));
    EXPECT_EQ(previewed, u8("佐藤　花子"));
    EXPECT_EQ(customers(d.dataFile()).size(), 3);
    env() = ProgramEnv{};
}

} // namespace
} // namespace rov2::test
