#include "CustomerLookup.h"

#include "Database.h"
#include "Query.h"
#include "ReadingOrder.h"
#include "SearchDatabase.h"
#include "SearchText.h"

#include <SQLiteCpp/Database.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <memory>

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
    const QString key = kanaInitial(initial);
    QString condition;
    QVariantList params;
    if (!key.isEmpty()) {
        // Only the readings that begin with one of the kana's forms can be
        // listed under it: the index on the reading finds them without
        // folding every reading of the file.
        QStringList ranges;
        for (const auto& [first, last] : searchtext::kanaInitialStarts(key.toUcs4().value(0))) {
            ranges << QStringLiteral("(ふりがな >= ? AND ふりがな < ?)");
            params << QString::fromUcs4(&first, 1) << QString::fromUcs4(&last, 1);
        }
        condition = QLatin1Char('(') + ranges.join(QStringLiteral(" OR ")) + QStringLiteral(") AND ");
    }
    // Bound as a text even when empty: a Null would match nothing.
    params << (key.isEmpty() ? QStringLiteral("") : key);
    condition += QStringLiteral("rov2_kana_initial(ふりがな) = ?");
    return select(dataFile, condition, params, limit, error);
}

namespace {

struct StatementCloser {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

std::string_view columnText(sqlite3_stmt* row, int column)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_column_bytes(row, column))) : std::string_view();
}

/// Appends @p text to @p arena. @return where it lies there.
template <typename Span> Span appendTo(std::string& arena, std::string_view text)
{
    Span s{static_cast<uint32_t>(arena.size()), static_cast<uint32_t>(text.size())};
    arena.append(text);
    return s;
}

/// Appends the fields @p columns of @p row to @p arena, each folded by @p how after a separator.
template <typename Span>
Span appendFolded(std::string& arena, sqlite3_stmt* row, std::initializer_list<int> columns,
                  void (*how)(std::string_view, std::string&))
{
    const size_t at = arena.size();
    for (int column : columns) {
        arena += '\n';
        how(columnText(row, column), arena);
    }
    return {static_cast<uint32_t>(at), static_cast<uint32_t>(arena.size() - at)};
}

} // namespace

std::optional<CustomerIndex> CustomerIndex::load(const QString& dataFile, QString* error)
{
    auto db = openForSearch(dataFile, error);
    if (!db)
        return std::nullopt;
    // Read in the file's order and put in the order of the list here, where
    // equal readings share one collation key and no row is copied by a sorter.
    sqlite3* handle = db->native().getHandle();
    sqlite3_stmt* raw = nullptr;
    const int prepared = sqlite3_prepare_v2(handle,
                                            "SELECT 名称, ふりがな, 住所1, TEL1, TEL2, 住所2, FAX FROM 顧客マスタ "
                                            "WHERE 名称 <> ''",
                                            -1, &raw, nullptr);
    Statement statement(raw);
    CustomerIndex index;
    std::vector<bool> nullReading;
    int rc = prepared;
    if (prepared == SQLITE_OK) {
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW)
            index.append(raw, nullReading);
    }
    if (rc != SQLITE_DONE) {
        db->fail(QStringLiteral("CustomerIndex::load"), QString::fromUtf8(sqlite3_errmsg(handle)));
        if (error)
            *error = db->lastError();
        return std::nullopt;
    }
    index.sortByReading(nullReading);
    return index;
}

void CustomerIndex::append(sqlite3_stmt* row, std::vector<bool>& nullReading)
{
    // Asked before any text is read: SQLite may change what it answers after a conversion.
    nullReading.push_back(sqlite3_column_type(row, 1) == SQLITE_NULL);
    Entry e;
    // The fields folded in the order rov2_match takes them.
    e.texts = appendFolded<Span>(texts_, row, {0, 1, 2, 5}, &searchtext::foldUtf8);
    e.phones = appendFolded<Span>(phones_, row, {3, 4, 6}, &searchtext::phoneUtf8);
    const std::string_view tel1 = columnText(row, 3);
    const std::string_view shown[4] = {columnText(row, 0), columnText(row, 1), columnText(row, 2),
                                       tel1.empty() ? columnText(row, 4) : tel1};
    for (int k = 0; k < 4; ++k)
        e.shown[k] = appendTo<Span>(shown_, shown[k]);
    e.initial = searchtext::kanaInitialUtf8(shown[1]);
    rows_.push_back(e);
}

