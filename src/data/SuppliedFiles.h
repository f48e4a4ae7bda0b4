#pragma once

#include "Layout.h"

#include <QString>

namespace rov2 {

/// Creates a new file of @p kind with every table of its layout, empty, and
/// the layout version; fails when the file exists already.
/// @return true on success; on failure no file is left behind.
bool createEmptyFile(const QString& path, FileKind kind, QString* error = nullptr);

/// Creates the data file as it is supplied with the program: the tables, the
/// thirty empty slots of each code list with the common honorifics and family
/// relationships filled in, and one settings row of defaults.
bool createSuppliedDataFile(const QString& path, QString* error = nullptr);

/// Creates the work file as it is supplied: the tables and the ten empty rows
/// of the family grid's table.
bool createSuppliedWorkFile(const QString& path, QString* error = nullptr);

/// What a file at a path is, as far as the program can tell.
enum class FileState { Missing, NotOurs, Ok };

/// Checks that @p path is a database of @p kind: every table of the layout present.
FileState checkFile(const QString& path, FileKind kind);

/// The kinds of code list that the code master holds, in slot order.
QStringList codeKinds();

} // namespace rov2
