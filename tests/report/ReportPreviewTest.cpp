// The preview window: caption, paging by keys and buttons, zoom, PDF through
// the save dialog, printing through the print dialog.
#include "CustomerListReport.h"
#include "FamilyListReport.h"
#include "FindControl.h"
#include "QtPrinters.h"
#include "ReportFixture.h"
#include "ReportPreview.h"
#include "ScriptedDialogs.h"
#include "ShowPreview.h"

#include <QLabel>
#include <QPointer>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace rov2::test {
namespace {

using report::ReportPreview;

class ReportPreviewTest : public ReportFixture {
protected:
    ReportPreview* open(report::Report& r)
    {
        EXPECT_TRUE(r.Restart());
        ReportPreview* p = report::showPreview(r, data_.ownFiles());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(p));
        return p;
    }
};

TEST_F(ReportPreviewTest, CaptionsOfTheReports)
{
    report::rpt顧客一覧 customers(data_.workFile(), settings_);
    report::rpt家族情報一覧 families(data_.workFile(), settings_);
    QPointer<ReportPreview> a = open(customers);
    QPointer<ReportPreview> b = open(families); // several at once
    EXPECT_EQ(a->windowTitle(), QStringLiteral("顧客一覧"));
    EXPECT_EQ(b->windowTitle(), QStringLiteral("顧客リスト"));
    EXPECT_TRUE(a->isVisible() && b->isVisible());
    a->close();
    b->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return a.isNull() && b.isNull(); }));
}

TEST_F(ReportPreviewTest, KeysAndButtonsTurnThePages)
{
    addNumberedCustomers(14);
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    QPointer<ReportPreview> p = open(r);
    ASSERT_EQ(p->pageCount(), 3);
    QWidget* view = nullptr;
    QSpinBox* page = nullptr;
    QToolButton* first = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(p, "PageView", view));
    ASSERT_NO_FATAL_FAILURE(ctl(p, "txtページ", page));
    ASSERT_NO_FATAL_FAILURE(ctl(p, "cmd先頭", first));
    struct Step {
        Qt::Key key;
        int page;
    };
    for (const Step s : {Step{Qt::Key_PageDown, 1}, Step{Qt::Key_PageDown, 2}, Step{Qt::Key_PageDown, 2},
                         Step{Qt::Key_Home, 0}, Step{Qt::Key_PageUp, 0}, Step{Qt::Key_End, 2},
                         Step{Qt::Key_PageUp, 1}}) {
        QTest::keyClick(view, s.key);
        EXPECT_EQ(p->currentPage(), s.page) << s.key;
        EXPECT_EQ(page->value(), s.page + 1);
    }
    first->click();
    EXPECT_EQ(p->currentPage(), 0);
    page->setValue(3);
    EXPECT_EQ(p->currentPage(), 2);
    QTest::keyClick(view, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.isNull(); }));
}

// The list screen lets go of its report once the preview is open: the
// preview lays out the rest on its own, then shows the page count.
TEST_F(ReportPreviewTest, LaysOutTheRestAfterTheReportIsGone)
{
    addNumberedCustomers(14);
    QPointer<ReportPreview> p;
    {
        report::rpt顧客一覧 r(data_.workFile(), settings_);
        p = open(r);
    }
    QLabel* count = nullptr;
    QWidget* view = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(p, "lblページ数", count));
    ASSERT_NO_FATAL_FAILURE(ctl(p, "PageView", view));
    ASSERT_TRUE(QTest::qWaitFor([&] { return count->text() == QStringLiteral("/ 3"); })) << count->text().toStdString();
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(p->currentPage(), 2);
    p->close();
}

// A renamed control fails the test that looks it up; the other tests still run.
TEST_F(ReportPreviewTest, MissingControlFailsTheTest)
{
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    ReportPreview* p = open(r);
    static QPointer<ReportPreview> preview;
    preview = p;
    EXPECT_FATAL_FAILURE(
        {
            QToolButton* gone = nullptr;
            ctl(preview.data(), "cmd印刷する", gone);
        },
        "no control cmd印刷する");
    p->close();
}

