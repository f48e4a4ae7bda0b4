#include "GridFixture.h"

#include "Database.h"
#include "FamilyGridView.h"
#include "FamilyTableModel.h"
#include "JapaneseDate.h"
#include "Query.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QTest>
#include <utility>

namespace rov2::test {

void GridFixture::SetUp()
{
    locations.workFile = d.workFile();
    locations.dataFile = d.dataFile();
    settings.続柄登録 = false;
    settings.年号 = QStringLiteral("西暦");
    window = std::make_unique<QWidget>();
    auto* layout = new QHBoxLayout(window.get());
    grid = new FamilyGrid(window.get(), locations, settings);
    other = new QPushButton(QStringLiteral("登録"), window.get());
    layout->addWidget(grid);
    layout->addWidget(other);
    window->resize(1400, 500);
    ASSERT_TRUE(grid->refresh());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    grid->Grid家族->setFocus();
}

void GridFixture::TearDown()
{
    Clock::setToday(QDate());
}

QVariant GridFixture::stored(int row, const char* field) const
{
    auto db = Database::open(d.workFile());
    EXPECT_TRUE(db);
    if (!db)
        return {};
    Query q = db->query(QStringLiteral("SELECT \"%1\" FROM w家族情報 ORDER BY rowid LIMIT 1 OFFSET ?")
                            .arg(QString::fromUtf8(field)),
                        {row});
    EXPECT_TRUE(q.next()) << "no row " << row;
    return q.value(0);
}

void GridFixture::work(const QString& sql, const QVariantList& params) const
{
    auto db = Database::open(d.workFile());
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(sql, params)) << db->lastError().toStdString();
}

void GridFixture::setRelationships(const QList<QPair<QString, QString>>& rows) const
{
    work(QStringLiteral("DELETE FROM w続柄"));
    for (const auto& [name, sex] : rows)
        work(QStringLiteral("INSERT INTO w続柄 (sname, 性別) VALUES (?, ?)"), {name, sex});
}

QRect GridFixture::cellRect(int row, int column) const
{
    return grid->Grid家族->visualRect(grid->dat家族->index(row, column));
}

void GridFixture::clickCell(int row, int column) const
{
    QTest::mouseClick(grid->Grid家族->viewport(), Qt::LeftButton, {}, cellRect(row, column).center());
}

void GridFixture::goTo(int row, int column) const
{
    grid->Grid家族->setFocus();
    grid->Grid家族->setCurrentIndex(grid->dat家族->index(row, column));
}

namespace {

// Japanese text arrives from the input method: a composition, then its commit.
void compose(const QString& text)
{
    QInputMethodEvent preedit(text, {});
    QApplication::sendEvent(QApplication::focusWidget(), &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(QApplication::focusWidget(), &commit);
}

} // namespace

void GridFixture::type(const QString& text) const
{
    QString japanese;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            japanese += c;
            continue;
        }
        if (!japanese.isEmpty())
            compose(std::exchange(japanese, QString()));
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    if (!japanese.isEmpty())
        compose(japanese);
}

void GridFixture::key(Qt::Key k, Qt::KeyboardModifiers modifiers) const
{
    QTest::keyClick(QApplication::focusWidget(), k, modifiers);
}

int GridFixture::currentRow() const
{
    return grid->Grid家族->currentIndex().row();
}
int GridFixture::currentColumn() const
{
    return grid->Grid家族->currentIndex().column();
}

} // namespace rov2::test
