#pragma once

#include "ArchiveStatus.h"
#include "LzhEntry.h"

namespace rov2::archive {

/// Decides whether a member may be extracted into the target folder at all.
/// Only plain files named without any folder part qualify: a folder part
/// (absolute or relative, "..", even empty), a folder entry, a link, or a
/// name with a separator, a drive colon or a control character is refused,
/// and with it the whole archive.
/// @param entry a member as scanned.
/// @return failure naming the member and why.
ArchiveStatus checkEntry(const LzhEntry& entry);

} // namespace rov2::archive
