#include "PostalSearchIndex.h"

#include "Database.h"
#include "SearchText.h"

#include <SQLiteCpp/Database.h>
#include <sqlite3.h>

#include <string>
#include <string_view>

namespace rov2::postalsearch {
namespace {

// The trigram tokenizer finds a text of three characters or more anywhere in
// an address; shorter terms are looked for in the folded addresses, which
// are read in the order of the codes, so that a frequent one stops early.
constexpr int kShortestIndexed = 3;

/// rov2_fold(text1, ...): the texts folded and joined without a separator,
/// as rov2_match joins the parts of an address.
void foldFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    std::string out;
    for (int k = 0; k < argc; ++k) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[k]));
        if (p)
            searchtext::foldUtf8(std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(argv[k]))), out);
    }
    sqlite3_result_text(ctx, out.data(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

/// A term as one phrase of an FTS5 query, which matches it as it stands.
QString phrase(const QString& term)
{
    QString quoted = term;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

bool write(Database& db, QString* error)
{
    if (sqlite3_create_function_v2(db.native().getHandle(), "rov2_fold", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                   nullptr, &foldFunction, nullptr, nullptr, nullptr) != SQLITE_OK) {
        db.fail(QStringLiteral("postal search index"), QStringLiteral("the fold function could not be registered"));
        if (error)
            *error = db.lastError();
        return false;
    }
    const bool ok =
        db.execute(QStringLiteral("CREATE TABLE 郵便番号検索 (順 INTEGER PRIMARY KEY, 行 INTEGER NOT NULL, "
                                  "住所 TEXT NOT NULL)")) &&
        db.execute(QStringLiteral("INSERT INTO 郵便番号検索 (行, 住所) SELECT rowid, rov2_fold(県漢字, 市町村漢字, "
                                  "町名漢字) FROM 郵便番号 ORDER BY 番号, rowid")) &&
        db.execute(QStringLiteral("CREATE VIRTUAL TABLE 郵便番号検索索引 USING fts5(住所, content='郵便番号検索', "
                                  "content_rowid='順', tokenize='trigram case_sensitive 1')")) &&
        db.execute(QStringLiteral("INSERT INTO 郵便番号検索索引 (郵便番号検索索引) VALUES ('rebuild')"));
    if (!ok && error)
        *error = db.lastError();
    return ok;
}

bool present(Database& db)
{
    return db.hasTable(QStringLiteral("郵便番号検索")) && db.hasTable(QStringLiteral("郵便番号検索索引"));
}

Statement select(const QStringList& terms)
{
    QStringList conditions;
    QStringList phrases;
    Statement s;
    for (const QString& term : terms) {
        if (term.toUcs4().size() >= kShortestIndexed) {
            phrases << phrase(term);
        } else {
            conditions << QStringLiteral("instr(s.住所, ?) > 0");
            s.params << term;
        }
    }
    if (!phrases.isEmpty()) {
        conditions.prepend(QStringLiteral("s.順 IN (SELECT rowid FROM 郵便番号検索索引 WHERE 郵便番号検索索引 MATCH ?)"));
        s.params.prepend(phrases.join(QStringLiteral(" AND ")));
    }
    // The folded addresses lead, so that they are read in their own order, which is the list's.
    s.sql = QStringLiteral("SELECT p.番号, p.県漢字, p.市町村漢字, p.町名漢字 FROM 郵便番号検索 s CROSS JOIN 郵便番号 p "
                           "ON p.rowid = s.行 WHERE %1 ORDER BY s.順 LIMIT ?")
                .arg(conditions.join(QStringLiteral(" AND ")));
    return s;
}

} // namespace rov2::postalsearch
