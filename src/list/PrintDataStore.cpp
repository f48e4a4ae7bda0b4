#include "PrintDataStore.h"

#include "Database.h"
#include "Layout.h"
#include "Query.h"

#include <QFileInfo>
#include <QtDebug>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

namespace rov2::PrintDataStore {
namespace {

/// The data file attached to the work file's connection for as long as this
/// object lives. SQLite refuses ATTACH inside a transaction: make this first.
class DataAttached
{
public:
    DataAttached(Database& work, const QString& dataFile) : work_(work)
    {
        // ATTACH would create a missing file: only an existing one will do.
        ok_ = QFileInfo(dataFile).isFile() &&
              work.execute(QStringLiteral("ATTACH DATABASE ? AS data"), {dataFile});
        if (!ok_)
            qWarning().noquote() << "print data: cannot attach" << dataFile;
    }
    ~DataAttached()
    {
        if (ok_ && !work_.execute(QStringLiteral("DETACH DATABASE data")))
            qWarning("print data: cannot detach the data file");
    }
    DataAttached(const DataAttached&) = delete;
    DataAttached& operator=(const DataAttached&) = delete;
    bool ok() const { return ok_; }

private:
    Database& work_;
    bool ok_ = false;
};

/// The columns of a print table, quoted and joined, each prefixed with @p prefix.
QString columnsOf(const QString& table, const QString& prefix = {})
{
    QStringList out;
    if (const TableLayout* t = findTable(FileKind::Work, table))
        for (const QString& c : t->columnNames())
            out << prefix + u'"' + c + u'"';
    return out.join(u',');
}

[[nodiscard]] bool copyMarked(Database& work)
{
    const QString customers = columnsOf(QStringLiteral("w顧客マスタ印刷"));
    const QString family = columnsOf(QStringLiteral("w家族情報印刷"));
    const QString familyFromF = columnsOf(QStringLiteral("w家族情報印刷"), QStringLiteral("f."));
    // The names come from the list table itself: nothing a user typed is spliced into the text.
    return work.execute(QStringLiteral("DELETE FROM main.w顧客マスタ印刷")) &&
           work.execute(QStringLiteral("DELETE FROM main.w家族情報印刷")) &&
           work.execute(QStringLiteral("INSERT INTO main.w顧客マスタ印刷 (%1) SELECT %1 FROM data.顧客マスタ "
                                       "WHERE 名称 IN (SELECT 名称 FROM main.w顧客リスト "
                                       "WHERE チェック <> 0 AND 氏名 IS NULL)")
                            .arg(customers)) &&
           work.execute(
               QStringLiteral("INSERT INTO main.w家族情報印刷 (%1) SELECT %2 FROM data.家族情報 AS f "
                              "WHERE EXISTS (SELECT 1 FROM main.w顧客リスト AS l WHERE l.チェック <> 0 "
                              "AND l.名称 = f.名称 AND l.氏名 = f.氏名)")
                   .arg(family, familyFromF));
}

// The customer of a row is the first one of that name, as a look-up by name finds it.
const char* const kMarkedWithCustomer =
    "SELECT l.名称, l.氏名, c.敬称, c.郵便番号, c.住所1, c.住所2, c.rowid FROM main.w顧客リスト AS l "
    "LEFT JOIN data.顧客マスタ AS c ON c.rowid = "
    "(SELECT min(rowid) FROM data.顧客マスタ WHERE 名称 = l.名称) "
    "WHERE l.チェック <> 0 ORDER BY l.rowid";

/// Appends the label rows inside the caller's transaction.
[[nodiscard]] std::optional<int> appendLabels(Database& work, int blanks)
{
    try {
        SQLite::Statement insert(work.native(),
                                 "INSERT INTO main.wタックシール印刷 (名称, 郵便番号, 住所1, 住所2) "
                                 "VALUES (?, ?, ?, ?)");
        auto write = [&insert](const LabelText& l) {
            bindAll(insert, {l.名称, l.郵便番号, l.住所1, l.住所2});
            insert.exec();
            insert.reset();
        };
        int written = 0;
        for (; written < blanks; ++written)
            write({});
        Query q = work.query(QString::fromUtf8(kMarkedWithCustomer));
        while (q.next()) {
            const bool found = !q.value(6).isNull();
            const bool member = !q.value(1).isNull();
            LabelText l;
            if (member || found)
                l.名称 = nameLine(q.value(0).toString(), q.value(1), q.value(2));
            if (found) {
                l.郵便番号 = postalCodeText(q.value(3));
                l.住所1 = q.value(4);
                l.住所2 = q.value(5);
            }
            write(l);
            ++written;
        }
        if (!q.ok())
            return std::nullopt;
        return written;
    } catch (const std::exception& e) {
        work.fail(QStringLiteral("label rows"), QString::fromUtf8(e.what()));
        return std::nullopt;
    }
}

} // namespace

std::optional<ListPrintData> fillListPrint(const QString& dataFile, const QString& workFile)
{
    auto work = Database::open(workFile);
    if (!work)
        return std::nullopt;
    DataAttached data(*work, dataFile);
    if (!data.ok())
        return std::nullopt;
    const auto customers = work->count(
        QStringLiteral("SELECT count(*) AS num FROM main.w顧客リスト WHERE チェック <> 0 AND 氏名 IS NULL"));
    const auto family = work->count(QStringLiteral(
        "SELECT count(*) AS num FROM main.w顧客リスト WHERE チェック <> 0 AND 氏名 IS NOT NULL"));
    if (!customers || !family)
        return std::nullopt;
    Transaction tx(*work);
    if (!tx.active() || !copyMarked(*work) || !tx.commit())
        return std::nullopt;
    return ListPrintData{*customers > 0, *family > 0};
}

QString nameLine(const QString& 名称, const QVariant& 氏名, const QVariant& 敬称)
{
    if (!氏名.isNull())
        return 氏名.toString() + QStringLiteral("　様");
    if (敬称.isNull())
        return 名称 + QStringLiteral("　様");
    return 名称 + QStringLiteral("　") + 敬称.toString().trimmed();
}

QVariant postalCodeText(const QVariant& stored)
{
    if (stored.isNull())
        return {};
    const QString code = stored.toString();
    if (code.size() == 7 && !code.contains(u'-'))
        return code.left(3) + u'-' + code.right(4);
    return code;
}

std::optional<int> fillLabels(const QString& dataFile, const QString& workFile, int blanks)
{
    auto work = Database::open(workFile);
    if (!work)
        return std::nullopt;
    DataAttached data(*work, dataFile);
    if (!data.ok())
        return std::nullopt;
    Transaction tx(*work);
    if (!tx.active() || !work->execute(QStringLiteral("DELETE FROM main.wタックシール印刷")))
        return std::nullopt;
    const std::optional<int> written = appendLabels(*work, blanks);
    if (!written || !tx.commit())
        return std::nullopt;
    return written;
}

std::optional<std::vector<MarkedForPostcard>> markedForPostcards(const QString& dataFile, const QString& workFile)
{
    auto work = Database::open(workFile);
    if (!work)
        return std::nullopt;
    DataAttached data(*work, dataFile);
    if (!data.ok())
        return std::nullopt;
    std::vector<MarkedForPostcard> rows;
    Query q = work->query(QString::fromUtf8(kMarkedWithCustomer));
    while (q.next()) {
        MarkedForPostcard r;
        r.名称 = q.value(0).toString();
        r.氏名 = q.value(1).toString();
        r.member = !q.value(1).isNull();
        r.customerFound = !q.value(6).isNull();
        r.敬称 = q.value(2).toString();
        r.郵便番号 = q.value(3).toString();
        r.住所1 = q.value(4).toString();
        r.住所2 = q.value(5).toString();
        rows.push_back(std::move(r));
    }
    if (!q.ok())
        return std::nullopt;
    return rows;
}

std::optional<report::PostcardSender> postcardSender(const QString& dataFile)
{
    auto data = Database::open(dataFile);
    if (!data)
        return std::nullopt;
    Query q = data->query(QStringLiteral("SELECT 顧客名, 郵便番号, 住所1, 電話番号 FROM 自社情報 LIMIT 1"));
    report::PostcardSender sender;
    if (q.next()) {
        sender.name = q.value(0).toString();
        sender.postalCode = q.value(1).toString();
        sender.address = q.value(2).toString();
        sender.telephone = q.value(3).toString();
    }
    if (!q.ok())
        return std::nullopt;
    return sender;
}

} // namespace rov2::PrintDataStore
