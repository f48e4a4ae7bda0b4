#include "WildcardPattern.h"

#include <utility>

namespace rov2::archive {

namespace {

char fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

WildcardPattern::WildcardPattern(std::string pattern) : pattern_(std::move(pattern))
{
    if (pattern_ == "*.*")
        pattern_ = "*";
}

// Greedy matching with one back-track point: the last '*' seen takes one
// more character whenever the rest fails to match.
bool WildcardPattern::matches(std::string_view name) const
{
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern_.size() && (pattern_[p] == '?' || fold(pattern_[p]) == fold(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern_.size() && pattern_[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern_.size() && pattern_[p] == '*')
        ++p;
    return p == pattern_.size();
}

} // namespace rov2::archive
