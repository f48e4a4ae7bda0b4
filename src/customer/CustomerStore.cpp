#include "CustomerStore.h"

#include "Database.h"
#include "JapaneseDate.h"
#include "Layout.h"
#include "Query.h"
#include "Recordset.h"

#include <QPair>
#include <QVector>
#include <QtDebug>

namespace rov2::CustomerStore {
namespace {

constexpr int kFamilyRows = 10;

const QStringList& familyWorkFields()
{
    static const QStringList fields = {QStringLiteral("氏名"),     QStringLiteral("ふりがな"), QStringLiteral("続柄"),
                                       QStringLiteral("性別"),     QStringLiteral("Email"),    QStringLiteral("携帯電話"),
                                       QStringLiteral("生年月日"), QStringLiteral("誕生月"),   QStringLiteral("年齢"),
                                       QStringLiteral("勤務先"),   QStringLiteral("メモ")};
    return fields;
}

/// The birth month of a stored date: its characters 6 and 7.
QVariant monthOf(const QVariant& stored)
{
    if (stored.isNull())
        return {};
    bool ok = false;
    const int m = stored.toString().mid(5, 2).toInt(&ok);
    return ok ? QVariant(m) : QVariant();
}

/// A stored birth date brought to the form "yyyy/mm/dd"; Null when it is no date.
QVariant storedDate(const QVariant& v)
{
    if (v.isNull())
        return {};
    const auto d = fromStoredDate(v.toString());
    return d ? QVariant(toStoredDate(*d)) : QVariant();
}

/// Copies a family row into the current work row, with the age to show on @p today.
bool copyMember(const Query& family, Recordset& rows, const QDate& today)
{
    for (const QString& f : familyWorkFields())
        if (!rows.setField(f, family.value(f)))
            return false;
    const QVariant birth = storedDate(family.value(QStringLiteral("生年月日")));
    const QVariant age = ageToShow(birth.toString(), family.value(QStringLiteral("年齢")), today);
    return rows.setField(QStringLiteral("生年月日"), birth) && rows.setField(QStringLiteral("年齢"), age);
}

std::vector<QVariantMap> namedWorkRows(const QString& workFile, bool* ok)
{
    std::vector<QVariantMap> rows;
    *ok = false;
    auto work = Database::open(workFile);
    if (!work)
        return rows;
    Query q = work->query(QStringLiteral("SELECT * FROM w家族情報 WHERE 氏名 IS NOT NULL AND 氏名 <> '' ORDER BY rowid"));
    while (q.next()) {
        QVariantMap row;
        for (const QString& f : familyWorkFields())
            row.insert(f, q.value(f));
        rows.push_back(row);
    }
    *ok = q.ok();
    return rows;
}

bool writeFamily(Database& db, const std::vector<QVariantMap>& rows, const FamilyOwner& owner)
{
    if (!db.execute(QStringLiteral("DELETE FROM 家族情報 WHERE 名称 = ?"), {owner.name}))
        return false;
    int n = 0;
    for (const QVariantMap& r : rows) {
        const QVariant birth = storedDate(r.value(QStringLiteral("生年月日")));
        const QVariant age = ageToShow(birth.toString(), r.value(QStringLiteral("年齢")), owner.today);
        const bool ok = db.execute(
            QStringLiteral("INSERT INTO 家族情報 (名称, 行番号, 氏名, ふりがな, 続柄, Email, 携帯電話, 生年月日, 誕生月, "
                           "年齢, 性別, 区分1, 区分2, 勤務先, メモ) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {owner.name, n, r.value(QStringLiteral("氏名")), r.value(QStringLiteral("ふりがな")),
             r.value(QStringLiteral("続柄")), r.value(QStringLiteral("Email")), r.value(QStringLiteral("携帯電話")), birth,
             monthOf(birth), age, r.value(QStringLiteral("性別")), owner.category1, owner.category2,
             r.value(QStringLiteral("勤務先")), r.value(QStringLiteral("メモ"))});
        if (!ok)
            return false;
        ++n;
    }
    return true;
}

bool writeCustomer(Database& db, const QString& name, const QVariantMap& fields)
{
    Recordset rs = db.openDynaset(QStringLiteral("顧客マスタ"), QStringLiteral("名称 = ?"), {name});
    if (!rs.isOpen())
        return false;
    if (rs.eof())
        rs.addNew();
    else
        rs.edit();
    for (const QString& f : customerFields())
        if (!rs.setField(f, fields.value(f)))
            return false;
    return rs.update();
}

} // namespace

const QStringList& customerFields()
{
    // The layout's own list: every field but the number the table hands out.
    static const QStringList fields = [] {
        QStringList out = findTable(FileKind::Data, QStringLiteral("顧客マスタ"))->columnNames();
        out.removeAll(QStringLiteral("code"));
        return out;
    }();
    return fields;
}

CustomerRead readCustomer(const QString& dataFile, const QString& name)
{
    auto db = Database::open(dataFile);
    if (!db)
        return {};
    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"), QStringLiteral("名称 = ?"), {name});
    if (!rs.isOpen())
        return {};
    if (rs.eof())
        return {ReadOutcome::NotFound, {}};
    CustomerRead out{ReadOutcome::Found, {}};
    for (const QString& f : customerFields())
        out.fields.insert(f, rs.field(f));
    return out;
}

bool writeFamilyFromWork(Database& data, const QString& workFile, const FamilyOwner& owner)
{
    bool workOk = false;
    const std::vector<QVariantMap> family = namedWorkRows(workFile, &workOk);
    return workOk && writeFamily(data, family, owner);
}

bool saveCustomer(const QString& dataFile, const QString& name, const QVariantMap& fields,
                  const FamilyWriter& writeFamilyRows)
{
    auto db = Database::open(dataFile);
    if (!db)
        return false;
    Transaction tx(*db);
    return tx.active() && writeCustomer(*db, name, fields) && writeFamilyRows(*db) && tx.commit();
}

bool saveCustomer(const QString& dataFile, const QString& workFile, const QString& name, const QVariantMap& fields,
                  const FamilyOwner& owner)
{
    return saveCustomer(dataFile, name, fields,
                        [&](Database& data) { return writeFamilyFromWork(data, workFile, owner); });
}

bool deleteCustomer(const QString& dataFile, const QString& name)
{
    auto db = Database::open(dataFile);
    if (!db)
        return false;
    Transaction tx(*db);
    return tx.active() && db->execute(QStringLiteral("DELETE FROM 顧客マスタ WHERE 名称 = ?"), {name}) &&
           db->execute(QStringLiteral("DELETE FROM 家族情報 WHERE 名称 = ?"), {name}) && tx.commit();
}

bool clearFamilyWork(const QString& workFile)
{
    auto work = Database::open(workFile);
    if (!work)
        return false;
    Transaction tx(*work);
    bool ok = tx.active() && work->execute(QStringLiteral("DELETE FROM w家族情報"));
    for (int i = 0; ok && i < kFamilyRows; ++i)
        ok = work->execute(QStringLiteral("INSERT INTO w家族情報 (年齢) VALUES (NULL)"));
    return ok && tx.commit();
}

bool copyFamilyToWork(const QString& dataFile, const QString& workFile, const QString& name, const QDate& today,
                      QString* failedFile)
{
    const auto failed = [failedFile](const QString& file) {
        if (failedFile)
            *failedFile = file;
        return false;
    };
    if (!clearFamilyWork(workFile))
        return failed(workFile);
    auto data = Database::open(dataFile);
    if (!data)
        return failed(dataFile);
    auto work = Database::open(workFile);
    if (!work)
        return failed(workFile);
    Query family = data->query(QStringLiteral("SELECT * FROM 家族情報 WHERE 名称 = ? ORDER BY 行番号"), {name});
    Recordset rows = work->openDynaset(QStringLiteral("w家族情報"));
    Transaction tx(*work);
    if (!rows.isOpen() || !tx.active())
        return failed(workFile);
    while (family.next()) {
        // A stored row without a name leaves its grid row empty, as it was saved.
        if (rows.eof())
            rows.addNew();
        else
            rows.edit();
        const bool ok = family.value(QStringLiteral("氏名")).isNull() || copyMember(family, rows, today);
        if (!ok || !rows.update())
            return failed(workFile);
        rows.moveNext();
    }
    if (!family.ok())
        return failed(dataFile);
    return tx.commit() || failed(workFile);
}

QStringList quickCustomers(const QString& dataFile)
{
    QStringList out;
    auto db = Database::open(dataFile);
    if (!db)
        return out;
    Query q = db->query(QStringLiteral("SELECT 名称 FROM 顧客マスタ WHERE クイック = ? AND 名称 IS NOT NULL ORDER BY ふりがな COLLATE JA"),
                        {QStringLiteral("する")});
    while (q.next())
        out << q.value(0).toString();
    return out;
}

bool rebuildRelationships(const QString& dataFile, const QString& workFile)
{
    QVector<QPair<QVariant, QVariant>> entries;
    {
        auto data = Database::open(dataFile);
        if (!data)
            return false;
        Query q = data->query(QStringLiteral("SELECT sname, 性別 FROM コードマスタ WHERE kcode = ? AND sname IS NOT NULL "
                                             "ORDER BY code"),
                              {QStringLiteral("続柄")});
        while (q.next())
            entries.append({q.value(0), q.value(1)});
        if (!q.ok())
            return false;
    }
    auto work = Database::open(workFile);
    if (!work)
        return false;
    Transaction tx(*work);
    if (!tx.active() || !work->execute(QStringLiteral("DELETE FROM w続柄")))
        return false;
    for (const auto& [sname, sex] : entries)
        if (!work->execute(QStringLiteral("INSERT INTO w続柄 (sname, 性別) VALUES (?, ?)"), {sname, sex}))
            return false;
    return tx.commit();
}

std::optional<qint64> customerCount(const QString& dataFile)
{
    auto db = Database::open(dataFile);
    if (!db)
        return std::nullopt;
    return db->count(QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ"));
}

} // namespace rov2::CustomerStore
