#pragma once

#include "CsvReader.h"

#include <QString>
#include <QVariantMap>
#include <functional>
#include <vector>

namespace rov2 {

class Database;

/// What happens to a row whose 名称 is already a customer.
enum class ExistingCustomer { Skip, Overwrite };

struct CsvImportOptions
{
    /// For each column of the file, the field of 顧客マスタ it fills; empty: left out.
    std::vector<QString> mapping;
    bool firstRowIsHeading = true;
    ExistingCustomer existing = ExistingCustomer::Skip;
    /// 性別 of an added customer whose row gives none (the settings' default sex).
    QString defaultSex;
};

/// A row that was not imported, and why (in the user's words).
struct RefusedRow
{
    int row = 0;  ///< 1-based row of the file, the heading counted, as a spreadsheet numbers it
    QString name; ///< its 名称 as given, possibly empty
    QString reason;
};

struct CsvImportReport
{
    enum class Status { Done, Cancelled, Failed };
    Status status = Status::Failed;
    int added = 0;
    int overwritten = 0;
    int skipped = 0;
    int familyAdded = 0;  ///< family members written from joint names (連名)
    std::vector<RefusedRow> refused;
};

/// The longest 名称 the customer screen accepts, in characters.
inline constexpr int kMaxNameLength = 20;

/// The most columns a file to import may have: the mapping offers a field
/// list per column, and the tables have fewer than thirty fields.
inline constexpr int kMaxImportColumns = 256;

/// The fields one row gives under the mapping of @p options, checked by the
/// customer screen's rules and brought to their stored forms (fieldsOfRow);
/// empty cells give nothing.
/// @return the fields, or the reason the row is refused in @p reason.
std::optional<QVariantMap> customerFromRow(const QStringList& cells, const CsvImportOptions& options,
                                           QString* reason);

/// Called now and then with the rows done and the rows in all; false cancels.
using ImportProgress = std::function<bool(qsizetype done, qsizetype total)>;

/// Imports the rows of @p table into 顧客マスタ of @p dataFile in one
/// transaction: a new 名称 is added, an existing one skipped or overwritten
/// field by field (the mapped fields that the row fills; the others keep their
/// values). Rows with every cell empty are passed over; a row with more cells
/// than the heading line is refused. Cancelled or failed, the data file is
/// left as it was. A family file (isFamilyHeading) fails whole: its 名称 is
/// the customer's, its other fields a relative's.
CsvImportReport importCustomers(const QString& dataFile, const CsvTable& table,
                                const CsvImportOptions& options, const ImportProgress& progress = {});

/// The rows of one import, written through @p db; throws on a failing statement.
using RowImporter = std::function<CsvImportReport::Status(Database& db, CsvImportReport* report)>;

/// Runs @p importRows in one transaction of @p dataFile, committed only when
/// it is Done; otherwise nothing of it stays and no row is counted.
CsvImportReport importInOneTransaction(const QString& dataFile, const RowImporter& importRows);

} // namespace rov2
