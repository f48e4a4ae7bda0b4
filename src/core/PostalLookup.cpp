#include "PostalLookup.h"

#include "Database.h"
#include "Query.h"

#include <QFileInfo>
#include <optional>

namespace rov2 {
namespace {

// The index on 番号 keeps the rows of one code in rowid order, so the first
// row appended for a code is the one returned, without a sort.
const QString kSelect = QStringLiteral("SELECT 県漢字, 市町村漢字, 町名漢字 FROM 郵便番号 WHERE 番号 = ? "
                                       "ORDER BY rowid LIMIT 1");

/// @return the address of the first row of @p code; nothing when the code has no row.
std::optional<QString> firstAddress(Database& db, const QString& code)
{
    Query q = db.query(kSelect, {code});
    if (!q.next())
        return std::nullopt;
    // A Null part reads as an empty text and so adds nothing.
    return q.value(0).toString() + q.value(1).toString() + q.value(2).toString();
}

bool isHyphen(QChar c)
{
    return c == QLatin1Char('-') || c == QChar(0xFF0D) || c == QChar(0x30FC);
}

} // namespace

QString NormalizePostalCode(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.isSpace() || isHyphen(c))
            continue;
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            out += QChar(u'0' + (c.unicode() - 0xFF10));
        else
            out += c;
    }
    return out;
}

QString LookupAddress(const QString& path, const QString& code)
{
    if (code.isEmpty())
        return {};
    // Checked first so that a missing dictionary is never opened, let alone created.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    auto db = Database::open(path);
    if (!db)
        return {};
    // A row found as typed wins, even when its parts are all empty.
    if (const auto address = firstAddress(*db, code))
        return *address;
    const QString normal = NormalizePostalCode(code);
    if (normal.isEmpty() || normal == code)
        return {};
    return firstAddress(*db, normal).value_or(QString());
}

} // namespace rov2
