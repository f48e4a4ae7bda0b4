#pragma once

namespace rov2 {

class Database;

/// Files of the first layout declared their reading columns (ふりがな) with
/// the program's own collation JA, so that no other SQLite tool could even
/// count their rows. Rebuilds every table that still declares it, without it,
/// keeping every row, its order of appending, the indexes and the next
/// customer number; all in one transaction. Does nothing to a file that
/// declares no such column.
/// @return false when the rebuild failed (then nothing changed).
[[nodiscard]] bool dropStoredCollation(Database& db);

} // namespace rov2
