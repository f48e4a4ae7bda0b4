#pragma once

#include "ArchiveStatus.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <span>

namespace rov2::archive {

/// A new file under a unique hidden name in the folder of its final name.
/// It becomes that final name only through commit() (an atomic rename on the
/// same file system); destroyed before that, it is removed, so that a failed
/// run leaves neither a partial file nor a temporary one behind.
class TempFile
{
public:
    TempFile() = default;
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    TempFile(TempFile&& other) noexcept;
    TempFile& operator=(TempFile&& other) noexcept;

    /// Creates the temporary file beside @p target (mode 0666 less the umask).
    /// @return failure when the folder cannot take a new file.
    ArchiveStatus create(const std::filesystem::path& target);
    /// Appends @p data.
    ArchiveStatus write(std::span<const std::uint8_t> data);
    /// Overwrites bytes at @p offset without moving the end.
    ArchiveStatus writeAt(std::uint64_t offset, std::span<const std::uint8_t> data);
    /// Cuts the file back to @p size bytes; later writes append from there.
    ArchiveStatus truncate(std::uint64_t size);
    /// @return bytes written so far (the current end).
    std::uint64_t size() const { return size_; }
    /// Sets the modification time the final file will carry.
    void setModified(std::time_t modified)
    {
        modified_ = modified;
        hasModified_ = true;
    }
    /// Flushes to disk and renames the file to its target, replacing any
    /// file of that name.
    ArchiveStatus commit();
    /// Removes the file now (also done by the destructor).
    void discard();
    /// @return the temporary path (empty when none is open).
    const std::filesystem::path& path() const { return path_; }

private:
    int fd_ = -1;
    std::filesystem::path path_;
    std::filesystem::path target_;
    std::uint64_t size_ = 0;
    std::time_t modified_ = 0;
    bool hasModified_ = false;
};

} // namespace rov2::archive
