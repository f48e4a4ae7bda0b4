#include "CustomerCsvExport.h"

#include "CsvFieldNames.h"
#include "Database.h"
#include "Dialogs.h"
#include "OwnFiles.h"
#include "Query.h"

#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace rov2 {
namespace {

using Status = CustomerCsvExportResult::Status;

/// The listed customers with their first place in the list: the marked rows,
/// or all rows when none is marked (the work file is attached as "w").
const char* const kListed = "(SELECT 名称, MIN(rowid) AS pos FROM w.w顧客リスト "
                            " WHERE 名称 IS NOT NULL AND (チェック <> 0 OR NOT EXISTS (SELECT 1 FROM "
                            "w.w顧客リスト WHERE チェック <> 0)) "
                            " GROUP BY 名称)";

QString columnList(const QString& alias, const QStringList& columns)
{
    QStringList out;
    for (const QString& c : columns)
        out << alias + QStringLiteral(".\"") + c + QLatin1Char('"');
    return out.join(QStringLiteral(", "));
}

QString cellText(const QVariant& v)
{
    return v.isNull() ? QString() : v.toString();
}

/// Reads the rows of one select into CSV rows under a heading line.
bool readRows(Database& db, const QString& sql, const QStringList& columns, std::vector<QStringList>* rows)
{
    rows->push_back(columns);
    Query q = db.query(sql);
    while (q.next()) {
        QStringList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row << cellText(q.value(i));
        rows->push_back(std::move(row));
    }
    return q.ok();
}

bool readListed(const QString& workFile, const QString& dataFile, bool includeFamily,
                std::vector<QStringList>* customers, std::vector<QStringList>* family)
{
    auto db = Database::open(dataFile);
    if (!db || !QFileInfo(workFile).isFile() ||
        !db->execute(QStringLiteral("ATTACH DATABASE ? AS w"), {workFile}))
        return false;
    const QString listed = QString::fromUtf8(kListed);
    bool ok = readRows(*db,
                       QStringLiteral("SELECT ") + columnList(QStringLiteral("c"), customerCsvColumns()) +
                           QStringLiteral(" FROM 顧客マスタ c JOIN ") + listed +
                           QStringLiteral(" l ON c.名称 = l.名称 ORDER BY l.pos, c.rowid"),
                       customerCsvColumns(), customers);
    if (ok && includeFamily)
        ok = readRows(*db,
                      QStringLiteral("SELECT ") + columnList(QStringLiteral("f"), familyCsvColumns()) +
                          QStringLiteral(" FROM 家族情報 f JOIN ") + listed +
                          QStringLiteral(" l ON f.名称 = l.名称 ORDER BY l.pos, f.行番号, f.rowid"),
                      familyCsvColumns(), family);
    if (!db->execute(QStringLiteral("DETACH DATABASE w")))
        qWarning("work file stayed attached until the data file closed");
    return ok;
}

bool encode(const std::vector<QStringList>& rows, CsvEncoding encoding, const QString& path, QByteArray* out,
            CustomerCsvExportResult* r)
{
    auto bytes = encodeCsv(rows, encoding, &r->problem);
    if (bytes) {
        *out = std::move(*bytes);
        return true;
    }
    r->status = Status::Unencodable;
    r->problemPath = path;
    r->problemName =
        rows.at(static_cast<std::size_t>(r->problem.line - 1)).value(path == r->familyPath ? 2 : 1);
    r->problemField = rows.front().value(r->problem.field);
    return false;
}

/// Writes the customer file and, when @p familyPath is set, the family file:
/// both reach the disk whole before either replaces what was there.
bool writeBoth(const QString& customerPath, const QByteArray& customerBytes, const QString& familyPath,
               const QByteArray& familyBytes, const FileSinkFactory& sinks)
{
    const FileSinkFactory makeSink = sinksOrDefault(sinks);
    const std::unique_ptr<FileSink> customers = makeSink(customerPath);
    const std::unique_ptr<FileSink> family = familyPath.isEmpty() ? nullptr : makeSink(familyPath);
    bool ok = customers->open() && writeAll(*customers, customerBytes);
    if (ok && family)
        ok = family->open() && writeAll(*family, familyBytes);
    if (ok)
        return family ? finishAllWhole({customers.get(), family.get()}) : finishWhole(*customers);
    customers->cancel();
    if (family)
        family->cancel();
    qWarning() << "CSV not written:" << customers->errorString()
               << (family ? family->errorString() : QString());
    return false;
}

} // namespace

