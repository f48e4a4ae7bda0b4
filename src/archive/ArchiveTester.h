#pragma once

#include "LzhArchiveReader.h"
#include "MemberSink.h"
#include "MemberSummary.h"

#include <vector>

namespace rov2::archive {

/// Decodes every member and checks its CRC without writing anything: the
/// archiver's test command.
class ArchiveTester final : public MemberSink
{
public:
    /// @param reader an opened archive (not yet scanned).
    ArchiveStatus run(LzhArchiveReader& reader);
    /// @return the members that passed.
    const std::vector<MemberSummary>& tested() const { return tested_; }

    bool wants(const LzhEntry&) override { return true; }
    ArchiveStatus begin(const LzhEntry&) override { return ArchiveStatus::success(); }
    ArchiveStatus write(std::span<const std::uint8_t>) override { return ArchiveStatus::success(); }
    ArchiveStatus end(const LzhEntry& entry) override;

private:
    std::vector<MemberSummary> tested_;
};

} // namespace rov2::archive
