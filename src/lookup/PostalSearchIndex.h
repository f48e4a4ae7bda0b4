#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace rov2 {

class Database;

/// The addresses of the postal dictionary folded (see foldForSearch) and
/// kept in the dictionary itself, in the order of the codes, with a
/// full-text index of their three-character pieces: an address search then
/// reads the rows that hold its longer terms instead of folding all
/// 124,000 addresses on every key. A dictionary written without them is
/// searched as before.
namespace postalsearch {

/// Adds the folded addresses and their index to the dictionary open in @p db,
/// from the rows of 郵便番号 as they are; inside the caller's transaction.
/// @return false, the reason in @p error, on failure.
bool write(Database& db, QString* error = nullptr);

/// True when the dictionary open in @p db holds them.
bool present(Database& db);

/// A statement over them: the same rows as rov2_match over the three parts,
/// in the order of the codes, rows of one code in the dictionary's order.
struct Statement {
    QString sql;
    QVariantList params; ///< the limit is left to bind last
};

/// The statement that finds the addresses holding every one of @p terms
/// (folded, none empty), listing 番号, 県漢字, 市町村漢字 and 町名漢字.
Statement select(const QStringList& terms);

} // namespace postalsearch
} // namespace rov2