QString familyCsvPath(const QString& customerPath)
{
    const QFileInfo fi(customerPath);
    const QString suffix = fi.suffix().isEmpty() ? QString() : QLatin1Char('.') + fi.suffix();
    return fi.path() + QLatin1Char('/') + fi.completeBaseName() + QStringLiteral("_家族") + suffix;
}

CustomerCsvExportResult writeCustomerCsv(const QString& workFile, const QString& dataFile, bool includeFamily,
                                         const QString& targetPath, CsvEncoding encoding,
                                         const FileSinkFactory& sinks)
{
    CustomerCsvExportResult r;
    r.customerPath = targetPath;
    r.familyPath = includeFamily ? familyCsvPath(targetPath) : QString();
    std::vector<QStringList> customers, family;
    if (!readListed(workFile, dataFile, includeFamily, &customers, &family)) {
        r.status = Status::ReadFailed;
        return r;
    }
    r.customers = static_cast<int>(customers.size()) - 1;
    r.familyRows = includeFamily ? static_cast<int>(family.size()) - 1 : 0;
    if (r.customers == 0) {
        r.status = Status::Empty;
        return r;
    }
    QByteArray customerBytes, familyBytes;
    if (!encode(customers, encoding, r.customerPath, &customerBytes, &r) ||
        (includeFamily && !encode(family, encoding, r.familyPath, &familyBytes, &r)))
        return r;

    const bool ok = writeBoth(r.customerPath, customerBytes, r.familyPath, familyBytes, sinks);
    r.status = ok ? Status::Written : Status::WriteFailed;
    return r;
}

bool ExportCustomerCsv(QWidget* owner, const OwnFiles& own, bool includeFamily, const QString& targetPath,
                       CsvEncoding encoding, Dialogs& dialogs, const FileSinkFactory& sinks)
{
    const QString title = QStringLiteral("CSV出力");
    const auto tell = [&](const QString& text, MsgIcon icon) {
        dialogs.message(owner, MessageRequest{title, text, MsgButtons::Ok, icon, false});
    };
    QString path = targetPath;
    if (path.isEmpty()) {
        const auto chosen =
            dialogs.saveFile(owner, QStringLiteral("CSVファイルに出力"), QStringLiteral("顧客一覧.csv"),
                             {QStringLiteral("CSV ファイル (*.csv)")}, 0);
        if (!chosen)
            return false;
        path = *chosen;
    }
    if (!mayWriteUserFiles(owner, title, {path, includeFamily ? familyCsvPath(path) : QString()}, own,
                           dialogs))
        return false;

    const CustomerCsvExportResult r =
        writeCustomerCsv(own.workFile, own.dataFile, includeFamily, path, encoding, sinks);
    switch (r.status) {
    case Status::Written: {
        QString text = QStringLiteral("%1件の顧客を出力しました。").arg(r.customers);
        if (includeFamily)
            text += QStringLiteral("\n家族 %1件を %2 に出力しました。").arg(r.familyRows).arg(r.familyPath);
        tell(text, MsgIcon::Information);
        return true;
    }
    case Status::Empty:
        tell(QStringLiteral("出力する顧客がありません。"), MsgIcon::Information);
        break;
    case Status::Unencodable:
        tell(QStringLiteral("Shift_JIS では書けない文字「%1」があります。\n%2 の %3行目（%4）の「%5」\n"
                            "UTF-8 で出力するか、その文字を直してください。何も出力していません。")
                 .arg(r.problem.character, QFileInfo(r.problemPath).fileName())
                 .arg(r.problem.line)
                 .arg(r.problemName, r.problemField),
             MsgIcon::Exclamation);
        break;
    case Status::ReadFailed:
        tell(QStringLiteral("データファイルを読めませんでした。"), MsgIcon::Exclamation);
        break;
    case Status::WriteFailed:
        tell(QStringLiteral("ファイルに書き込めませんでした（ディスクの空きが足りないなど）。\n%1\n"
                            "既にあったファイルは元のままです。")
                 .arg(QDir::toNativeSeparators(path)),
             MsgIcon::Exclamation);
        break;
    }
    return false;
}

} // namespace rov2
