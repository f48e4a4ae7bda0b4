// The maintenance screen's "CSVファイルから読み込む": file choice, mapping dialog, report.
#include "CsvImportDialog.h"
#include "CustomerCsvExport.h"
#include "CustomerCsvFixture.h"
#include "FindControl.h"
#include "FrmHosyu.h"
#include "ProgramEnv.h"
#include "ScreenStack.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

namespace rov2::test {
namespace {

class HosyuCsvImport : public CustomerCsvFixture
{
protected:
    void SetUp() override
    {
        env() = ProgramEnv{};
        env().locations = {d.folder(), d.workFile(), d.dataFile(), d.dataFile(), d.postalFile()};
        resetScreenStack();
        frm = std::make_unique<FrmHosyu>();
        frm->Form_Load();
        frm->setCsvMappingChooser([this](QWidget*, const QString& path, const CsvTable& table) {
            shownPath = path;
            shownEncoding = table.encoding;
            CsvImportDialog dialog(path, table, frm.get());
            if (adjust)
                adjust(dialog);
            return chooserAnswers ? std::optional<CsvImportOptions>(dialog.options()) : std::nullopt;
        });
    }
    void TearDown() override
    {
        frm.reset();
        env() = ProgramEnv{};
    }
    void clickImport()
    {
        QPushButton* b = nullptr;
        ASSERT_NO_FATAL_FAILURE(ctl(frm.get(), "cmdCSV読込", b));
        b->click();
        QApplication::processEvents();
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<FrmHosyu> frm;
    QString shownPath;
    CsvEncoding shownEncoding = CsvEncoding::Utf8;
    bool chooserAnswers = true;
    std::function<void(CsvImportDialog&)> adjust;
};

TEST_F(HosyuCsvImport, ChosenFileImportedAndReported)
{
    const QString file = d.path(QStringLiteral("顧客.csv"));
    writeFile(file, *encodeCp932(QStringLiteral(
                        "氏名,住所,誕生日\r\n佐藤,東京,1975/4/5\r\n,名無し,\r\n鈴木,大阪,いつか\r\n")));
    dialogs.chooseFile(file);
    clickImport();
    EXPECT_EQ(shownPath, file);
    EXPECT_EQ(shownEncoding, CsvEncoding::Cp932);
    EXPECT_EQ(customers(d.dataFile()).keys(), QStringList{QStringLiteral("佐藤")});
    ASSERT_EQ(dialogs.messages().size(), 1);
    const QString text = dialogs.messages().at(0).text;
    for (const char* part :
         {"追加 1件", "読み込めない行 2件", "3行目：名称がありません", "4行目（鈴木）：生年月日「いつか」"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << text.toStdString();
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(HosyuCsvImport, CancelledChoicesChangeNothing)
{
    const QString file = d.path(QStringLiteral("顧客.csv"));
    writeFile(file, "名称\n佐藤\n");
    dialogs.cancelFile();
    clickImport();
    chooserAnswers = false;
    dialogs.chooseFile(file);
    clickImport();
    EXPECT_TRUE(customers(d.dataFile()).isEmpty());
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(HosyuCsvImport, AFileThatIsNoCsvIsToldNotImported)
{
    const QString file = d.path(QStringLiteral("壊れ.csv"));
    writeFile(file, QByteArray("名称\n\"佐藤\n").prepend("\xEF\xBB\xBF"));
    dialogs.chooseFile(file);
    clickImport();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().at(0).text.contains(QStringLiteral("引用符")));
    EXPECT_TRUE(shownPath.isEmpty());
}

TEST_F(HosyuCsvImport, MappingChangedInTheDialogAndOverwriteChosen)
{
    addCustomer(d.dataFile(), {{QStringLiteral("名称"), QStringLiteral("佐藤")},
                               {QStringLiteral("住所1"), QStringLiteral("旧")}});
    const QString file = d.path(QStringLiteral("顧客.csv"));
    writeFile(file, "\xEF\xBB\xBF名称,住所,備考\n佐藤,新,メモ\n");
    adjust = [](CsvImportDialog& dialog) {
        auto* encoding = ctl<QLabel>(&dialog, "lblEncoding");
        auto* heading = ctl<QCheckBox>(&dialog, "chk見出し");
        auto* second = ctl<QComboBox>(&dialog, "cmb列2");
        auto* third = ctl<QComboBox>(&dialog, "cmb列3");
        auto* overwrite = ctl<QRadioButton>(&dialog, "opt上書き");
        auto* preview = ctl<QTableWidget>(&dialog, "tblPreview");
        ASSERT_TRUE(encoding && heading && second && third && overwrite && preview);
        EXPECT_TRUE(encoding->text().contains(QStringLiteral("UTF-8 (BOM付き)")));
        EXPECT_TRUE(heading->isChecked());
        EXPECT_EQ(second->currentText(), QStringLiteral("住所1"));
        EXPECT_EQ(third->currentText(), QStringLiteral("顧客メモ"));
        second->setCurrentText(QStringLiteral("住所2"));
        third->setCurrentIndex(0); // left out
        overwrite->setChecked(true);
        EXPECT_EQ(preview->item(2, 0)->text(), QStringLiteral("佐藤"));
    };
    dialogs.chooseFile(file);
    clickImport();
    const QVariantMap c = customers(d.dataFile()).value(QStringLiteral("佐藤"));
    EXPECT_EQ(c.value(QStringLiteral("住所1")), QStringLiteral("旧"));
    EXPECT_EQ(c.value(QStringLiteral("住所2")), QStringLiteral("新"));
    EXPECT_TRUE(c.value(QStringLiteral("顧客メモ")).isNull());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().at(0).text.contains(QStringLiteral("上書き 1件")));
}

TEST_F(HosyuCsvImport, UntickingTheHeadingReadsTheFirstRowToo)
{
    const QString file = d.path(QStringLiteral("顧客.csv"));
    writeFile(file, "名称\n佐藤\n");
    adjust = [](CsvImportDialog& dialog) {
        auto* heading = ctl<QCheckBox>(&dialog, "chk見出し");
        auto* first = ctl<QComboBox>(&dialog, "cmb列1");
        ASSERT_TRUE(heading && first);
        heading->setChecked(false);
        first->setCurrentText(QStringLiteral("名称"));
    };
    dialogs.chooseFile(file);
    clickImport();
    EXPECT_EQ(customers(d.dataFile()).size(), 2);
}

TEST_F(HosyuCsvImport, TheFamilyFileOfAnExportGoesToTheFamilyNotOntoTheCustomer)
{
    const auto s = [](const char* text) { return QString::fromUtf8(text); };
    addCustomer(d.dataFile(), {{s("名称"), s("佐藤")},
                               {s("ふりがな"), s("さとう")},
                               {s("性別"), s("男")},
                               {s("生年月日"), s("1950/01/01")}});
    addFamily(s("佐藤"), 0, s("花子"), s("妻"));
    addFamily(s("佐藤"), 1, s("一郎"), s("長男"));
    exec(d.dataFile(),
         s("UPDATE 家族情報 SET ふりがな = 'よみ' || 行番号, 性別 = '女', 生年月日 = '1952/02/02'"));
    listRow(s("佐藤"), false);
    const QString file = d.path(s("顧客.csv"));
    ASSERT_EQ(writeCustomerCsv(d.workFile(), d.dataFile(), true, file, CsvEncoding::Cp932).status,
              CustomerCsvExportResult::Status::Written);
    // since the export: 花子 lost, 一郎 typed again without his reading
    exec(d.dataFile(), s("DELETE FROM 家族情報"));
    addFamily(s("佐藤"), 0, s("一郎"), s("長男"));
    adjust = [](CsvImportDialog& dialog) {
        QRadioButton* overwrite = nullptr;
        ASSERT_NO_FATAL_FAILURE(ctl(&dialog, "opt上書き", overwrite));
        overwrite->setChecked(true);
    };
    dialogs.chooseFile(familyCsvPath(file));
    clickImport();

    const QVariantMap customer = customers(d.dataFile()).value(s("佐藤"));
    EXPECT_EQ(customer.value(s("ふりがな")), s("さとう"));
    EXPECT_EQ(customer.value(s("性別")), s("男"));
    EXPECT_EQ(customer.value(s("生年月日")), s("1950/01/01"));
    EXPECT_EQ(familyOf(s("佐藤")), (QStringList{s("0|一郎|よみ1||2"), s("1|花子|よみ0||2")}));
    ASSERT_EQ(dialogs.messages().size(), 1);
    const QString text = dialogs.messages().at(0).text;
    EXPECT_TRUE(text.contains(s("追加 1件")) && text.contains(s("上書き 1件"))) << text.toStdString();
}

struct WidthCase
{
    const char* name;
    int columns;
    bool imported;
};

class WideFiles : public HosyuCsvImport, public ::testing::WithParamInterface<WidthCase>
{
};

TEST_P(WideFiles, MoreColumnsThanTheMappingOffersAreRefusedBeforeIt)
{
    const QByteArray more = QByteArray(",x").repeated(GetParam().columns - 1);
    const QString file = d.path(QStringLiteral("横長.csv"));
    writeFile(file, "名称" + more + "\n佐藤" + more + "\n");
    dialogs.chooseFile(file);
    clickImport();
    ASSERT_EQ(dialogs.messages().size(), 1);
    const QString text = dialogs.messages().at(0).text;
    if (GetParam().imported) {
        EXPECT_EQ(shownPath, file);
        EXPECT_EQ(customers(d.dataFile()).keys(), QStringList{QStringLiteral("佐藤")});
    } else {
        EXPECT_TRUE(shownPath.isEmpty());
        EXPECT_TRUE(text.contains(QStringLiteral("%1列").arg(GetParam().columns))) << text.toStdString();
        EXPECT_TRUE(customers(d.dataFile()).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, WideFiles,
                         ::testing::Values(WidthCase{"widest", 256, true}, WidthCase{"oneMore", 257, false},
                                           WidthCase{"hundredThousand", 100000, false}),
                         [](const auto& tp) { return std::string(tp.param.name); });

TEST(CsvImportDialogKeys, TabWalksTheFieldListsInColumnOrder)
{
    const auto table = readCsvBytes("名称,住所,電話\n佐藤,東京,03\n");
    ASSERT_TRUE(table);
    CsvImportDialog dialog(QStringLiteral("a.csv"), *table);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QCheckBox* heading = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(&dialog, "chk見出し", heading));
    heading->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heading->hasFocus(); }));
    for (const char* next : {"cmb列1", "cmb列2", "cmb列3"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QComboBox* list = nullptr;
        ASSERT_NO_FATAL_FAILURE(ctl(&dialog, next, list));
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->hasFocus(); })) << next;
    }
}

} // namespace
} // namespace rov2::test
