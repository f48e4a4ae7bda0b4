#include "ArchiveExtractor.h"

#include "EntryCheck.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace rov2::archive {

ArchiveExtractor::ArchiveExtractor(std::filesystem::path folder, std::vector<WildcardPattern> patterns)
    : folder_(std::move(folder)), patterns_(std::move(patterns))
{
}

ArchiveStatus ArchiveExtractor::run(LzhArchiveReader& reader)
{
    extracted_.clear();
    if (ArchiveStatus status = reader.scan(); !status)
        return status;
    if (ArchiveStatus status = checkEntries(reader.entries()); !status)
        return status;
    ArchiveStatus status = reader.decode(*this);
    if (status)
        status = commitAll();
    current_.discard();
    finished_.clear(); // removes whatever was not renamed into place
    pending_.clear();
    return status;
}

ArchiveStatus ArchiveExtractor::checkEntries(const std::vector<LzhEntry>& entries)
{
    std::uint64_t needed = 0;
    bool any = false;
    for (const LzhEntry& entry : entries) {
        if (ArchiveStatus status = checkEntry(entry); !status)
            return status;
        if (wants(entry)) {
            any = true;
            needed += entry.summary.originalSize;
        }
    }
    if (!any)
        return ArchiveStatus::failure("書庫に該当するファイルがありません");
    return checkFolder(needed);
}

ArchiveStatus ArchiveExtractor::checkFolder(std::uint64_t needed) const
{
    std::error_code error;
    if (!std::filesystem::is_directory(folder_, error))
        return ArchiveStatus::failure("展開先のフォルダ " + folder_.string() + " がありません");
    const std::filesystem::space_info space = std::filesystem::space(folder_, error);
    if (!error && space.available < needed)
        return ArchiveStatus::failure("展開先のディスクの空きが足りません (" + std::to_string(needed) +
                                      " バイト必要です)");
    return ArchiveStatus::success();
}

bool ArchiveExtractor::wants(const LzhEntry& entry)
{
    return patterns_.empty() ||
           std::any_of(patterns_.begin(), patterns_.end(),
                       [&](const WildcardPattern& p) { return p.matches(entry.summary.name); });
}

ArchiveStatus ArchiveExtractor::begin(const LzhEntry& entry)
{
    return current_.create(folder_ / entry.summary.name);
}

ArchiveStatus ArchiveExtractor::write(std::span<const std::uint8_t> data)
{
    return current_.write(data);
}

ArchiveStatus ArchiveExtractor::end(const LzhEntry& entry)
{
    current_.setModified(static_cast<std::time_t>(entry.modified));
    finished_.push_back(std::move(current_));
    pending_.push_back(entry.summary);
    return ArchiveStatus::success();
}

ArchiveStatus ArchiveExtractor::commitAll()
{
    for (std::size_t i = 0; i < finished_.size(); ++i) {
        if (ArchiveStatus status = finished_[i].commit(); !status)
            return status;
        extracted_.push_back(pending_[i]);
    }
    return ArchiveStatus::success();
}

} // namespace rov2::archive
