#pragma once

#include <QString>

namespace rov2 {

struct BackupJob;

/// Packs @p folder + @p member into the new archive @p folder + @p archive
/// with the archiver's "a" command line, the member stored under the name
/// @p member. Shows the archiver's report ("[書庫ファイル ＯＫ]") or its
/// failure ("[書庫ファイル　作成エラー]"), and a growing progress line while
/// it packs. @p folder ends with '/'.
/// @return true when the archive was made.
bool CreateLzhFile(const BackupJob& job, const QString& folder, const QString& member, const QString& archive);

/// Unpacks every member of @p folder + @p archive into @p folder with the
/// archiver's "x" command line (all or nothing), showing its report
/// ("[書庫解凍 ＯＫ]") or failure ("[書庫解凍　エラー]") and a progress line.
/// A file @p member already in @p folder is removed first.
/// @return true when every member was unpacked with a matching CRC.
bool DefrostVT(const BackupJob& job, const QString& folder, const QString& member, const QString& archive);

/// Decodes every member of @p archive and checks its CRC, writing nothing.
/// @return empty when the archive is whole, else the archiver's reason.
QString testArchive(const BackupJob& job, const QString& archive);

/// Original size of all members of @p archive; -1 when it cannot be read.
qint64 unpackedSize(const QString& archive);

} // namespace rov2
