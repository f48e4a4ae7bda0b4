#pragma once

#include "CompanySettings.h"

#include <QString>

namespace rov2 {

/// Stores a name typed into one of the code-list drop-downs in the first free
/// slot (lowest `code` whose `sname` is Null) of that list in コードマスタ of
/// @p dataFile.
///
/// The kinds 区分1, 区分2 and 敬称 are only extended when their setting
/// (区分登録1, 区分登録2, 敬称登録) is on in @p settings; other kinds are not gated here, the
/// caller of 続柄 checks 続柄登録 itself. @p gender goes into `性別` for 続柄 only.
///
/// @return true only when the name was written into a slot; false when the
/// setting is off, the name is empty or listed already (exact comparison), the
/// list has no free slot or no slot at all, or the data file cannot be used.
/// Nothing is shown to the user in any case.
bool AddCodeName(const QString& dataFile, const CompanySettings& settings, const QString& kind, const QString& name,
                 const QString& gender);

} // namespace rov2
