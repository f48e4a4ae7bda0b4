#pragma once

#include <cstdint>
#include <string>

namespace rov2::archive {

/// What the report says about one member that was stored, extracted or tested.
struct MemberSummary
{
    std::string name;               ///< stored name
    std::string method;             ///< such as -lh5-
    std::uint64_t originalSize = 0; ///< bytes of the file
    std::uint64_t packedSize = 0;   ///< bytes of member data in the archive
};

} // namespace rov2::archive
