#pragma once

#include <QString>

#include <optional>

namespace rov2 {

/// The code-table screen's work with the files: the kind's thirty slots of
/// コードマスタ in the data file and their working copy wコードマスタ in the
/// work file. Every call opens the files it needs and closes them before it
/// returns; failures come back as values and are logged.
namespace CodeMasterStore {

/// The number of slots of every code list, "01" to "30".
inline constexpr int kSlotCount = 30;

/// The code of slot @p n (1-based): two digits.
QString slotCode(int n);

/// Resets the work table to the thirty empty, unmarked slots in code order.
[[nodiscard]] bool resetWork(const QString& workFile);

/// Copies the names of @p kind into the work slots of their codes; a code
/// that is not one of the slots is left out. The gender goes along for
/// 続柄 only. The work table is expected to be reset already.
/// @return the number of code rows the kind has (those left out included),
/// or nothing when a file could not be read or written.
[[nodiscard]] std::optional<int> loadIntoWork(const QString& dataFile, const QString& workFile, const QString& kind);

enum class SaveResult {
    Saved,       ///< the kind's rows were replaced by the work slots
    NoWorkRows,  ///< the work table has no rows: the stored list was left alone
    Failed,      ///< nothing was changed
};

/// Replaces the stored rows of @p kind with the work slots, in slot order up
/// to the first slot without a code; empty names are stored as Null, so that
/// free slots are kept too. All of it lands, or nothing does.
[[nodiscard]] SaveResult saveFromWork(const QString& dataFile, const QString& workFile, const QString& kind);

/// Empties the names of the marked work slots.
[[nodiscard]] bool clearMarkedNames(const QString& workFile);

} // namespace CodeMasterStore
} // namespace rov2
