#pragma once

#include "CsvEncoding.h"
#include "CsvWriter.h"
#include "WholeFile.h"

#include <QString>

class QWidget;

namespace rov2 {

class Dialogs;
struct OwnFiles;

/// What writeCustomerCsv did.
struct CustomerCsvExportResult
{
    enum class Status {
        Written,     ///< both files (or the one) written whole
        Empty,       ///< the list names no customer of the data file: nothing written
        Unencodable, ///< a character CP932 cannot hold: nothing written, see problem
        ReadFailed,  ///< a file could not be read: nothing written
        WriteFailed, ///< a file could not be written: none was changed
    };
    Status status = Status::ReadFailed;
    int customers = 0;  ///< customer lines written
    int familyRows = 0; ///< family lines written
    QString customerPath;
    QString familyPath; ///< empty without family
    /// For Unencodable: the file, the line and column, and the row's 名称 and field.
    QString problemPath;
    CsvEncodeProblem problem;
    QString problemName;
    QString problemField;
};

/// The family file that goes with @p customerPath: "顧客.csv" → "顧客_家族.csv".
QString familyCsvPath(const QString& customerPath);

/// Writes the customers of the list work table w顧客リスト to CSV: the marked
/// rows, or every listed row when none is marked; a family row stands for its
/// customer; each customer once, in list order. One line per row of 顧客マスタ
/// under a heading line of its field names; with @p includeFamily, the
/// customers' 家族情報 rows (in 行番号 order) go to familyCsvPath(@p targetPath).
/// Everything is encoded first: a character that @p encoding cannot hold
/// leaves both files untouched. Files are replaced only when written whole:
/// both are flushed and checked before either takes its name, so a full disk
/// leaves the earlier files as they were and answers WriteFailed.
/// @param sinks where the bytes go (tests plug failing ones); empty: QSaveFile.
CustomerCsvExportResult writeCustomerCsv(const QString& workFile, const QString& dataFile, bool includeFamily,
                                         const QString& targetPath, CsvEncoding encoding,
                                         const FileSinkFactory& sinks = {});

/// The list screen's CSV出力: writeCustomerCsv with the user's part done
/// through @p dialogs, reading the data and work files of @p own. An empty
/// @p targetPath is asked for with the save dialog; the program's own files
/// (@p own) are refused and an existing file is replaced only after a Yes
/// (mayWriteUserFiles); the outcome is told in a message box (the row and
/// field of a character CP932 cannot hold, the number of customers written,
/// or that nothing was written).
/// @return true when the files were written.
bool ExportCustomerCsv(QWidget* owner, const OwnFiles& own, bool includeFamily, const QString& targetPath,
                       CsvEncoding encoding, Dialogs& dialogs, const FileSinkFactory& sinks = {});

} // namespace rov2
