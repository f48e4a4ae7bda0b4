#pragma once

#include "ArchiveStatus.h"
#include "LzhArchiveReader.h"
#include "MemberSink.h"
#include "MemberSummary.h"
#include "TempFile.h"
#include "WildcardPattern.h"

#include <filesystem>
#include <vector>

namespace rov2::archive {

/// Extracts the members that match the patterns into one folder, all or
/// nothing: every member is decoded into a temporary file beside its final
/// name, and only when all of them were read whole with matching CRCs are
/// they renamed into place (replacing files of the same name). Before any of
/// that, one unsafe entry anywhere in the archive refuses it as a whole.
class ArchiveExtractor final : public MemberSink
{
public:
    /// @param folder where the files go; it must exist.
    /// @param patterns names to extract; empty means all.
    ArchiveExtractor(std::filesystem::path folder, std::vector<WildcardPattern> patterns);

    /// @param reader an opened archive (not yet scanned).
    ArchiveStatus run(LzhArchiveReader& reader);
    /// @return the members written by a successful run().
    const std::vector<MemberSummary>& extracted() const { return extracted_; }

    bool wants(const LzhEntry& entry) override;
    ArchiveStatus begin(const LzhEntry& entry) override;
    ArchiveStatus write(std::span<const std::uint8_t> data) override;
    ArchiveStatus end(const LzhEntry& entry) override;

private:
    ArchiveStatus checkEntries(const std::vector<LzhEntry>& entries);
    ArchiveStatus checkFolder(std::uint64_t needed) const;
    ArchiveStatus commitAll();

    std::filesystem::path folder_;
    std::vector<WildcardPattern> patterns_;
    TempFile current_;
    std::vector<TempFile> finished_;
    std::vector<MemberSummary> pending_;
    std::vector<MemberSummary> extracted_;
};

} // namespace rov2::archive
