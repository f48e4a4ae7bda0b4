#pragma once

#include <QString>

namespace rov2 {

class Recordset;

/// Positions @p rs on its first row whose Yes/No field @p fieldName is set
/// (stored -1; any non-zero value counts).
/// @return 1 when there is one, else 0 (also for a recordset that is not open),
/// the position then unchanged.
int FindTrueRecord(Recordset& rs, const QString& fieldName);

/// The same over the whole of table @p table of the work file @p workFile, for
/// the grids bound to a scratch table: is any row marked?
/// @return 1 or 0; 0 too when the file or the table cannot be read.
int FindTrueRecord(const QString& workFile, const QString& table, const QString& fieldName);

} // namespace rov2
