#pragma once

#include <string>
#include <string_view>

namespace rov2::archive {

/// A file-name pattern as archiver command lines give them: '*' for any run
/// of characters, '?' for one character, letters compared without regard to
/// case. "*.*" matches every name, with or without a dot, as it always has on
/// the systems these command lines come from.
class WildcardPattern
{
public:
    /// @param pattern the pattern text.
    explicit WildcardPattern(std::string pattern);

    /// @param name a stored file name.
    /// @return true when @p name matches.
    bool matches(std::string_view name) const;
    const std::string& text() const { return pattern_; }

private:
    std::string pattern_;
};

} // namespace rov2::archive
