#pragma once

namespace rov2 {

/// Registers the code-table screen ("FrmCodeMaster") and the hint editor
/// ("FrmHint") with the screen stack. Each is loaded on first use and again
/// after it was closed (closing unloads it).
void registerCodeScreens();

} // namespace rov2