TEST_F(ReportPreviewTest, ZoomsChangeThePageSize)
{
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    ReportPreview* p = open(r);
    QWidget* view = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(p, "PageView", view));
    p->setZoom(ReportPreview::Zoom::WholePage);
    const QSize whole = view->size();
    p->setZoom(ReportPreview::Zoom::PageWidth);
    const QSize width = view->size();
    EXPECT_LT(whole.width(), width.width());
    EXPECT_NEAR(double(whole.height()) / whole.width(), 16838.0 / 11906, 0.01);
    p->setZoom(ReportPreview::Zoom::Actual);
    EXPECT_NEAR(view->width(), 11906.0 / 1440 * p->logicalDpiX(), 1.0);
    p->close();
}

TEST_F(ReportPreviewTest, PdfSavedThroughTheSaveDialog)
{
    addNumberedCustomers(2);
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    ReportPreview* p = open(r);
    QToolButton* save = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(p, "cmdPDF保存", save));
    ScriptedDialogs d;
    const QString pdf = data_.path(QStringLiteral("out.pdf"));
    d.cancelFile().chooseFile(pdf).chooseFile(data_.path(QStringLiteral("none/out.pdf")));
    EXPECT_FALSE(p->savePdfAs());
    EXPECT_FALSE(QFile::exists(pdf));
    save->click();
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("顧客02")));
    EXPECT_TRUE(d.messages().isEmpty());
    // A file that cannot be written is reported, not passed over.
    EXPECT_FALSE(p->savePdfAs());
    ASSERT_EQ(d.messages().size(), 1);
    EXPECT_EQ(d.messages().at(0).title, QStringLiteral("PDF保存"));
    EXPECT_TRUE(d.allUsed());
    p->close();
}

TEST_F(ReportPreviewTest, CtrlPOpensThePrintDialogAndCancelPrintsNothing)
{
    addNumberedCustomers(2);
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    ReportPreview* p = open(r);
    QWidget* view = nullptr;
    QToolButton* print = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(p, "PageView", view));
    ASSERT_NO_FATAL_FAILURE(ctl(p, "cmd印刷", print));
    ScriptedDialogs d;
    d.cancelPrint();
    QTest::keyClick(view, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(d.printRequests(), 1);
    const QString out = data_.path(QStringLiteral("printed.pdf"));
    d.confirmPrint(out);
    print->click();
    EXPECT_EQ(d.printRequests(), 2);
    EXPECT_TRUE(pdfText(out).contains(QStringLiteral("顧客01")));
    p->close();
}

// PDF保存 onto a file that exists asks first; the program's own files are refused.
TEST_F(ReportPreviewTest, PdfSaveAsksBeforeReplacingAndRefusesTheProgramsFiles)
{
    addNumberedCustomers(2);
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    ReportPreview* p = open(r);
    ScriptedDialogs d;
    const QString pdf = data_.path(QStringLiteral("out.pdf"));
    QFile existing(pdf);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    d.chooseFile(pdf); // Enter answers No
    EXPECT_FALSE(p->savePdfAs());
    ASSERT_EQ(d.messages().size(), 1);
    EXPECT_EQ(d.messages().at(0).buttons, MsgButtons::YesNo);
    EXPECT_TRUE(d.messages().at(0).text.contains(QStringLiteral("置き換えますか")));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));
    existing.close();

    d.chooseFile(pdf).answer(MsgAnswer::Yes);
    EXPECT_TRUE(p->savePdfAs());
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("顧客02")));

    QFile data(data_.dataFile());
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    const QByteArray before = data.readAll();
    data.close();
    d.chooseFile(data_.path(QStringLiteral("rov2data.mdb")));
    EXPECT_FALSE(p->savePdfAs());
    ASSERT_EQ(d.messages().size(), 3);
    EXPECT_EQ(d.messages().at(2).buttons, MsgButtons::Ok);
    EXPECT_TRUE(d.messages().at(2).text.contains(QStringLiteral("データファイル")));
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    EXPECT_EQ(data.readAll(), before);
    EXPECT_TRUE(d.allUsed());
    p->close();
}

} // namespace
} // namespace rov2::test
