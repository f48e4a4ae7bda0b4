#include "SearchDatabase.h"

#include "Database.h"
#include "SearchText.h"

#include <algorithm>
#include <QtDebug>
#include <SQLiteCpp/Database.h>
#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <memory>
#include <string>
#include <string_view>

namespace rov2 {
namespace {

using Terms = searchtext::FoldedTerms;

std::string_view textOf(sqlite3_value* v)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string_view();
}

void deleteTerms(void* p)
{
    std::default_delete<Terms>()(static_cast<Terms*>(p));
}

/// Folds the fields into one buffer, each after a separator that no folded
/// term holds (so that a term never matches across two fields), or with
/// nothing between them when @p separate is false.
void joinFields(sqlite3_value** first, int count, bool separate, void (*fold)(std::string_view, std::string&),
                std::string& out)
{
    out.clear();
    for (int k = 0; k < count; ++k) {
        if (separate)
            out += '\n';
        fold(textOf(first[k]), out);
    }
}

void matchFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    auto* terms = static_cast<Terms*>(sqlite3_get_auxdata(ctx, 0));
    if (!terms) {
        // SQLite owns the terms from here on, and drops them itself when it cannot keep them.
        sqlite3_set_auxdata(ctx, 0, std::make_unique<Terms>(searchtext::parseTerms(textOf(argv[0]))).release(),
                            &deleteTerms);
        terms = static_cast<Terms*>(sqlite3_get_auxdata(ctx, 0));
        if (!terms) {
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    if (terms->text.empty()) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    const int n = sqlite3_value_int(argv[1]);
    const int textCount = std::min(n < 0 ? -n : n, argc - 2);
    thread_local std::string texts;
    thread_local std::string phones;
    joinFields(argv + 2, textCount, n >= 0, &searchtext::foldUtf8, texts);
    if (terms->needsPhone)
        joinFields(argv + 2 + textCount, argc - 2 - textCount, true, &searchtext::phoneUtf8, phones);
    sqlite3_result_int(ctx, searchtext::matchesAllTerms(*terms, texts, phones) ? 1 : 0);
}

struct CollatorCloser {
    void operator()(UCollator* c) const { ucol_close(c); }
};

/// The Japanese collator at identical strength, as the reading collation of
/// the database layer sets it up, so that its sort keys order readings as
/// ORDER BY ふりがな COLLATE JA would.
UCollator* readingCollator()
{
    static std::unique_ptr<UCollator, CollatorCloser> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open("ja", &status);
        if (U_FAILURE(status)) {
            qWarning("look-up: ICU has no Japanese collator (%s)", u_errorName(status));
            return std::unique_ptr<UCollator, CollatorCloser>();
        }
        ucol_setStrength(c, UCOL_IDENTICAL);
        return std::unique_ptr<UCollator, CollatorCloser>(c);
    }();
    return instance.get();
}

void readingKeyFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    // Rows read through the index on the reading come with equal readings one
    // after the other: the key of the last one is often the one asked for.
    thread_local std::string reading;
    thread_local std::string key;
    const std::string_view text = textOf(argv[0]);
    if (key.empty() || text != reading) {
        reading.assign(text);
        key.clear();
        searchorder::appendReadingKey(text, key);
    }
    sqlite3_result_blob(ctx, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
}

void kanaInitialFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const char32_t cp = searchtext::kanaInitialUtf8(textOf(argv[0]));
    std::string out;
    if (cp != 0)
        searchtext::appendUtf8(cp, out);
    sqlite3_result_text(ctx, out.data(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

bool registerFunctions(sqlite3* handle)
{
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function_v2(handle, "rov2_match", -1, flags, nullptr, &matchFunction, nullptr, nullptr,
                                      nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(handle, "rov2_kana_initial", 1, flags, nullptr, &kanaInitialFunction,
                                      nullptr, nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(handle, "rov2_reading_key", 1, flags, nullptr, &readingKeyFunction, nullptr,
                                      nullptr, nullptr) == SQLITE_OK;
}

} // namespace

namespace searchorder {

/// A sort then computes one key per row instead of comparing through the
/// collator log n times per row, which at a few thousand matching customers
/// is the larger part of a search.
void appendReadingKey(std::string_view reading, std::string& out)
{
    UCollator* collator = readingCollator();
    thread_local std::u16string utf16;
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    utf16.resize(reading.size() + 1);
    if (collator)
        u_strFromUTF8(utf16.data(), static_cast<int32_t>(utf16.size()), &length, reading.data(),
                      static_cast<int32_t>(reading.size()), &status);
    if (!collator || U_FAILURE(status)) {
        // As the reading collation does without ICU: the bytes in order.
        out.append(reading);
        return;
    }
    const size_t base = out.size();
    out.resize(base + 256);
    auto* key = reinterpret_cast<uint8_t*>(out.data() + base);
    int32_t size = ucol_getSortKey(collator, utf16.data(), length, key, 256);
    if (size > 256) {
        out.resize(base + static_cast<size_t>(size));
        key = reinterpret_cast<uint8_t*>(out.data() + base);
        size = ucol_getSortKey(collator, utf16.data(), length, key, size);
    }
    out.resize(base + static_cast<size_t>(size));
}

} // namespace searchorder

std::unique_ptr<Database> openForSearch(const QString& path, QString* error)
{
    auto db = Database::open(path, error);
    if (!db)
        return nullptr;
    if (!db->execute(QStringLiteral("PRAGMA query_only = ON"))) {
        if (error)
            *error = db->lastError();
        return nullptr;
    }
    if (!registerFunctions(db->native().getHandle())) {
        const QString reason = QStringLiteral("%1: the search functions could not be registered").arg(path);
        db->fail(QStringLiteral("openForSearch"), reason);
        if (error)
            *error = reason;
        return nullptr;
    }
    return db;
}

} // namespace rov2
