// An archive from a floppy disk or a mail attachment: checked, tested, then
// extracted, the way a restore reads it.
#include "ArchiveExtractor.h"
#include "ArchiveTester.h"
#include "EntryCheck.h"
#include "LzhArchiveReader.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace rov2::archive;

namespace {

// The reader takes a path; a memory file gives it one without touching a disk.
class MemoryArchive
{
public:
    MemoryArchive(const std::uint8_t* data, std::size_t size) : fd_(::memfd_create("archive.lzh", 0))
    {
        if (fd_ < 0 || ::write(fd_, data, size) != static_cast<ssize_t>(size))
            std::abort();
    }
    ~MemoryArchive() { ::close(fd_); }
    fs::path path() const { return "/proc/self/fd/" + std::to_string(fd_); }

private:
    int fd_;
};

// A new empty folder for each extraction, removed with all in it afterwards.
fs::path newFolder()
{
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string name = (base / "rov2-fuzz-lzh-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr)
        std::abort();
    return name;
}

void testArchive(const fs::path& path)
{
    LzhArchiveReader reader;
    if (!reader.open(path))
        return;
    ArchiveTester tester;
    (void)tester.run(reader);
}

// Whatever the archive says, only plain files that passed the entry check
// may appear, and only directly in the target folder: nothing beside it.
void extractArchive(const fs::path& path)
{
    LzhArchiveReader reader;
    if (!reader.open(path))
        return;
    const fs::path outer = newFolder(), folder = outer / "target";
    fs::create_directory(folder);
    ArchiveExtractor extractor(folder, {});
    const bool ok = static_cast<bool>(extractor.run(reader));
    std::set<std::string> written;
    for (const MemberSummary& m : extractor.extracted())
        written.insert(m.name);
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (!ok || !e.is_regular_file() || written.count(name) == 0)
            std::abort();
    }
    for (const LzhEntry& entry : reader.entries())
        if (ok && !checkEntry(entry))
            std::abort();
    for (const fs::directory_entry& e : fs::directory_iterator(outer))
        if (e.path() != folder)
            std::abort();
    fs::remove_all(outer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const MemoryArchive archive(data, size);
    testArchive(archive.path());
    extractArchive(archive.path());
    return 0;
}
