#include "CodeMasterStore.h"

#include "Database.h"
#include "Query.h"

#include <QVariantList>
#include <QtDebug>

#include <vector>

namespace rov2::CodeMasterStore {
namespace {

const QString kRelationship = QStringLiteral("続柄");

struct Slot {
    QVariant code;
    QVariant name;
    QVariant count;
    QVariant sex;
};

QVariant textOrNull(const QVariant& v)
{
    return v.isNull() || v.toString().isEmpty() ? QVariant() : QVariant(v.toString());
}

/// The work slots in row order; nothing when the table cannot be read.
std::optional<std::vector<Slot>> workSlots(const QString& workFile)
{
    auto work = Database::open(workFile);
    if (!work)
        return std::nullopt;
    Query q = work->query(QStringLiteral("SELECT code, sname, cnt, 性別 FROM wコードマスタ ORDER BY 行番号"));
    std::vector<Slot> slots;
    while (q.next())
        slots.push_back({q.value(0), q.value(1), q.value(2), q.value(3)});
    if (!q.ok()) {
        qWarning().noquote() << "code table: cannot read wコードマスタ:" << work->lastError();
        return std::nullopt;
    }
    return slots;
}

bool insertSlots(Database& db, const QString& kind, const std::vector<Slot>& slots)
{
    const bool withSex = kind == kRelationship;
    const QString sql = QStringLiteral("INSERT INTO コードマスタ (kcode, code, sname, cnt, 性別) VALUES (?, ?, ?, ?, ?)");
    for (const Slot& s : slots) {
        if (textOrNull(s.code).isNull())
            break; // the slots end at the first one without a code
        if (!db.execute(sql, {kind, s.code.toString(), textOrNull(s.name), s.count,
                              withSex ? textOrNull(s.sex) : QVariant()}))
            return false;
    }
    return true;
}

} // namespace

QString slotCode(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

bool resetWork(const QString& workFile)
{
    auto work = Database::open(workFile);
    if (!work)
        return false;
    Transaction tx(*work);
    bool ok = tx.active() && work->execute(QStringLiteral("DELETE FROM wコードマスタ"));
    for (int n = 1; ok && n <= kSlotCount; ++n)
        ok = work->execute(QStringLiteral("INSERT INTO wコードマスタ (チェック, code) VALUES (?, ?)"),
                           {false, slotCode(n)});
    return ok && tx.commit();
}

std::optional<int> loadIntoWork(const QString& dataFile, const QString& workFile, const QString& kind)
{
    std::vector<Slot> rows;
    {
        auto data = Database::open(dataFile);
        if (!data)
            return std::nullopt;
        Query q = data->query(
            QStringLiteral("SELECT code, sname, 性別 FROM コードマスタ WHERE kcode = ? ORDER BY cnt"), {kind});
        while (q.next())
            rows.push_back({q.value(0), q.value(1), {}, q.value(2)});
        if (!q.ok()) {
            qWarning().noquote() << "code table: cannot read" << kind << ":" << data->lastError();
            return std::nullopt;
        }
    }
    auto work = Database::open(workFile);
    if (!work)
        return std::nullopt;
    const bool withSex = kind == kRelationship;
    const QString sql = withSex ? QStringLiteral("UPDATE wコードマスタ SET sname = ?, 性別 = ? WHERE code = ?")
                                : QStringLiteral("UPDATE wコードマスタ SET sname = ? WHERE code = ?");
    Transaction tx(*work);
    bool ok = tx.active();
    for (const Slot& r : rows) {
        if (!ok || r.code.isNull())
            continue;
        // A code without a slot changes no row and is thereby left out.
        ok = withSex ? work->execute(sql, {r.name, r.sex, r.code.toString()})
                     : work->execute(sql, {r.name, r.code.toString()});
    }
    if (!ok || !tx.commit())
        return std::nullopt;
    return static_cast<int>(rows.size());
}

SaveResult saveFromWork(const QString& dataFile, const QString& workFile, const QString& kind)
{
    const std::optional<std::vector<Slot>> slots = workSlots(workFile);
    if (!slots)
        return SaveResult::Failed;
    // Without slots to write, deleting the stored list would only lose it.
    if (slots->empty())
        return SaveResult::NoWorkRows;
    auto data = Database::open(dataFile);
    if (!data)
        return SaveResult::Failed;
    Transaction tx(*data);
    const bool ok = tx.active() && data->execute(QStringLiteral("DELETE FROM コードマスタ WHERE kcode = ?"), {kind}) &&
                    insertSlots(*data, kind, *slots) && tx.commit();
    if (!ok) {
        qWarning().noquote() << "code table: the list" << kind << "was not saved:" << data->lastError();
        return SaveResult::Failed;
    }
    return SaveResult::Saved;
}

bool clearMarkedNames(const QString& workFile)
{
    auto work = Database::open(workFile);
    if (!work)
        return false;
    return work->execute(QStringLiteral("UPDATE wコードマスタ SET sname = NULL WHERE チェック = ?"), {true});
}

} // namespace rov2::CodeMasterStore
