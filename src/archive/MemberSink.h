#pragma once

#include "ArchiveStatus.h"
#include "LzhEntry.h"

#include <cstdint>
#include <span>

namespace rov2::archive {

/// Receives the decoded members of an archive, one after another.
class MemberSink
{
public:
    virtual ~MemberSink() = default;

    /// @return true when the member is to be decoded; others are skipped.
    virtual bool wants(const LzhEntry& entry) = 0;
    /// Called before the first data of a member it wants.
    virtual ArchiveStatus begin(const LzhEntry& entry) = 0;
    /// @param data the next piece of the member's original bytes.
    virtual ArchiveStatus write(std::span<const std::uint8_t> data) = 0;
    /// Called once the member was read whole and its CRC matched. A member
    /// that fails gets no end(); the reader returns the failure instead.
    virtual ArchiveStatus end(const LzhEntry& entry) = 0;
};

} // namespace rov2::archive
