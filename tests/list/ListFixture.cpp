#include "ListFixture.h"

#include "ComboBox.h"
#include "Database.h"
#include "Query.h"
#include "ScreenStack.h"
#include "TextBox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace rov2::test {
namespace {

void insert(const QString& file, const QString& table, QVariantMap fields)
{
    auto db = Database::open(file);
    ASSERT_TRUE(db);
    QStringList names, marks;
    QVariantList values;
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        names << QLatin1Char('"') + it.key() + QLatin1Char('"');
        marks << QStringLiteral("?");
        values << it.value();
    }
    ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                            values));
}

} // namespace

void ListData::SetUp()
{
    env() = ProgramEnv{};
    env().locations = {d.folder(), d.workFile(), d.dataFile(), d.dataFile(), d.postalFile()};
    resetScreenStack();
}

void ListData::addCustomer(const QString& name, const QString& reading, const QVariantMap& more)
{
    QVariantMap fields = more;
    fields.insert(QStringLiteral("名称"), name);
    fields.insert(QStringLiteral("ふりがな"), reading);
    insert(d.dataFile(), QStringLiteral("顧客マスタ"), fields);
}

void ListData::addMember(const QString& owner, const QString& name, const QString& reading, const QVariantMap& more)
{
    QVariantMap fields = more;
    fields.insert(QStringLiteral("名称"), owner);
    fields.insert(QStringLiteral("氏名"), name);
    fields.insert(QStringLiteral("ふりがな"), reading);
    insert(d.dataFile(), QStringLiteral("家族情報"), fields);
}

qint64 ListData::count(const QString& file, const QString& sql, const QVariantList& params)
{
    auto db = Database::open(file);
    return db ? db->count(sql, params).value_or(-1) : -1;
}

QList<ListedRow> ListData::listed()
{
    QList<ListedRow> rows;
    auto db = Database::open(d.workFile());
    EXPECT_TRUE(db);
    if (!db)
        return rows;
    Query q = db->query(QStringLiteral("SELECT 名称, 氏名 FROM w顧客リスト ORDER BY rowid"));
    while (q.next())
        rows << ListedRow{q.value(0).toString(), q.value(1).toString()};
    EXPECT_TRUE(q.ok());
    return rows;
}

QList<bool> ListData::marks()
{
    QList<bool> out;
    auto db = Database::open(d.workFile());
    EXPECT_TRUE(db);
    if (!db)
        return out;
    Query q = db->query(QStringLiteral("SELECT チェック FROM w顧客リスト ORDER BY rowid"));
    while (q.next())
        out << (q.value(0).toLongLong() != 0);
    return out;
}

void ListScreen::SetUp()
{
    ListData::SetUp();
    frm = std::make_unique<FrmKokyakuList>();
    frm->Form_Load();
    frm->show();
    frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
}

void ListScreen::TearDown() { frm.reset(); }

void ListScreen::click(const char* button)
{
    if (auto* b = ctl<QPushButton>(button))
        b->click();
    QApplication::processEvents();
}

void ListScreen::key(int k, const char* target)
{
    QWidget* w = target ? ctl<QWidget>(target) : QApplication::focusWidget();
    ASSERT_TRUE(w);
    if (target) {
        w->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([w] { return w->hasFocus(); }));
    }
    QTest::keyClick(w, static_cast<Qt::Key>(k));
    QApplication::processEvents();
}

void ListScreen::setText(const char* control, const QString& text)
{
    QWidget* w = ctl<QWidget>(control);
    if (auto* c = qobject_cast<ComboBox*>(w))
        c->setText(text);
    else if (auto* t = qobject_cast<TextBox*>(w))
        t->setText(text);
    else if (w)
        ADD_FAILURE() << control << " takes no text";
}

QString ListScreen::label(const char* name) const
{
    const QLabel* l = ctl<QLabel>(name);
    return l ? l->text() : QStringLiteral("<missing>");
}

} // namespace rov2::test
