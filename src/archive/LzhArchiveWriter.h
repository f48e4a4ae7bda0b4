#pragma once

#include "ArchiveStatus.h"
#include "Lh5Options.h"
#include "MemberSummary.h"
#include "TempFile.h"

#include <filesystem>
#include <string>

namespace rov2::archive {

/// Writes a new LZH archive: level-2 headers, -lh5- data from our encoder
/// (-lh0-, stored, when compression does not make a member smaller, and for
/// empty files), and the zero byte that ends the archive.
///
/// The archive is built under a temporary name beside its final one and
/// takes the final name only in finish(); a writer destroyed before that
/// leaves nothing behind.
class LzhArchiveWriter
{
public:
    explicit LzhArchiveWriter(const Lh5Options& options = {});

    /// @param archive the final name of the archive.
    ArchiveStatus open(const std::filesystem::path& archive);
    /// Compresses @p source into the archive under @p storedName.
    /// @param summary filled in on success.
    ArchiveStatus add(const std::filesystem::path& source, const std::string& storedName,
                      MemberSummary& summary);
    /// Ends the archive and renames it into place.
    ArchiveStatus finish();
    /// @return bytes written so far (after finish(): the archive's size).
    std::uint64_t size() const { return file_.size(); }

private:
    ArchiveStatus compress(int fd, const std::string& sourceName, std::uint32_t& originalSize,
                           std::uint16_t& crc);
    ArchiveStatus store(int fd, const std::string& sourceName, std::uint32_t originalSize, std::uint16_t crc);

    Lh5Options options_;
    std::filesystem::path archive_;
    TempFile file_;
};

} // namespace rov2::archive
