#include "ArchiveReport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace rov2::archive {

void ArchiveReport::member(const MemberSummary& summary, bool withPacked, std::string_view note)
{
    std::string text = summary.name + "  " + grouped(summary.originalSize);
    if (withPacked)
        text += " → " + grouped(summary.packedSize) + " バイト  " +
                ratio(summary.packedSize, summary.originalSize);
    else
        text += " バイト";
    text += "  " + summary.method;
    if (!note.empty())
        text += "  " + std::string(note);
    line(text);
}

void ArchiveReport::line(std::string_view text)
{
    text_.append(text);
    text_.push_back('\n');
}

std::string ArchiveReport::grouped(std::uint64_t value)
{
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

std::string ArchiveReport::ratio(std::uint64_t packed, std::uint64_t original)
{
    char text[32];
    const double percent =
        original == 0 ? 100.0 : 100.0 * static_cast<double>(packed) / static_cast<double>(original);
    std::snprintf(text, sizeof text, "%.1f%%", percent);
    return text;
}

std::size_t ArchiveReport::copyTo(std::string_view text, char* out, std::size_t size)
{
    if (out == nullptr || size == 0)
        return 0;
    std::size_t n = std::min(text.size(), size - 1);
    // Step back over continuation bytes (10xxxxxx) to the start of the
    // character that would be cut, and drop that character too.
    if (n < text.size())
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u)
            --n;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return n;
}

} // namespace rov2::archive
