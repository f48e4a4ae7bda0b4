#include "ArchiveTester.h"

namespace rov2::archive {

ArchiveStatus ArchiveTester::run(LzhArchiveReader& reader)
{
    tested_.clear();
    if (ArchiveStatus status = reader.scan(); !status)
        return status;
    return reader.decode(*this);
}

ArchiveStatus ArchiveTester::end(const LzhEntry& entry)
{
    tested_.push_back(entry.summary);
    return ArchiveStatus::success();
}

} // namespace rov2::archive
