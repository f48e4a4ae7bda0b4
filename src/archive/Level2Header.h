#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rov2::archive {

/// One member header at level 2, the layout every current LZH reader takes:
/// a 24-byte base part, then extended headers (header CRC, file name, Unix
/// permissions), each closed by the size of the next one.
///
/// The name is written as the bytes it is given. Our callers pass UTF-8; an
/// old MS-DOS reader would show such bytes as Shift_JIS garbage, a reader on
/// this system shows them as they are.
class Level2Header
{
public:
    std::string method = "-lh5-";     ///< five characters, such as -lh5- or -lh0-
    std::uint32_t packedSize = 0;     ///< bytes of member data after the header
    std::uint32_t originalSize = 0;   ///< bytes of the file
    std::uint32_t modified = 0;       ///< Unix time of the last change
    std::uint16_t dataCrc = 0;        ///< CRC-16 of the file's bytes
    std::uint16_t unixMode = 0100644; ///< file type and permission bits
    std::string name;                 ///< stored file name, no folder part

    /// @return the complete header, its CRC filled in; empty when the name
    /// does not fit a header (more than 65,000 bytes).
    std::vector<std::uint8_t> bytes() const;
};

} // namespace rov2::archive
