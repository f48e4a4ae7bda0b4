#pragma once

#include "TableSource.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace rov2 {

class Dialogs;

/// What came over of one table of this program's data file layout.
struct ImportedTable {
    QString table;      ///< the table of our layout
    bool found = false; ///< the old file has it (matched without regard to case)
    qint64 rows = 0;    ///< rows written
    QStringList missingFields; ///< fields of our layout the old table lacks (left at their defaults)
    QStringList problems;      ///< rows that could not be read or written
};

struct ImportReport {
    bool ok = false;
    QString error; ///< why nothing was built, when !ok
    std::vector<ImportedTable> tables;
    qint64 problemCount() const;
};

/// Builds the new data file @p newFile (which must not exist) from the data
/// file of the Windows version (a Jet file) or any SQLite file with our tables:
/// it starts as the supplied data file, and every table of our layout found in
/// the old file replaces that table's rows, field by field by name. A row
/// that cannot be written is reported and left out; an old file that cannot
/// be read whole (damaged, cut short) is refused. The file appears under its
/// name only when it is complete, so a failure leaves no file behind.
ImportReport importDataFile(const QString& oldFile, const QString& newFile, const SourceOptions& options = {});

/// The report as lines a user can read (one per table, then the rows left out).
QStringList importReportLines(const ImportReport& report);

/// What offerWindowsImport decided.
enum class ImportOffer {
    NotJet,   ///< the file is not a Jet file: the caller goes on as before
    Declined, ///< the user answered No: nothing was built or changed
    Built,    ///< the new file was built (see the report); the caller puts it in place
    Failed,   ///< building failed; the user was told
};

/// For a data file chosen for reading or restored from a backup: when it is
/// a Jet file, asks whether to take its data over, and on Yes builds the
/// converted SQLite file at @p newFile. Putting it in place is the caller's.
ImportOffer offerWindowsImport(const QString& chosenFile, const QString& newFile, Dialogs& dialogs,
                               ImportReport* report = nullptr, const SourceOptions& options = {});

} // namespace rov2
