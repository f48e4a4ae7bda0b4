#pragma once

#include "MemberSummary.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rov2::archive {

/// The text the archiver hands back to its caller: one line per member and a
/// closing line, in Japanese, lines ended by '\n'.
class ArchiveReport
{
public:
    /// Adds "name  size → packed bytes  ratio  method", or without the packed
    /// size and ratio when @p withPacked is false, followed by @p note.
    void member(const MemberSummary& summary, bool withPacked, std::string_view note = {});
    /// Adds one line of text.
    void line(std::string_view text);
    const std::string& text() const { return text_; }

    /// @return @p value with thousands separators, such as 58,123,456.
    static std::string grouped(std::uint64_t value);
    /// @return packed size as a percentage of the original, such as 36.7%.
    static std::string ratio(std::uint64_t packed, std::uint64_t original);
    /// Copies @p text into a C buffer of @p size bytes, always terminated,
    /// cut at a character boundary so that no broken UTF-8 sequence is left.
    /// @return bytes copied, without the terminator.
    static std::size_t copyTo(std::string_view text, char* out, std::size_t size);

private:
    std::string text_;
};

} // namespace rov2::archive
