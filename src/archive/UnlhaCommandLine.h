#pragma once

#include "ArchiveStatus.h"

#include <filesystem>
#include <string>
#include <vector>

namespace rov2::archive {

/// A command line in the form archiver libraries take it:
///
///     a -+ -a1 -d0 -f0 -n0 -jm4 "F+L" "B" "F""M"""
///     x -+ -a2 -d1 -f0 -n1 -jyc0 -jyd0 -jyk0 -jyn0 -jyo0 "F+L" "F" "*.*"
///
/// A command letter comes first, then switches (a '-' and letters, outside
/// quotes) and names. A name is either a double-quoted token, which may
/// follow the previous one with no blank between, or a run of characters up
/// to a blank or a quote. The first name is the archive; a name ending in a
/// path separator is the base folder for the names after it (and the target
/// folder when extracting); an empty name is nothing; the rest are files or
/// patterns. Backslashes count as path separators and are read as '/', since
/// callers written for another system build their paths with them.
///
/// A caret takes the next character as it stands: ^" is a quote inside a
/// name, ^^ a caret, ^\ a backslash that is part of a name rather than a
/// separator. A doubled quote cannot serve, as it already means two names
/// side by side; and a backslash cannot, as a Windows folder ends in one
/// right before its closing quote. quote() writes any name so.
class UnlhaCommandLine
{
public:
    /// The escape character of names; see above.
    static constexpr char kEscape = '^';

    /// @p name (UTF-8) in double quotes, escaped so that parse() reads back
    /// exactly @p name whatever it holds.
    static std::string quote(const std::string& name);

    /// A file named on the command line.
    struct File
    {
        std::string name;           ///< as written, relative to the base folder
        std::filesystem::path base; ///< base folder in force where it was named
    };

    /// @param text the command line (UTF-8).
    /// @param parsed filled in on success.
    /// @return failure describing the first problem found.
    static ArchiveStatus parse(const std::string& text, UnlhaCommandLine& parsed);

    char command() const { return command_; }
    const std::vector<std::string>& switches() const { return switches_; }
    const std::filesystem::path& archive() const { return archive_; }
    /// @return the last base folder named, or empty when none was.
    const std::filesystem::path& folder() const { return folder_; }
    const std::vector<File>& files() const { return files_; }

private:
    struct Token
    {
        std::string text;
        bool quoted = false;
    };

    static ArchiveStatus tokenize(const std::string& text, std::vector<Token>& tokens);
    ArchiveStatus take(const Token& token);

    char command_ = 0;
    std::vector<std::string> switches_;
    std::filesystem::path archive_;
    std::filesystem::path folder_;
    std::vector<File> files_;
};

} // namespace rov2::archive
