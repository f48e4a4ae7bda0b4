#include "CodesFixture.h"

#include "CodeGridView.h"
#include "CodeTableModel.h"
#include "Database.h"
#include "FrmCodeMaster.h"
#include "Query.h"
#include "ScreenStack.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace rov2::test {

void CodesFixture::SetUp()
{
    env() = ProgramEnv{};
    env().locations = {d.folder(), d.workFile(), d.dataFile(), d.dataFile(), d.postalFile()};
    env().settings.敬称登録 = true;
    resetScreenStack();
}

void CodesFixture::TearDown()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->testAttribute(Qt::WA_DeleteOnClose))
            w->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete codes.data();
}

FrmCodeMaster* CodesFixture::openCodeMaster()
{
    codes = new FrmCodeMaster;
    codes->Form_Load();
    codes->show();
    EXPECT_TRUE(activate(codes));
    return codes;
}

bool CodesFixture::activate(QWidget* w)
{
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

bool CodesFixture::focus(QWidget* w)
{
    w->setFocus(Qt::OtherFocusReason);
    return QTest::qWaitFor([w] { return w->hasFocus(); });
}

QPushButton* CodesFixture::buttonOf(QWidget* screen, const char* name) const
{
    return ctl<QPushButton>(screen, name);
}

void CodesFixture::expectHintFor(QWidget* hint, const QString& form, const QString& control, const QString& title)
{
    EXPECT_EQ(ctl<QLabel>(hint, "lblFormName")->text(), form);
    EXPECT_EQ(ctl<QLabel>(hint, "lblCtlName")->text(), control);
    EXPECT_EQ(ctl<QLabel>(hint, "lblFormTitle")->text(), title);
}

QComboBox* CodesFixture::kindBox() const { return ctl<QComboBox>(codes.data(), "cmb区分"); }
CodeGridView* CodesFixture::grid() const { return ctl<CodeGridView>(codes.data(), "Gridコードマスタ"); }
CodeTableModel* CodesFixture::model() const
{
    return ctl<CodeTableModel>(codes.data(), "datコードマスタ");
}

void CodesFixture::chooseKind(const QString& kind)
{
    QComboBox* box = kindBox();
    box->setCurrentIndex(box->findText(kind));
    Q_EMIT box->activated(box->currentIndex());
    QApplication::processEvents();
}

std::vector<StoredCode> CodesFixture::stored(const QString& kind) const
{
    std::vector<StoredCode> rows;
    auto db = Database::open(d.dataFile());
    EXPECT_TRUE(db);
    if (!db)
        return rows;
    Query q = db->query(QStringLiteral("SELECT code, sname, 性別 FROM コードマスタ WHERE kcode = ? ORDER BY code"), {kind});
    while (q.next())
        rows.push_back({q.value(0).toString(), q.value(1), q.value(2)});
    EXPECT_TRUE(q.ok());
    return rows;
}

void CodesFixture::storeName(const QString& kind, const QString& code, const QVariant& name, const QVariant& sex)
{
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(QStringLiteral("UPDATE コードマスタ SET sname = ?, 性別 = ? WHERE kcode = ? AND code = ?"),
                            {name, sex, kind, code}));
    ASSERT_EQ(db->changes(), 1);
}

qint64 CodesFixture::count(const QString& file, const QString& sql, const QVariantList& params) const
{
    auto db = Database::open(file);
    return db ? db->count(sql, params).value_or(-1) : -1;
}

} // namespace rov2::test
