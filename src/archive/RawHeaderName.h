#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace rov2::archive {

/// The name fields of a member header exactly as stored.
///
/// liblhasa tidies names before it hands them out: it turns a '/' inside a
/// level-2 file name into '_' and drops ".." from folder parts. That is right
/// for a general tool, but it would let a hostile name through our check
/// looking harmless, so the check reads the raw header instead.
struct RawHeaderName
{
    std::string name;       ///< the file name field (level 0/1) or extension 0x01
    std::string folder;     ///< extension 0x02, 0xFF bytes between parts
    bool hasFolder = false; ///< a folder extension is present (even empty)

    /// @param raw the whole header as read (liblhasa's raw_data).
    /// @param level its header level, 0..3.
    /// @return the stored name fields.
    static RawHeaderName of(std::span<const std::uint8_t> raw, int level);
};

} // namespace rov2::archive
