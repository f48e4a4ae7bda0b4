#include "ConvertMerge.h"

#include "Database.h"
#include "TableSource.h"

#include <QDateTime>
#include <QtDebug>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <memory>
#include <optional>

namespace rov2 {
namespace {

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

/// The statements of one table conversion, prepared once: a conversion of a
/// hundred thousand customers must not compile three statements per row.
struct MergeStatements {
    std::unique_ptr<SQLite::Statement> find;
    std::unique_ptr<SQLite::Statement> update;
    std::unique_ptr<SQLite::Statement> insert;
};

MergeStatements prepare(Database& db, const ConvertTablePlan& plan, const QStringList& fields)
{
    QStringList sets;
    QStringList cols;
    QStringList marks;
    for (const QString& f : fields) {
        sets << quoted(f) + QStringLiteral(" = ?");
        cols << quoted(f);
        marks << QStringLiteral("?");
    }
    QStringList where;
    for (const QString& k : plan.keys)
        where << quoted(k) + QStringLiteral(" IS ?");
    const QString table = quoted(plan.table);
    const QString find = QStringLiteral("SELECT rowid FROM ") + table +
                         (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "))) +
                         QStringLiteral(" ORDER BY rowid LIMIT 1");
    MergeStatements s;
    auto& native = db.native();
    s.find = std::make_unique<SQLite::Statement>(native, find.toStdString());
    s.update = std::make_unique<SQLite::Statement>(
        native, (QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) +
                 QStringLiteral(" WHERE rowid = ?"))
                    .toStdString());
    s.insert = std::make_unique<SQLite::Statement>(
        native, (QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + cols.join(QStringLiteral(", ")) +
                 QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')'))
                    .toStdString());
    return s;
}

std::optional<qint64> findRow(SQLite::Statement& find, const QVariantList& key)
{
    find.reset();
    find.clearBindings();
    bindAll(find, key);
    if (find.executeStep())
        return find.getColumn(0).getInt64();
    return std::nullopt;
}

void write(SQLite::Statement& stmt, const QVariantList& values)
{
    stmt.reset();
    stmt.clearBindings();
    bindAll(stmt, values);
    stmt.exec();
}

/// A name kept as a BLOB (or a number) never equals the stored text: the
/// customer would be added again beside the one it should overwrite.
bool isTextKey(const QVariantList& key)
{
    for (const QVariant& v : key)
        if (v.typeId() != QMetaType::QString || v.toString().isEmpty())
            return false;
    return true;
}

} // namespace

ConvertProgressClock::ConvertProgressClock(ConvertProgressFn fn, int intervalMs)
    : fn_(std::move(fn)), intervalMs_(intervalMs)
{
}

void ConvertProgressClock::stage(const QString& text)
{
    stage_ = text;
    if (fn_)
        fn_(stage_, QString());
    clock_.start();
}

void ConvertProgressClock::row(const QString& current)
{
    if (!fn_ || (clock_.isValid() && clock_.elapsed() < intervalMs_))
        return;
    fn_(stage_, current);
    clock_.start();
}

QVariant storedValue(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("yyyy/MM/dd"))
                                        : dt.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    }
    return v;
}

QString matchField(const QStringList& fields, const QString& name)
{
    for (const QString& f : fields)
        if (f.compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return {};
}

ConvertTableResult mergeTable(Database& current, RowCursor& old, const ConvertTablePlan& plan,
                              ConvertProgressClock& progress)
{
    ConvertTableResult result;
    // Only the fields the old table has are copied; the others keep their values.
    QStringList currentFields;
    QStringList oldFields;
    for (const ConvertField& f : plan.fields) {
        const QString oldName = matchField(old.fieldNames(), f.old);
        if (oldName.isEmpty())
            continue;
        currentFields << f.current;
        oldFields << oldName;
    }
    if (currentFields.isEmpty())
        return result;
    QStringList keyOld;
    for (const QString& k : plan.keys) {
        const qsizetype i = currentFields.indexOf(k);
        if (i < 0) {
            // Without its key an old row could not be matched, and a second run would add it again.
            result.ok = false;
            result.error = QStringLiteral("%1: the old table has no field for the key %2").arg(plan.table, k);
            return result;
        }
        keyOld << oldFields.at(i);
    }
    const QString shown = plan.shownField.isEmpty() ? QString() : matchField(old.fieldNames(), plan.shownField);
    try {
        MergeStatements s = prepare(current, plan, currentFields);
        bool first = true;
        while ((plan.keys.isEmpty() ? first : true) && old.next()) {
            first = false;
            ++result.read;
            QVariantList key;
            for (const QString& f : keyOld)
                key << storedValue(old.value(f));
            if (!isTextKey(key)) {
                ++result.refused;
                continue;
            }
            QVariantList values;
            for (const QString& f : oldFields)
                values << storedValue(old.value(f));
            if (!shown.isEmpty()) {
                const QVariant name = old.value(shown);
                if (!name.isNull() || plan.showNullAsEmpty)
                    progress.row(name.toString());
            }
            if (const auto rowid = findRow(*s.find, key)) {
                write(*s.update, values + QVariantList{*rowid});
                ++result.overwritten;
            } else {
                write(*s.insert, values);
                ++result.added;
            }
        }
    } catch (const std::exception& e) {
        result.ok = false;
        result.error = plan.table + QStringLiteral(": ") + QString::fromUtf8(e.what());
        qWarning().noquote() << "conversion:" << result.error;
        return result;
    }
    if (result.refused > 0)
        qWarning().noquote() << "conversion:" << plan.table << ":" << result.refused
                             << "rows refused: their key is not a text, or is empty";
    if (old.failed()) {
        result.ok = false;
        result.error = plan.table + QStringLiteral(": ") + old.error();
        qWarning().noquote() << "conversion:" << result.error;
    }
    return result;
}

} // namespace rov2
