#include "PostalCodeLookup.h"

#include "Database.h"
#include "PostalLookup.h"
#include "PostalSearchIndex.h"
#include "Query.h"
#include "SearchDatabase.h"
#include "SearchText.h"

#include <QtDebug>

namespace rov2 {
namespace {

const QString kSelect = QStringLiteral("SELECT 番号, 県漢字, 市町村漢字, 町名漢字 FROM 郵便番号 WHERE ");
const QString kOrder = QStringLiteral(" ORDER BY 番号, rowid LIMIT ?");

// Codes are digits, and ':' follows '9': every code that begins with the
// prefix lies in [prefix, prefix + ":"), which the index on 番号 answers
// without reading the other rows. The second range finds codes stored in
// the "123-4567" form.
const QString kPrefix = QStringLiteral("((番号 >= ? AND 番号 < ?) OR (番号 >= ? AND 番号 < ?))");
// The three parts are searched as one text, so that a term may run from the city into the town.
const QString kAddress = QStringLiteral("rov2_match(?, -3, 県漢字, 市町村漢字, 町名漢字)");

QVariantList prefixRanges(const QString& digits)
{
    const QString hyphened = digits.size() > 3 ? digits.left(3) + QLatin1Char('-') + digits.mid(3) : digits;
    return {digits, digits + QLatin1Char(':'), hyphened, hyphened + QLatin1Char(':')};
}

bool allDigits(const QString& s)
{
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !s.isEmpty();
}

} // namespace

PostalQueryKind classifyPostalQuery(const QString& typed, QString* digits)
{
    QString code = NormalizePostalCode(typed);
    if (code.startsWith(QChar(u'〒')))
        code.remove(0, 1);
    if (code.isEmpty())
        return searchTerms(typed).isEmpty() ? PostalQueryKind::Nothing : PostalQueryKind::AddressPart;
    if (!allDigits(code))
        return PostalQueryKind::AddressPart;
    if (digits)
        *digits = code;
    return code.size() < 3 ? PostalQueryKind::TooFewDigits : PostalQueryKind::CodePrefix;
}

namespace {

/// Runs @p sql with @p params and the limit, as findPostalCodes answers.
std::optional<PostalMatches> run(Database& db, const QString& sql, QVariantList params, int limit, QString* error)
{
    params << (limit > 0 ? QVariant(limit + 1) : QVariant(-1));
    Query q = db.query(sql, params);
    PostalMatches out;
    while (q.next()) {
        if (limit > 0 && out.rows.size() == limit) {
            out.more = true;
            break;
        }
        // A Null part reads as an empty text and so adds nothing.
        out.rows.push_back({q.value(0).toString(),
                            q.value(1).toString() + q.value(2).toString() + q.value(3).toString()});
    }
    if (!q.ok()) {
        if (error)
            *error = db.lastError();
        return std::nullopt;
    }
    return out;
}

/// The address search through the folded addresses, when the dictionary has
/// them; nothing when it has none or they cannot be read, and then the caller
/// folds every address itself.
std::optional<PostalMatches> findIndexed(Database& db, const QStringList& terms, int limit)
{
    if (!postalsearch::present(db))
        return std::nullopt;
    const postalsearch::Statement s = postalsearch::select(terms);
    QString error;
    auto found = run(db, s.sql, s.params, limit, &error);
    if (!found)
        qWarning().noquote() << "postal search: the address index of" << db.path() << "cannot be read:" << error;
    return found;
}

} // namespace

std::optional<PostalMatches> findPostalCodes(const QString& dictionary, const QString& typed, int limit,
                                             QString* error)
{
    QString digits;
    QString condition;
    QVariantList params;
    const QStringList terms = searchTerms(typed);
    const PostalQueryKind kind = classifyPostalQuery(typed, &digits);
    switch (kind) {
    case PostalQueryKind::Nothing:
    case PostalQueryKind::TooFewDigits: return PostalMatches{};
    case PostalQueryKind::CodePrefix:
        condition = kPrefix;
        params = prefixRanges(digits);
        break;
    case PostalQueryKind::AddressPart:
        condition = kAddress;
        params = {terms.join(QLatin1Char(' '))};
        break;
    }
    auto db = openForSearch(dictionary, error);
    if (!db)
        return std::nullopt;
    if (kind == PostalQueryKind::AddressPart)
        if (auto found = findIndexed(*db, terms, limit))
            return found;
    return run(*db, kSelect + condition + kOrder, params, limit, error);
}

} // namespace rov2
