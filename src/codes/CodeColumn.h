#pragma once

namespace rov2::codes {

/// The columns of the code-table grid, in order; 行番号, code and the unbound
/// column stay hidden. (Kept out of the model's class: moc cannot read
/// Japanese names.)
enum Column : int { 行番号 = 0, チェック, code, sname, Unbound, 性別, ColumnCount };

} // namespace rov2::codes
