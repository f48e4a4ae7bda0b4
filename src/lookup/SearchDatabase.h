#pragma once

#include <QString>

#include <memory>
#include <string>
#include <string_view>

namespace rov2 {

class Database;

/// Opens @p path for one search: read-only in effect (the connection refuses
/// every write, so a look-up can never change a customer or the dictionary)
/// and with the search functions registered:
///
/// - `rov2_match(terms, n, text1, ..., textN, phone1, ...)` is 1 when every
///   term of @p terms (folded search terms joined by one blank, see
///   searchTerms) occurs in one of the N texts folded by foldForSearch, or, for
///   a term with a digit, in one of the telephone fields in phoneForm.
/// - `rov2_kana_initial(reading)` is the kanaInitial of the reading, or ''.
/// - `rov2_reading_key(reading)` is a blob whose byte order is the order of
///   the reading collation (COLLATE JA), Null for Null.
///
/// @return the open database, or nullptr with the reason in @p error.
std::unique_ptr<Database> openForSearch(const QString& path, QString* error = nullptr);

namespace searchorder {

/// Appends the bytes rov2_reading_key gives for a reading (not Null). The
/// collator is set up as COLLATE JA sets up its own, so the keys of two names
/// compare byte by byte as the names compare under COLLATE JA.
void appendReadingKey(std::string_view reading, std::string& out);

} // namespace searchorder

} // namespace rov2
