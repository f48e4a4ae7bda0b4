#pragma once

#include "ArchiveStatus.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

typedef struct _LHAInputStream LHAInputStream;

namespace rov2::archive {

/// The archive file as liblhasa reads it: a buffered stream with read and
/// skip callbacks that never pass the end of the file.
///
/// At the end of the data the read callback answers -1, not 0: liblhasa
/// 0.3.1 repeats a read that returned 0 for ever when the archive is cut
/// short. A skip past the end fails instead of seeking into nothing.
class ArchiveSource
{
public:
    ArchiveSource() = default;
    ~ArchiveSource();
    ArchiveSource(const ArchiveSource&) = delete;
    ArchiveSource& operator=(const ArchiveSource&) = delete;

    /// @param archive the file to read.
    ArchiveStatus open(const std::filesystem::path& archive);
    /// @return a new liblhasa stream reading from the start of the file; the
    /// caller frees it with lha_input_stream_free (this object stays open).
    LHAInputStream* newStream();
    /// @return the size of the file.
    std::uint64_t size() const { return size_; }
    /// @param offset a byte offset in the file.
    /// @return the byte there, or nothing past the end or on a read error.
    std::optional<std::uint8_t> byteAt(std::uint64_t offset) const;
    /// Reads from @p offset into @p out, apart from the streams' position.
    /// @return bytes read: fewer at the end of the file, 0 there or on an error.
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) const;

private:
    static int readCallback(void* handle, void* buf, std::size_t length);
    static int skipCallback(void* handle, std::size_t bytes);
    int read(std::uint8_t* out, std::size_t length);
    bool refill();

    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bufferStart_ = 0;
    std::size_t bufferLength_ = 0;
};

} // namespace rov2::archive
