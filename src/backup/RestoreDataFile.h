#pragma once

#include <QDate>
#include <QString>

namespace rov2 {

/// Checks that @p path is a data file of this program before it may take
/// the place of the one in use: an SQLite file by its header, whole by
/// PRAGMA integrity_check, with every table of the data file's layout.
/// @return empty when it is, else why not (for the user).
QString checkDataFile(const QString& path);

/// Where the data file in use is kept when a restore replaces it: beside
/// it, named after it and @p day ("Rov2Data_20261208.mdb"; "_2", "_3" and so
/// on when that name is taken), still a data file that can be read back.
QString keptCopyPath(const QString& dataFile, const QDate& day);

/// How many kept copies a restore leaves beside the data file.
inline constexpr int kKeptCopies = 5;

/// Puts @p newFile (already proven by checkDataFile, in the same folder as
/// @p dataFile) in the place of @p dataFile. The current data file, when
/// there is one, is first kept under keptCopyPath() of today, together with
/// any journal SQLite left beside it (which belongs to it and must not be
/// applied to the new file). The new file takes the name in one rename, so
/// the data file is never missing or half-written. Then only the newest
/// kKeptCopies kept copies stay, by the date and number in their names, the
/// one just kept always among them; nothing else is removed.
/// @param keptCopy receives the kept copy's path, empty when there was none.
/// @return empty on success, else what went wrong (for the user); on
/// failure the data file in use is as it was.
QString replaceDataFile(const QString& newFile, const QString& dataFile, QString* keptCopy = nullptr);

/// The line of a completion message that says where the replaced data went.
QString keptCopyNotice(const QString& keptCopy);

/// True when @p a and @p b name the same file.
bool sameFile(const QString& a, const QString& b);

} // namespace rov2
