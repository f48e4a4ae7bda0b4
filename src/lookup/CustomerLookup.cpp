#include "CustomerLookup.h"

#include "Database.h"
#include "Query.h"
#include "SearchDatabase.h"
#include "SearchText.h"

namespace rov2 {
namespace {

const QString kColumns = QStringLiteral("SELECT 名称, ふりがな, 住所1, TEL1, TEL2 FROM 顧客マスタ WHERE 名称 <> '' AND ");
// The order of ふりがな COLLATE JA, through one collation key per matching row:
// sorting thousands of matches by comparing through the collator took several
// times the budget of a keystroke. The name breaks ties between equal readings,
// so that the order never depends on the file.
const QString kOrder = QStringLiteral(" ORDER BY rov2_reading_key(ふりがな), 名称 COLLATE JA LIMIT ?");

std::optional<CustomerMatches> select(const QString& dataFile, const QString& condition, QVariantList params,
                                      int limit, QString* error)
{
    auto db = openForSearch(dataFile, error);
    if (!db)
        return std::nullopt;
    // One row past the limit tells whether there are more.
    params << (limit > 0 ? QVariant(limit + 1) : QVariant(-1));
    Query q = db->query(kColumns + condition + kOrder, params);
    CustomerMatches out;
    while (q.next()) {
        if (limit > 0 && out.rows.size() == limit) {
            out.more = true;
            break;
        }
        const QString tel1 = q.value(3).toString();
        out.rows.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                            tel1.isEmpty() ? q.value(4).toString() : tel1});
    }
    if (!q.ok()) {
        if (error)
            *error = db->lastError();
        return std::nullopt;
    }
    return out;
}

} // namespace

std::optional<CustomerMatches> findCustomers(const QString& dataFile, const QString& typed, int limit,
                                             QString* error)
{
    const QStringList terms = searchTerms(typed);
    if (terms.isEmpty())
        return CustomerMatches{};
    return select(dataFile, QStringLiteral("rov2_match(?, 4, 名称, ふりがな, 住所1, 住所2, TEL1, TEL2, FAX)"),
                  {terms.join(QLatin1Char(' '))}, limit, error);
}

std::optional<CustomerMatches> findCustomersByKana(const QString& dataFile, const QString& initial, int limit,
                                                   QString* error)
{
    // Bound as a text even when empty: a Null would match nothing.
    const QString key = kanaInitial(initial);
    return select(dataFile, QStringLiteral("rov2_kana_initial(ふりがな) = ?"),
                  {key.isEmpty() ? QStringLiteral("") : key}, limit, error);
}

std::optional<CustomerIndex> CustomerIndex::load(const QString& dataFile, QString* error)
{
    auto db = openForSearch(dataFile, error);
    if (!db)
        return std::nullopt;
    // Read in the order of the list, so that a search keeps the first rows it meets.
    Query q = db->query(QStringLiteral("SELECT 名称, ふりがな, 住所1, TEL1, TEL2, 住所2, FAX FROM 顧客マスタ "
                                       "WHERE 名称 <> '' ORDER BY rov2_reading_key(ふりがな), 名称 COLLATE JA"));
    CustomerIndex index;
    std::string utf8;
    // The fields folded in the order rov2_match takes them.
    const auto fold = [&utf8](std::string& out, const QVariant& v, void (*how)(std::string_view, std::string&)) {
        out += '\n';
        utf8 = v.toString().toStdString();
        how(utf8, out);
    };
    while (q.next()) {
        Entry e;
        const QString tel1 = q.value(3).toString();
        e.shown = {q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                   tel1.isEmpty() ? q.value(4).toString() : tel1};
        for (int column : {0, 1, 2, 5})
            fold(e.texts, q.value(column), &searchtext::foldUtf8);
        for (int column : {3, 4, 6})
            fold(e.phones, q.value(column), &searchtext::phoneUtf8);
        e.texts.shrink_to_fit();
        e.phones.shrink_to_fit();
        index.rows_.push_back(std::move(e));
    }
    if (!q.ok()) {
        if (error)
            *error = db->lastError();
        return std::nullopt;
    }
    return index;
}

CustomerMatches CustomerIndex::find(const QString& typed, int limit) const
{
    CustomerMatches out;
    const QStringList terms = searchTerms(typed);
    if (terms.isEmpty())
        return out;
    const searchtext::FoldedTerms folded = searchtext::parseTerms(terms.join(QLatin1Char(' ')).toStdString());
    for (const Entry& e : rows_) {
        if (!searchtext::matchesAllTerms(folded, e.texts, e.phones))
            continue;
        if (limit > 0 && out.rows.size() == limit) {
            out.more = true;
            break;
        }
        out.rows.push_back(e.shown);
    }
    return out;
}

} // namespace rov2
