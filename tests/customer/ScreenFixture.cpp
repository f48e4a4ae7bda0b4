#include "ScreenFixture.h"

#include "ComboBox.h"
#include "Database.h"
#include "JapaneseDate.h"
#include "Recordset.h"
#include "ScreenStack.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace rov2::test {

void ScreenFixture::SetUp()
{
    env() = ProgramEnv{};
    env().locations = {d.folder(), d.workFile(), d.dataFile(), d.dataFile(), d.postalFile()};
    Clock::setToday(QDate(2001, 6, 15));
    resetScreenStack();
    frm = std::make_unique<FrmROV2>();
    frm->Form_Load();
    frm->show();
    frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
}

void ScreenFixture::TearDown()
{
    frm.reset();
    Clock::setToday(QDate());
}

void ScreenFixture::focus(QWidget* w)
{
    w->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->hasFocus(); }));
}

void ScreenFixture::leave(QWidget* w, QWidget* to)
{
    focus(w);
    to->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

void ScreenFixture::type(QWidget* w, const QString& text)
{
    focus(w);
    // QTest::keyClicks knows ASCII only: Japanese text comes as key events
    // that carry their text, as an input method commits it.
    QWidget* target = QApplication::focusWidget();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

void ScreenFixture::key(QWidget* w, int k, Qt::KeyboardModifiers m)
{
    QTest::keyClick(w, static_cast<Qt::Key>(k), m);
    QApplication::processEvents();
}

void ScreenFixture::storeCustomer(const QVariantMap& fields)
{
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"));
    rs.addNew();
    for (auto it = fields.begin(); it != fields.end(); ++it)
        ASSERT_TRUE(rs.setField(it.key(), it.value()));
    ASSERT_TRUE(rs.update());
}

std::optional<QVariant> ScreenFixture::storedField(const QString& name, const QString& field)
{
    auto db = Database::open(d.dataFile());
    if (!db) {
        ADD_FAILURE() << "the database could not be opened";
        return {};
    }
    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"), QStringLiteral("名称 = ?"), {name});
    if (rs.eof())
        return std::nullopt;
    return rs.field(field);
}

qint64 ScreenFixture::count(const QString& file, const QString& sql, const QVariantList& params)
{
    auto db = Database::open(file);
    return db ? db->count(sql, params).value_or(-1) : -1;
}

} // namespace rov2::test
