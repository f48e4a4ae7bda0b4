#include "CustomerCsvExport.h"

#include "CsvFieldNames.h"
#include "Database.h"
#include "Dialogs.h"
#include "ListedPositions.h"
#include "OwnFiles.h"
#include "Query.h"

#include <QDir>
#include <QFileInfo>
#include <QtDebug>
#include <SQLiteCpp/Database.h>
#include <algorithm>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace rov2 {
namespace {

using Status = CustomerCsvExportResult::Status;

/// The listed customers with their first place in the list: the marked rows,
/// or all rows when none is marked (the work file is attached as "w").
const char* const kListed = "(SELECT 名称, MIN(rowid) AS pos FROM w.w顧客リスト "
                            " WHERE 名称 IS NOT NULL AND (チェック <> 0 OR NOT EXISTS (SELECT 1 FROM "
                            "w.w顧客リスト WHERE チェック <> 0)) "
                            " GROUP BY 名称)";

constexpr qint64 kMostReserved = qint64{256} << 20;

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

/// The lines of one file, UTF-8, as they were read after the heading line:
/// each with its place in the file and the row it came from.
struct CsvLines
{
    struct Line
    {
        qint64 order = 0;
        qint64 rowid = 0;
        qsizetype start = 0;
        qsizetype end = 0;
    };
    QByteArray text;
    std::vector<Line> lines;
};

/// One file's table: its fields, the field that names a row in a problem
/// report, and its lines.
struct CsvTable
{
    const char* table;
    const QStringList& columns;
    int nameField;
    CsvLines lines;
};

// A cell's value as sqlite3_column_value gives it: one call, and so one
// lock of the connection, instead of one per sqlite3_column_* asked. The value
// is read only here, on the one thread that owns the connection.
sqlite3_value* cell(sqlite3_stmt* row, int i)
{
    return sqlite3_column_value(row, i);
}

// A name as the join compares it: its storage class beside its bytes, in
// @p key (reused, so that looking a row up allocates nothing).
const std::string& nameKey(sqlite3_value* name, std::string& key)
{
    key.assign(1, static_cast<char>('0' + sqlite3_value_type(name)));
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(name));
    key.append(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_value_bytes(name)));
    return key;
}

struct Finalize
{
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Rows = std::unique_ptr<sqlite3_stmt, Finalize>;

// The rows of @p sql, read with SQLite's own calls: a cell costs a fraction
// of what it costs through QVariant.
Rows prepare(sqlite3* db, const QString& sql)
{
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &s, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    return Rows(s);
}

bool nextRow(sqlite3_stmt* rows)
{
    const int result = sqlite3_step(rows);
    if (result != SQLITE_ROW && result != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(rows)));
    return result == SQLITE_ROW;
}

/// Where each listed name first stands in the list: among the marked rows,
/// or among all rows when none is marked. In one pass here rather than as a
/// grouped join, which made SQLite sort whole customer rows.
ListedPositions listedPositions(sqlite3* db)
{
    const Rows rows =
        prepare(db, QStringLiteral("SELECT 名称, チェック <> 0, rowid FROM w.w顧客リスト ORDER BY rowid"));
    ListedPositions all, marked;
    bool anyMarked = false;
    std::string key;
    while (nextRow(rows.get())) {
        const bool mark = sqlite3_column_int(rows.get(), 1) != 0;
        anyMarked = anyMarked || mark;
        if (sqlite3_column_type(rows.get(), 0) == SQLITE_NULL)
            continue;
        nameKey(cell(rows.get(), 0), key);
        all.add(key, sqlite3_column_int64(rows.get(), 2));
        if (mark)
            marked.add(key, sqlite3_column_int64(rows.get(), 2));
    }
    return anyMarked ? std::move(marked) : std::move(all);
}

// Text and whole numbers go over as SQLite holds them; anything else, and
// text that is no valid UTF-8 or starts with a byte-order mark (which
// QString::fromUtf8 drops), as the QString the rest of the program sees.
void appendField(sqlite3_value* value, QByteArray& out)
{
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_INTEGER || type == SQLITE_TEXT) {
        const QByteArrayView text(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                                  sqlite3_value_bytes(value));
        if (type == SQLITE_INTEGER || (text.isValidUtf8() && !text.startsWith("\xEF\xBB\xBF")))
            appendCsvField(out, text);
        else
            appendCsvField(out, QString::fromUtf8(text).toUtf8());
    } else if (type == SQLITE_FLOAT) {
        appendCsvField(out, QVariant(sqlite3_value_double(value)).toString().toUtf8());
    } else if (type == SQLITE_BLOB) {
        const QByteArray blob(static_cast<const char*>(sqlite3_value_blob(value)),
                              sqlite3_value_bytes(value));
        appendCsvField(out, QVariant(blob).toString().toUtf8());
    }
}

