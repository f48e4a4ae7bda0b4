#pragma once

#include <QString>

struct sqlite3;

namespace rov2 {

/// Registers the reading collation (kReadingCollation) on one connection.
/// The collation is not stored in the file: every connection must register it
/// before it touches a column or index declared with it.
/// @return false when SQLite refused the registration.
bool registerJapaneseCollation(sqlite3* connection);

/// Compares two readings in Japanese dictionary order: hiragana, katakana and
/// half-width katakana of the same sound sort next to each other, voiced
/// sounds right after their unvoiced ones; texts that differ in any way never
/// compare equal. @return <0, 0 or >0.
int compareReadings(const QString& a, const QString& b);

} // namespace rov2
