#include "RawHeaderName.h"

namespace rov2::archive {

namespace {

std::size_t readSize(std::span<const std::uint8_t> raw, std::size_t at, std::size_t width)
{
    std::size_t v = 0;
    for (std::size_t i = width; i-- > 0;)
        v = (v << 8) | raw[at + i];
    return v;
}

// Walks the chain of extended headers that starts with the size field at
// @p at: each one is a type byte, its data, and the size of the next.
void readExtensions(std::span<const std::uint8_t> raw, std::size_t at, std::size_t width, RawHeaderName& out)
{
    while (at + width <= raw.size()) {
        const std::size_t size = readSize(raw, at, width);
        const std::size_t start = at + width;
        if (size < 1 + width || start + size - width > raw.size())
            return;
        const std::uint8_t type = raw[start];
        const auto* data = reinterpret_cast<const char*>(raw.data() + start + 1);
        const std::size_t length = size - 1 - width;
        if (type == 0x01)
            out.name.assign(data, length);
        if (type == 0x02) {
            out.folder.assign(data, length);
            out.hasFolder = true;
        }
        at = start + size - width;
    }
}

} // namespace

RawHeaderName RawHeaderName::of(std::span<const std::uint8_t> raw, int level)
{
    RawHeaderName out;
    if (level <= 1) {
        if (raw.size() < 22 || 22u + raw[21] > raw.size())
            return out;
        out.name.assign(reinterpret_cast<const char*>(raw.data() + 22), raw[21]);
        // Level 1: the base header is raw[0] + 2 bytes, ending in the size
        // of the first extension.
        if (level == 1 && raw[0] + 2u <= raw.size())
            readExtensions(raw, raw[0], 2, out);
    } else if (level == 2) {
        readExtensions(raw, 24, 2, out);
    } else {
        readExtensions(raw, 28, 4, out);
    }
    return out;
}

} // namespace rov2::archive
