#include "HosyuFixture.h"

#include "Database.h"
#include "Query.h"
#include "ScreenStack.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace rov2::test {

void HosyuFixture::SetUp()
{
    env() = ProgramEnv{};
    env().locations = {d.folder(), d.workFile(), d.dataFile(), d.dataFile(), d.postalFile()};
    resetScreenStack();
}

void HosyuFixture::TearDown()
{
    frm.reset();
    env() = ProgramEnv{};
}

void HosyuFixture::open()
{
    frm = std::make_unique<FrmHosyu>();
    frm->Form_Load();
    frm->show();
    frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
}

void HosyuFixture::click(const char* button)
{
    auto* b = ctl<QPushButton>(button);
    ASSERT_TRUE(b);
    b->click();
    QApplication::processEvents();
}

void HosyuFixture::focus(QWidget* w)
{
    ASSERT_TRUE(w);
    w->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->hasFocus(); }));
}

void HosyuFixture::exec(const QString& file, const QString& sql, const QVariantList& params)
{
    auto db = Database::open(file);
    ASSERT_TRUE(db) << file.toStdString();
    ASSERT_TRUE(db->execute(sql, params)) << sql.toStdString() << ": " << db->lastError().toStdString();
}

qint64 HosyuFixture::count(const QString& file, const QString& sql)
{
    auto db = Database::open(file);
    return db ? db->count(sql).value_or(-1) : -1;
}

QList<QVariantMap> HosyuFixture::rows(const QString& file, const QString& table)
{
    QList<QVariantMap> out;
    auto db = Database::open(file);
    if (!db) {
        ADD_FAILURE() << "cannot open " << file.toStdString();
        return out;
    }
    Query q = db->query(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY rowid"));
    while (q.next()) {
        QVariantMap row;
        for (const QString& c : q.columnNames())
            row.insert(c, q.value(c));
        out << row;
    }
    EXPECT_TRUE(q.ok()) << table.toStdString();
    return out;
}

} // namespace rov2::test
