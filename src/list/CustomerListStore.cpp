#include "CustomerListStore.h"

#include "Database.h"
#include "KanaFold.h"
#include "Query.h"

#include <QFileInfo>
#include <QLocale>
#include <QtDebug>

#include <SQLiteCpp/Database.h>

#include <cmath>

namespace rov2::CustomerListStore {
namespace {

/// Another file attached to a connection for as long as this object lives.
/// SQLite refuses ATTACH inside a transaction: make this before the Transaction.
class Attachment {
public:
    Attachment(Database& db, const QString& path, const QString& alias) : db_(db), alias_(alias)
    {
        // ATTACH would create a missing file: only an existing one will do.
        ok_ = QFileInfo(path).isFile() &&
              db.execute(QStringLiteral("ATTACH DATABASE ? AS \"%1\"").arg(alias), {path});
        if (!ok_)
            qWarning().noquote() << "customer list: cannot attach" << path;
    }
    ~Attachment()
    {
        if (ok_ && !db_.execute(QStringLiteral("DETACH DATABASE \"%1\"").arg(alias_)))
            qWarning().noquote() << "customer list: cannot detach" << alias_;
    }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;
    bool ok() const { return ok_; }

private:
    Database& db_;
    QString alias_;
    bool ok_ = false;
};

/// The filter as a condition on the fields 区分1, 区分2, ふりがな, 誕生月 and
/// 性別, which customers and family rows share; empty when nothing filters.
QString condition(const ListFilter& f, QVariantList* params)
{
    QStringList terms;
    auto add = [&](const QString& term, const QVariant& value) {
        terms << term;
        *params << value;
    };
    if (!f.区分1.isEmpty())
        add(QStringLiteral("区分1 = ?"), f.区分1);
    if (!f.区分2.isEmpty())
        add(QStringLiteral("区分2 = ?"), f.区分2);
    if (!f.ふりがな.isEmpty())
        add(QStringLiteral("%1(ふりがな, ?)").arg(QLatin1String(kKanaPrefixFunction)), f.ふりがな);
    if (const auto month = birthMonthOf(f.誕生月))
        add(QStringLiteral("誕生月 = ?"), *month);
    if (!f.性別.isEmpty())
        add(QStringLiteral("性別 = ?"), f.性別);
    return terms.isEmpty() ? QString() : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

QString listStatement(const ListFilter& f, QVariantList* params)
{
    const QString customers = QStringLiteral("SELECT 名称, ふりがな, 住所1, NULL AS 氏名, NULL AS 続柄 FROM data.顧客マスタ") +
                              condition(f, params);
    const QString insert = QStringLiteral("INSERT INTO w顧客リスト (名称, ふりがな, 住所1, 氏名, 続柄) ");
    if (!f.家族)
        return insert + customers + QStringLiteral(" ORDER BY ふりがな COLLATE JA, 名称 COLLATE JA");
    // The customer's own row has no 氏名 and so sorts first (Null before any text).
    const QString family = QStringLiteral(" UNION ALL SELECT 名称, ふりがな, NULL, 氏名, 続柄 FROM data.家族情報") +
                           condition(f, params);
    return insert + customers + family + QStringLiteral(" ORDER BY 名称 COLLATE JA, 氏名 COLLATE JA");
}

std::optional<qint64> countOf(Database* db, const QString& table)
{
    if (!db)
        return std::nullopt;
    return db->count(QStringLiteral("SELECT count(*) AS num FROM %1").arg(table));
}

/// Refills the list; with @p counts, counts as counts() does while the data
/// file is attached: the list holds just the rows inserted, so it need not
/// be counted again, and the data file need not be opened once more.
bool fill(Database& work, const QString& dataFile, const ListFilter& filter, ListCounts* counts)
{
    if (!registerKanaFunctions(work.native().getHandle()))
        return false;
    Attachment data(work, dataFile, QStringLiteral("data"));
    if (!data.ok())
        return false;
    Transaction tx(work);
    QVariantList params;
    const QString sql = listStatement(filter, &params);
    if (!tx.active() || !work.execute(QStringLiteral("DELETE FROM w顧客リスト")) || !work.execute(sql, params))
        return false;
    if (counts)
        *counts = {work.changes(), countOf(&work, QStringLiteral("data.\"顧客マスタ\"")),
                   countOf(&work, QStringLiteral("data.\"家族情報\""))};
    return tx.commit();
}

} // namespace

bool clearList(const QString& workFile)
{
    auto work = Database::open(workFile);
    return work && work->execute(QStringLiteral("DELETE FROM w顧客リスト"));
}

bool buildList(const QString& dataFile, const QString& workFile, const ListFilter& filter, ListCounts* counts)
{
    auto work = Database::open(workFile);
    if (work && fill(*work, dataFile, filter, counts))
        return true;
    // What was listed before belongs to other filter values: show nothing rather than that.
    if (work && !work->execute(QStringLiteral("DELETE FROM w顧客リスト")))
        qWarning("customer list: the list could not be emptied after a failed search");
    if (counts)
        *counts = CustomerListStore::counts(dataFile, workFile);
    return false;
}

ListCounts counts(const QString& dataFile, const QString& workFile)
{
    const auto work = Database::open(workFile);
    const auto data = Database::open(dataFile);
    return {countOf(work.get(), QStringLiteral("\"w顧客リスト\"")),
            countOf(data.get(), QStringLiteral("\"顧客マスタ\"")), countOf(data.get(), QStringLiteral("\"家族情報\""))};
}

bool setAllMarks(const QString& workFile, bool marked)
{
    auto work = Database::open(workFile);
    return work && work->execute(QStringLiteral("UPDATE w顧客リスト SET チェック = ?"), {marked});
}

std::optional<qint64> markedCount(const QString& workFile)
{
    auto work = Database::open(workFile);
    if (!work)
        return std::nullopt;
    return work->count(QStringLiteral("SELECT count(*) AS num FROM w顧客リスト WHERE チェック <> 0"));
}

std::optional<MarkedDeletion> markedDeletion(const QString& dataFile, const QString& workFile)
{
    auto data = Database::open(dataFile);
    if (!data)
        return std::nullopt;
    Attachment work(*data, workFile, QStringLiteral("work"));
    if (!work.ok())
        return std::nullopt;
    Query q = data->query(QStringLiteral("SELECT count(DISTINCT 名称), min(名称), max(氏名 IS NOT NULL), "
                                         "(SELECT count(*) FROM 家族情報 WHERE 名称 IN (SELECT 名称 FROM "
                                         "work.w顧客リスト WHERE チェック <> 0)) "
                                         "FROM work.w顧客リスト WHERE チェック <> 0"));
    if (!q.next()) {
        qWarning().noquote() << "customer list: cannot read the marked rows:" << data->lastError();
        return std::nullopt;
    }
    return MarkedDeletion{q.value(0).toLongLong(), q.value(1).toString(), q.value(3).toLongLong(),
                          q.value(2).toLongLong() != 0};
}

bool deleteMarked(const QString& dataFile, const QString& workFile)
{
    auto data = Database::open(dataFile);
    if (!data)
        return false;
    Attachment work(*data, workFile, QStringLiteral("work"));
    if (!work.ok())
        return false;
    // A family row names its customer in 名称 too, so one set of names serves both tables.
    const QString marked = QStringLiteral("SELECT 名称 FROM work.w顧客リスト WHERE チェック <> 0");
    Transaction tx(*data);
    return tx.active() && data->execute(QStringLiteral("DELETE FROM 家族情報 WHERE 名称 IN (%1)").arg(marked)) &&
           data->execute(QStringLiteral("DELETE FROM 顧客マスタ WHERE 名称 IN (%1)").arg(marked)) && tx.commit();
}

std::optional<int> birthMonthOf(const QString& text)
{
    QString digits = text.trimmed();
    for (QChar& c : digits)
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            c = QChar(c.unicode() - 0xFF10 + u'0');
    bool ok = false;
    const double n = QLocale::c().toDouble(digits, &ok);
    if (!ok || !std::isfinite(n) || std::abs(n) > 1e9)
        return std::nullopt;
    return static_cast<int>(std::nearbyint(n));
}

} // namespace rov2::CustomerListStore
