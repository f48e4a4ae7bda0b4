#include "Level2Header.h"

#include "Crc16.h"

namespace rov2::archive {

namespace {

// The fixed part, up to and including the size of the first extended header.
constexpr std::size_t kBaseSize = 26;
constexpr std::uint8_t kExtCommon = 0x00; // header CRC
constexpr std::uint8_t kExtFileName = 0x01;
constexpr std::uint8_t kExtUnixMode = 0x50;
constexpr std::uint8_t kAttributeArchive = 0x20;
constexpr std::uint8_t kOsUnix = 'U';

void put16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

// An extended header: its type byte and contents, then the size of the next
// one, which the caller patches in once it is known.
void putExtension(std::vector<std::uint8_t>& out, std::uint8_t type, const std::vector<std::uint8_t>& data)
{
    const std::size_t size = 1 + data.size() + 2;
    out[out.size() - 2] = static_cast<std::uint8_t>(size);
    out[out.size() - 1] = static_cast<std::uint8_t>(size >> 8);
    out.push_back(type);
    out.insert(out.end(), data.begin(), data.end());
    put16(out, 0);
}

} // namespace

std::vector<std::uint8_t> Level2Header::bytes() const
{
    if (name.size() > 65000 || method.size() != 5)
        return {};
    std::vector<std::uint8_t> out;
    out.reserve(kBaseSize + name.size() + 16);
    put16(out, 0); // total size, patched below
    out.insert(out.end(), method.begin(), method.end());
    put32(out, packedSize);
    put32(out, originalSize);
    put32(out, modified);
    out.push_back(kAttributeArchive);
    out.push_back(2); // header level
    put16(out, dataCrc);
    out.push_back(kOsUnix);
    put16(out, 0); // size of the first extended header
    putExtension(out, kExtCommon, {0, 0});
    const std::size_t crcAt = kBaseSize + 1; // after the type byte of the first extension
    putExtension(out, kExtFileName, std::vector<std::uint8_t>(name.begin(), name.end()));
    putExtension(out, kExtUnixMode,
                 {static_cast<std::uint8_t>(unixMode), static_cast<std::uint8_t>(unixMode >> 8)});
    // A first byte of zero marks the end of an archive, so a header whose
    // size is a multiple of 256 gets one padding byte.
    if ((out.size() & 0xFFu) == 0)
        out.push_back(0);
    out[0] = static_cast<std::uint8_t>(out.size());
    out[1] = static_cast<std::uint8_t>(out.size() >> 8);
    const std::uint16_t crc = Crc16::of(out);
    out[crcAt] = static_cast<std::uint8_t>(crc);
    out[crcAt + 1] = static_cast<std::uint8_t>(crc >> 8);
    return out;
}

} // namespace rov2::archive
