#pragma once

#include <string>
#include <utility>

namespace rov2::archive {

/// Outcome of an archive operation: success, or failure with a message that
/// the report shows to the user (Japanese, one line, no trailing newline).
class [[nodiscard]] ArchiveStatus
{
public:
    /// @return a successful status.
    static ArchiveStatus success() { return ArchiveStatus(true, {}); }
    /// @param message what went wrong, for the report.
    /// @return a failed status.
    static ArchiveStatus failure(std::string message) { return ArchiveStatus(false, std::move(message)); }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string& message() const { return message_; }

private:
    ArchiveStatus(bool ok, std::string message) : ok_(ok), message_(std::move(message)) {}

    bool ok_;
    std::string message_;
};

} // namespace rov2::archive
