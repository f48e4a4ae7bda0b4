#pragma once

#include "CustomerCsvImport.h"

namespace rov2 {

/// The most members a customer's family holds: the customer screen shows ten
/// rows and stores back only those, so an eleventh would be lost at the
/// customer's next save.
inline constexpr int kMaxFamilyMembers = 10;

/// Imports a family file (its first row a heading that isFamilyHeading
/// accepts) into 家族情報 of @p dataFile in one transaction. Each row is a
/// member of the customer its 名称 names; a row whose customer does not exist,
/// without 氏名, with more cells than the heading, or that would make an
/// eleventh member is refused. A member of the same 氏名 as one the customer
/// has is overwritten field by field (the fields the row fills) or skipped,
/// as @p existing says; any other is added after the customer's last member,
/// with the customer's 区分1 and 区分2. The file's 行番号 is not taken: the
/// order of the members the customer has stays. The fields follow the rules
/// of the customer import (fieldsOfRow, a 性別 outside the list becoming
/// @p defaultSex). Cancelled or failed, the data file is left as it was.
CsvImportReport importFamily(const QString& dataFile, const CsvTable& table, ExistingCustomer existing,
                             const QString& defaultSex, const ImportProgress& progress = {});

} // namespace rov2
