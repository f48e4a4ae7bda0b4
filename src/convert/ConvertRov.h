#pragma once

#include "ConvertMerge.h"

#include <QString>

#include <functional>

namespace rov2 {

class Database;
class Dialogs;
class TableSource;

/// What the converter tab gives the conversion to show its progress panel.
struct ConvertProgress {
    /// Shows (true) or hides (false) the panel Cnコンバート.
    std::function<void(bool visible)> panel;
    /// Lblコンバート and lblコンバート2: the stage text and the row being copied;
    /// called at each stage and a few times a second while rows are copied.
    /// The screen repaints here (processEvents).
    ConvertProgressFn update;
};

enum class ConvertOutcome {
    Converted, ///< all three tables merged and committed
    NoOldFile, ///< nothing at the path; the user was told
    Refused,   ///< the old file is neither a Jet nor an SQLite database; the user was told
    NotOpened, ///< the current data file could not be opened; the user was told
    Failed,    ///< a step failed; nothing was changed and the user was told
};

struct ConvertResult {
    ConvertOutcome outcome = ConvertOutcome::Failed;
    ConvertTableResult company; ///< 自社情報
    ConvertTableResult codes;   ///< コードマスタ
    ConvertTableResult customers; ///< 顧客マスタ
    QString error;
};

/// Takes the previous version's data file (a Jet file of the Windows program,
/// or an SQLite file) over into the current data file: 自社情報, コードマスタ and
/// 顧客マスタ, rows found by their keys overwritten field by field, new rows
/// added, nothing deleted. All of it lands in one transaction: on any failure
/// the current file stays as it was. Running it twice leaves the file as after
/// the first run. Old rows whose key is not a text, or is empty, are refused.
/// Messages go through @p dialogs; the final notice comes only after the
/// changes were committed and says how many rows were read, added and refused.
/// @param oldPath the old data file (the text of txtSrcPath)
/// @param dataFile the current data file
/// @param jet3CodePage code page of text in a Jet 3 old file
ConvertResult ConvertRov(const QString& oldPath, const QString& dataFile, Dialogs& dialogs,
                         const ConvertProgress& progress = {}, const QString& jet3CodePage = QStringLiteral("CP932"));

/// The own-company row: the first old row into the first current row (added when there is none).
ConvertTableResult CnvRovJisyaInfo(Database& current, TableSource& old, ConvertProgressClock& progress);
/// The code lists, found by kcode and code.
ConvertTableResult CnvRovCode(Database& current, TableSource& old, ConvertProgressClock& progress);
/// The customers, found by 名称; TEL becomes TEL1 and 区分 becomes 区分1.
ConvertTableResult CnvRovKokyaku(Database& current, TableSource& old, ConvertProgressClock& progress);

/// The stage texts of the progress panel, in order.
QStringList convertStageTexts();

} // namespace rov2
