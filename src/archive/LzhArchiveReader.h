#pragma once

#include "ArchiveSource.h"
#include "ArchiveStatus.h"
#include "LzhEntry.h"
#include "MemberSink.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

typedef struct _LHAReader LHAReader;

namespace rov2::archive {

/// Reads LZH archives through liblhasa (every method it knows, header
/// levels 0 to 3) and checks them harder than liblhasa does by itself.
///
/// liblhasa answers "no more members" both at the real end of an archive and
/// at a header it cannot read, so scan() follows the members from the first
/// byte and requires the last one to end where the file ends (allowing the
/// single zero byte that closes an archive). decode() then checks each
/// member's length and CRC-16. -lh5- data, the archiver's own method and by
/// far the most common, goes through Lh5Decoder, several times faster than
/// liblhasa's decoder, which takes every other method.
class LzhArchiveReader
{
public:
    /// @param archive the file to read.
    ArchiveStatus open(const std::filesystem::path& archive);
    /// Reads every header and checks that they cover the file exactly.
    /// @return failure for a file that is not an LZH archive, is cut short,
    /// has a damaged header or a method liblhasa cannot decode.
    ArchiveStatus scan();
    /// @return the members found by scan().
    const std::vector<LzhEntry>& entries() const { return entries_; }
    /// Decodes the members @p sink wants, in archive order.
    /// @return the first failure (of the data or of the sink).
    ArchiveStatus decode(MemberSink& sink);

private:
    ArchiveStatus checkTail(std::uint64_t end) const;
    ArchiveStatus decodeMember(LHAReader* reader, const LzhEntry& entry, MemberSink& sink);
    ArchiveStatus decodeLh5(const LzhEntry& entry,
                            const std::function<bool(std::span<const std::uint8_t>)>& take);

    std::filesystem::path path_;
    ArchiveSource source_;
    std::vector<LzhEntry> entries_;
};

} // namespace rov2::archive
