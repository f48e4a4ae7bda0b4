#include "LayoutUpgrade.h"

#include "Database.h"
#include "Layout.h"
#include "Query.h"

#include <QRegularExpression>
#include <QStringList>
#include <QtDebug>

#include <optional>
#include <vector>

namespace rov2 {
namespace {

struct OldTable {
    QString name;
    QString createSql;
    QStringList indexSql;
    std::optional<qint64> sequence; ///< sqlite_sequence.seq of an AUTOINCREMENT table
};

QString quoted(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

/// The CREATE TABLE text without the collation clause of the reading columns.
QString withoutCollation(const QString& sql)
{
    static const QRegularExpression clause(QStringLiteral("\\s+COLLATE\\s+\"?%1\"?(?=[\\s,)])")
                                               .arg(QString::fromLatin1(kReadingCollation)),
                                           QRegularExpression::CaseInsensitiveOption);
    return QString(sql).remove(clause);
}

std::optional<std::vector<OldTable>> tablesWithCollation(Database& db)
{
    std::vector<OldTable> out;
    Query tables(db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND sql LIKE ?"),
                 {QStringLiteral("%COLLATE %1%").arg(QString::fromLatin1(kReadingCollation))});
    while (tables.next())
        out.push_back({tables.value(0).toString(), tables.value(1).toString(), {}, std::nullopt});
    if (!tables.ok())
        return std::nullopt;
    const bool sequences = db.hasTable(QStringLiteral("sqlite_sequence"));
    for (OldTable& t : out) {
        Query ix(db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND sql IS NOT NULL"),
                 {t.name});
        while (ix.next())
            t.indexSql << ix.value(0).toString();
        if (!ix.ok())
            return std::nullopt;
        if (!sequences)
            continue;
        Query seq(db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"), {t.name});
        if (seq.next())
            t.sequence = seq.value(0).toLongLong();
        if (!seq.ok())
            return std::nullopt;
    }
    return out;
}

/// Renames the old table aside, creates the new one under the old name and
/// copies the rows across in the order they were appended.
bool rebuild(Database& db, const OldTable& t)
{
    const QString aside = quoted(t.name + QStringLiteral("_旧"));
    if (!db.execute(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quoted(t.name), aside)) ||
        !db.execute(withoutCollation(t.createSql)) ||
        !db.execute(QStringLiteral("INSERT INTO %1 SELECT * FROM %2 ORDER BY rowid").arg(quoted(t.name), aside)) ||
        !db.execute(QStringLiteral("DROP TABLE %1").arg(aside)))
        return false;
    for (const QString& ix : t.indexSql)
        if (!db.execute(ix))
            return false;
    // Customer numbers of deleted customers are never handed out again.
    if (!t.sequence)
        return true;
    if (!db.execute(QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?"), {*t.sequence, t.name}))
        return false;
    return db.changes() > 0 ||
           db.execute(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"), {t.name, *t.sequence});
}

} // namespace

bool dropStoredCollation(Database& db)
{
    const auto tables = tablesWithCollation(db);
    if (!tables)
        return false;
    if (tables->empty())
        return true;
    Transaction tx(db);
    if (!tx.active())
        return false;
    for (const OldTable& t : *tables) {
        if (!rebuild(db, t)) {
            qWarning().noquote() << "database: cannot rebuild" << t.name << "without its stored collation";
            return false;
        }
    }
    if (!db.execute(QStringLiteral("PRAGMA user_version = %1").arg(kLayoutVersion)) || !tx.commit())
        return false;
    qInfo().noquote() << "database:" << tables->size() << "tables rebuilt without the stored reading collation in"
                      << db.path();
    return true;
}

} // namespace rov2
