#pragma once

#include "Dialogs.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

namespace rov2 {

/// Turns a filter of description and pattern pieces separated by '|'
/// ("MDB ファイル(*.mdb)|yubin.mdb|") into Qt name filters, one per pair:
/// "MDB ファイル(*.mdb) (yubin.mdb)". Patterns separated by ';' become a
/// space-separated list; a pattern without wildcards is a fixed file name
/// and lists only files of that name; an empty pattern lists every file.
/// A trailing '|' adds nothing; a description without its pattern is dropped.
QStringList nameFiltersFromFilter(const QString& filter);

/// The folder a dialog opens in. A drive path ("c:\", "D:\data") means the
/// home folder on systems without drive letters; backslashes become '/'.
QString dialogStartFolder(const QString& initialFolder);

/// Asks for a file name to save to, proposing r.defaultFileName in
/// r.initialFolder with the filter pair r.filterIndex selected.
/// @return 1 when the user chose a file, whose path is then in r.filePath;
/// 0 on cancel, when r.filePath holds r.defaultFileName: test the result, not
/// the path. r.fileTitle is always emptied.
qint32 ShowSaveFileDialog(QWidget* owner, FileDialogRequest& r);

/// Asks for an existing file in r.initialFolder.
/// @return 1 with the path in r.filePath, or 0 with r.filePath empty on cancel.
qint32 ShowOpenFileDialog(QWidget* owner, FileDialogRequest& r);

/// Asks for a folder ("フォルダを指定して下さい。").
/// @return the path (no trailing separator, except for a root), or an invalid
/// QVariant (Null) on cancel.
QVariant BrowseFolder();

/// The size of the file in bytes, all 64 bits of it; -1 when there is no
/// regular file at @p path (missing, a folder, an empty path).
qint64 GetFileLength(const QString& path);

} // namespace rov2