// The current row's first @p columns fields as the next line of @p out.
void takeRow(sqlite3_stmt* row, int columns, qint64 order, CsvLines& out)
{
    const qsizetype start = out.text.size();
    for (int i = 0; i < columns; ++i) {
        if (i > 0)
            out.text += ',';
        appendField(cell(row, i), out.text);
    }
    out.text += "\r\n";
    out.lines.push_back({order, sqlite3_column_int64(row, columns), start, out.text.size()});
}

void appendHeading(const QStringList& columns, QByteArray& text)
{
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (i > 0)
            text += ',';
        appendCsvField(text, columns.at(i).toUtf8());
    }
    text += "\r\n";
}

// The heading line, with room behind it for about as many bytes as
// @p dataFile holds, so that the text is not copied over and over as it
// grows; pages never written cost nothing.
void startText(CsvTable& t, const QString& dataFile)
{
    if (!dataFile.isEmpty())
        t.lines.text.reserve(std::min(QFileInfo(dataFile).size(), kMostReserved));
    appendHeading(t.columns, t.lines.text);
}

// The listed customers in list order, each name's customers in their order.
void readCustomers(sqlite3* db, CsvTable& customers)
{
    const auto positions = listedPositions(db);
    const auto columns = static_cast<int>(customers.columns.size());
    const int name = static_cast<int>(customers.columns.indexOf(QStringLiteral("名称")));
    const QString select = QStringLiteral("SELECT ") + columnList(QStringLiteral("c"), customers.columns) +
                           QStringLiteral(", c.rowid FROM 顧客マスタ c ORDER BY c.rowid");
    const Rows rows = prepare(db, select);
    std::string key;
    while (nextRow(rows.get()))
        if (const auto listed = positions.find(nameKey(cell(rows.get(), name), key)))
            takeRow(rows.get(), columns, *listed, customers.lines);
    auto& lines = customers.lines.lines;
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto& a, const auto& b) { return a.order < b.order; });
}

void readFamily(sqlite3* db, CsvTable& family)
{
    const QString select = QStringLiteral("SELECT ") + columnList(QStringLiteral("f"), family.columns) +
                           QStringLiteral(", f.rowid FROM 家族情報 f JOIN ") + QString::fromUtf8(kListed) +
                           QStringLiteral(" l ON f.名称 = l.名称 ORDER BY l.pos, f.行番号, f.rowid");
    const Rows rows = prepare(db, select);
    for (qint64 i = 0; nextRow(rows.get()); ++i)
        takeRow(rows.get(), static_cast<int>(family.columns.size()), i, family.lines);
}

bool readListed(const QString& workFile, const QString& dataFile, CsvTable& customers, CsvTable* family)
{
    auto db = Database::open(dataFile);
    if (!db || !QFileInfo(workFile).isFile() ||
        !db->execute(QStringLiteral("ATTACH DATABASE ? AS w"), {workFile}))
        return false;
    bool ok = true;
    try {
        readCustomers(db->native().getHandle(), customers);
        if (family)
            readFamily(db->native().getHandle(), *family);
    } catch (const std::exception& e) {
        qWarning() << "CSV export: cannot read the rows:" << e.what();
        ok = false;
    }
    if (!db->execute(QStringLiteral("DETACH DATABASE w")))
        qWarning("work file stayed attached until the data file closed");
    return ok;
}

// The file's text: the heading line, then every line in its place. Lines
// read in their final order already stand so behind the heading.
QByteArray fileText(const CsvTable& t)
{
    const auto& lines = t.lines.lines;
    const bool inPlace = std::adjacent_find(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
                             return a.end != b.start;
                         }) == lines.end();
    if (inPlace && (lines.empty() || lines.back().end == t.lines.text.size()))
        return t.lines.text;
    QByteArray text;
    text.reserve(t.lines.text.size());
    appendHeading(t.columns, text);
    for (const CsvLines::Line& line : lines)
        text.append(QByteArrayView(t.lines.text).sliced(line.start, line.end - line.start));
    return text;
}

