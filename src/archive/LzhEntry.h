#pragma once

#include "MemberSummary.h"

#include <cstdint>
#include <string>

namespace rov2::archive {

/// One member as its header describes it.
struct LzhEntry
{
    MemberSummary summary;        ///< name is the file name without folder part
    std::string folder;           ///< folder part of the stored path, if any
    bool hasFolder = false;       ///< the header carries a folder part (even an empty one)
    std::string rawName;          ///< the name bytes exactly as stored (see RawHeaderName)
    bool isDirectory = false;     ///< a folder entry (-lhd-)
    bool isLink = false;          ///< a symbolic link
    std::uint16_t crc = 0;        ///< CRC-16 of the original data
    std::uint32_t modified = 0;   ///< Unix time
    int headerLevel = 0;          ///< 0..3
    std::uint64_t offset = 0;     ///< where the header starts in the archive
    std::uint64_t dataOffset = 0; ///< where the packed data starts, right after the header
};

} // namespace rov2::archive