void CustomerIndex::sortByReading(const std::vector<bool>& nullReading)
{
    std::vector<ReadingOrderRow> keys(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
        keys[i] = {text(shown_, rows_[i].shown[1]), text(shown_, rows_[i].shown[0]), nullReading[i]};
    std::vector<Entry> sorted;
    sorted.reserve(rows_.size());
    std::string texts;
    texts.reserve(texts_.size());
    for (const uint32_t i : readingOrder(keys)) {
        Entry e = rows_[i];
        e.texts = appendTo<Span>(texts, text(texts_, e.texts));
        sorted.push_back(e);
    }
    rows_ = std::move(sorted);
    texts_ = std::move(texts);
}

CustomerMatch CustomerIndex::shownOf(const Entry& e) const
{
    const auto field = [this](Span s) { return QString::fromUtf8(shown_.data() + s.at, s.size); };
    return {field(e.shown[0]), field(e.shown[1]), field(e.shown[2]), field(e.shown[3])};
}

template <typename Next, typename Wanted>
CustomerMatches CustomerIndex::listed(Next next, Wanted wanted, int limit) const
{
    CustomerMatches out;
    for (size_t i = next(0); i < rows_.size(); i = next(i + 1)) {
        if (!wanted(rows_[i]))
            continue;
        if (limit > 0 && out.rows.size() == limit) {
            out.more = true;
            break;
        }
        out.rows.push_back(shownOf(rows_[i]));
    }
    return out;
}

size_t CustomerIndex::nextHolding(size_t from, std::string_view term) const
{
    if (from >= rows_.size())
        return rows_.size();
    const size_t begin = rows_[from].texts.at;
    const void* hit = memmem(texts_.data() + begin, texts_.size() - begin, term.data(), term.size());
    if (!hit)
        return rows_.size();
    // Every row's texts begin with a separator that no term holds, so a term
    // found lies within one row: the last that begins at or before it.
    const auto at = static_cast<uint32_t>(static_cast<const char*>(hit) - texts_.data());
    const auto row = std::upper_bound(rows_.begin() + static_cast<std::ptrdiff_t>(from), rows_.end(), at,
                                      [](uint32_t offset, const Entry& e) { return offset < e.texts.at; });
    return static_cast<size_t>(row - rows_.begin()) - 1;
}

CustomerMatches CustomerIndex::find(const QString& typed, int limit) const
{
    const QStringList terms = searchTerms(typed);
    if (terms.isEmpty())
        return {};
    const searchtext::FoldedTerms folded = searchtext::parseTerms(terms.join(QLatin1Char(' ')).toStdString());
    const auto wanted = [&](const Entry& e) {
        return searchtext::matchesAllTerms(folded, text(texts_, e.texts), text(phones_, e.phones));
    };
    // The longest term that only the texts can hold (a number may be in a
    // telephone field instead) is looked for in all texts at once, which is
    // several times quicker than in each row apart.
    std::string_view lead;
    for (size_t t = 0; t < folded.text.size(); ++t)
        if (folded.phone[t].empty() && folded.text[t].size() > lead.size())
            lead = folded.text[t];
    if (lead.empty())
        return listed([](size_t i) { return i; }, wanted, limit);
    return listed([&](size_t i) { return nextHolding(i, lead); }, wanted, limit);
}

CustomerMatches CustomerIndex::byKana(const QString& initial, int limit) const
{
    const char32_t wanted = searchtext::kanaInitialUtf8(initial.toStdString());
    return listed([](size_t i) { return i; }, [wanted](const Entry& e) { return e.initial == wanted; }, limit);
}

} // namespace rov2