// The fields of one row as the screens read them, for a problem report.
QStringList rowFields(const QString& dataFile, const CsvTable& t, qint64 rowid)
{
    QStringList fields;
    auto db = Database::open(dataFile);
    if (!db)
        return fields;
    Query q = db->query(QStringLiteral("SELECT ") + columnList(QStringLiteral("t"), t.columns) +
                            QStringLiteral(" FROM ") + QString::fromUtf8(t.table) +
                            QStringLiteral(" t WHERE t.rowid = ?"),
                        {rowid});
    if (q.next())
        for (int i = 0; i < t.columns.size(); ++i)
            fields << cellText(q.value(i));
    return fields;
}

// Finds the first line CP932 cannot hold, line by line only now that the
// text as a whole was refused.
void reportProblem(const CsvTable& t, const QString& path, const QString& dataFile,
                   CustomerCsvExportResult* r)
{
    r->status = Status::Unencodable;
    r->problemPath = path;
    const QByteArrayView text(t.lines.text);
    for (std::size_t i = 0; i < t.lines.lines.size(); ++i) {
        const CsvLines::Line& line = t.lines.lines[i];
        if (encodeCp932(QString::fromUtf8(text.sliced(line.start, line.end - line.start))))
            continue;
        const QStringList fields = rowFields(dataFile, t, line.rowid);
        encodeCsv({fields}, CsvEncoding::Cp932, &r->problem);
        r->problem.line = static_cast<int>(i) + 2; // after the heading line
        r->problemName = fields.value(t.nameField);
        r->problemField = t.columns.value(r->problem.field);
        return;
    }
}

/// The bytes of a file in pieces, written one after the other: a UTF-8 file's
/// byte-order mark goes ahead of its text rather than the text being copied behind it.
using FileBytes = QByteArrayList;

bool encode(const CsvTable& t, CsvEncoding encoding, const QString& path, const QString& dataFile,
            FileBytes* out, CustomerCsvExportResult* r)
{
    const QByteArray text = fileText(t);
    if (encoding != CsvEncoding::Cp932) {
        *out = {encodeText(QString(), encoding).value_or(QByteArray()), text};
        return true;
    }
    if (auto bytes = encodeCp932Utf8(text)) {
        *out = {std::move(*bytes)};
        return true;
    }
    reportProblem(t, path, dataFile, r);
    return false;
}

/// Writes the customer file and, when @p familyPath is set, the family file:
/// both reach the disk whole before either replaces what was there.
bool writeBoth(const QString& customerPath, const FileBytes& customerBytes, const QString& familyPath,
               const FileBytes& familyBytes, const FileSinkFactory& sinks)
{
    const FileSinkFactory makeSink = sinksOrDefault(sinks);
    const std::unique_ptr<FileSink> customers = makeSink(customerPath);
    const std::unique_ptr<FileSink> family = familyPath.isEmpty() ? nullptr : makeSink(familyPath);
    const auto write = [](FileSink& sink, const FileBytes& bytes) {
        return sink.open() && std::all_of(bytes.begin(), bytes.end(),
                                          [&](const QByteArray& piece) { return writeAll(sink, piece); });
    };
    bool ok = write(*customers, customerBytes);
    if (ok && family)
        ok = write(*family, familyBytes);
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
    CsvTable customers{"顧客マスタ", customerCsvColumns(), 1, {}};
    CsvTable family{"家族情報", familyCsvColumns(), 2, {}};
    startText(customers, dataFile);
    startText(family, {});
    if (!readListed(workFile, dataFile, customers, includeFamily ? &family : nullptr)) {
        r.status = Status::ReadFailed;
        return r;
    }
    r.customers = static_cast<int>(customers.lines.lines.size());
    r.familyRows = includeFamily ? static_cast<int>(family.lines.lines.size()) : 0;
    if (r.customers == 0) {
        r.status = Status::Empty;
        return r;
    }
    FileBytes customerBytes, familyBytes;
    if (!encode(customers, encoding, r.customerPath, dataFile, &customerBytes, &r) ||
        (includeFamily && !encode(family, encoding, r.familyPath, dataFile, &familyBytes, &r)))
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
