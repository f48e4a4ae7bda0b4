#include "EntryCheck.h"

namespace rov2::archive {

namespace {

bool hasUnsafeCharacter(const std::string& name)
{
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || c == ':' || byte < 0x20 || byte == 0x7F)
            return true;
    }
    return false;
}

std::string shownName(const LzhEntry& entry)
{
    return entry.folder + entry.summary.name;
}

} // namespace

ArchiveStatus checkEntry(const LzhEntry& entry)
{
    const std::string& name = entry.summary.name;
    if (entry.isLink)
        return ArchiveStatus::failure(shownName(entry) + " はリンクです。この書庫は展開しません");
    if (entry.isDirectory)
        return ArchiveStatus::failure(shownName(entry) + " はフォルダです。この書庫は展開しません");
    if (entry.hasFolder)
        return ArchiveStatus::failure(shownName(entry) +
                                      " にはフォルダ名が付いています。この書庫は展開しません");
    for (const std::string& candidate : {name, entry.rawName})
        if (candidate.empty() || candidate == "." || candidate == ".." || hasUnsafeCharacter(candidate))
            return ArchiveStatus::failure("ファイル名 \"" + entry.rawName +
                                          "\" は使えません。この書庫は展開しません");
    return ArchiveStatus::success();
}

} // namespace rov2::archive
