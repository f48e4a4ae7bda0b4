#pragma once

#include <cstddef>
#include <string>

namespace rov2 {

/// Results of Unlha(): zero for success, anything else for failure.
enum UnlhaResult : int {
    UnlhaOk = 0,
    UnlhaBadCommandLine = 1, ///< the command line could not be understood
    UnlhaFailed = 2,         ///< the command ran and failed; nothing was written
};

/// The archiver entry that the backup and restore call, with the command
/// lines they build (see UnlhaCommandLine for the syntax):
///
///  - a: create the archive with the named files, stored under their names
///       relative to the base folder; the archive must not exist yet.
///  - x, e: extract the members matching the patterns ("*.*": all) into the
///       base folder, all or nothing, refusing unsafe or damaged archives.
///  - t: decode every member and check its CRC; l, v: list the members.
///
/// Switches are accepted and change nothing: the archive format, the level-2
/// headers and the overwrite-on-extract behaviour are fixed.
///
/// @param owner the calling window; unused (no dialogs are shown).
/// @param commandLine the command line, UTF-8.
/// @param output receives the report, cut to @p outputSize - 1 bytes on a
///        character boundary and terminated; may be null.
/// @param outputSize size of @p output in bytes.
/// @return a UnlhaResult.
int Unlha(void* owner, const std::string& commandLine, char* output, std::size_t outputSize);

/// The same, with the whole report.
/// @param report receives the report (file names, sizes, ratio, or what went wrong).
int Unlha(const std::string& commandLine, std::string& report);

} // namespace rov2
