#include "LzhArchiveWriter.h"

#include "Crc16.h"
#include "Level2Header.h"
#include "Lh5Encoder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace rov2::archive {

namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 20;
constexpr std::uint64_t kMaxMemberSize = 0xFFFFFFFFu; // the header's 32-bit size fields

// Closes the descriptor on every way out of add().
class Descriptor
{
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

using FileStatus = struct stat;

ArchiveStatus checkSource(int fd, const std::filesystem::path& source, FileStatus& info)
{
    if (fd < 0 || ::fstat(fd, &info) != 0)
        return ArchiveStatus::failure(source.string() + " を開けません (" + std::strerror(errno) + ")");
    if (!S_ISREG(info.st_mode))
        return ArchiveStatus::failure(source.string() + " は通常のファイルではありません");
    if (static_cast<std::uint64_t>(info.st_size) > kMaxMemberSize)
        return ArchiveStatus::failure(source.string() + " は 4 GB を超えるため格納できません");
    return ArchiveStatus::success();
}

// Reads the whole of @p fd from its start, chunk by chunk.
ArchiveStatus readAll(int fd, const std::string& name,
                      const std::function<ArchiveStatus(std::span<const std::uint8_t>)>& take)
{
    std::vector<std::uint8_t> buffer(kReadChunk);
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ArchiveStatus::failure(name + " を読めません (" + std::strerror(errno) + ")");
        if (n == 0)
            return ArchiveStatus::success();
        offset += n;
        if (ArchiveStatus status = take(std::span(buffer.data(), static_cast<std::size_t>(n))); !status)
            return status;
    }
}

} // namespace

LzhArchiveWriter::LzhArchiveWriter(const Lh5Options& options) : options_(options) {}

ArchiveStatus LzhArchiveWriter::open(const std::filesystem::path& archive)
{
    archive_ = archive;
    return file_.create(archive);
}

ArchiveStatus LzhArchiveWriter::add(const std::filesystem::path& source, const std::string& storedName,
                                    MemberSummary& summary)
{
    const Descriptor fd(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    FileStatus info{};
    if (ArchiveStatus status = checkSource(fd.get(), source, info); !status)
        return status;
    Level2Header header;
    header.name = storedName;
    header.modified = static_cast<std::uint32_t>(info.st_mtime);
    header.unixMode = static_cast<std::uint16_t>(S_IFREG | (info.st_mode & 07777));
    if (header.bytes().empty())
        return ArchiveStatus::failure(storedName + ": 名前が長すぎます");
    const std::uint64_t headerAt = file_.size();
    const std::uint64_t dataAt = headerAt + header.bytes().size();
    ArchiveStatus status = file_.write(header.bytes());
    if (status)
        status = compress(fd.get(), source.string(), header.originalSize, header.dataCrc);
    if (status && (header.originalSize == 0 || file_.size() - dataAt >= header.originalSize)) {
        header.method = "-lh0-";
        status = file_.truncate(dataAt);
        if (status)
            status = store(fd.get(), source.string(), header.originalSize, header.dataCrc);
    }
    if (!status)
        return status;
    header.packedSize = static_cast<std::uint32_t>(file_.size() - dataAt);
    summary = {storedName, header.method, header.originalSize, header.packedSize};
    return file_.writeAt(headerAt, header.bytes());
}

ArchiveStatus LzhArchiveWriter::compress(int fd, const std::string& sourceName, std::uint32_t& originalSize,
                                         std::uint16_t& crc)
{
    Lh5Encoder encoder(options_);
    Crc16 sum;
    std::uint64_t total = 0;
    ArchiveStatus status = readAll(fd, sourceName, [&](std::span<const std::uint8_t> data) {
        total += data.size();
        if (total > kMaxMemberSize)
            return ArchiveStatus::failure("格納するファイルが 4 GB を超えました");
        sum.update(data);
        encoder.write(data);
        ArchiveStatus written = file_.write(encoder.output());
        encoder.output().clear();
        return written;
    });
    if (!status)
        return status;
    encoder.finish();
    originalSize = static_cast<std::uint32_t>(total);
    crc = sum.value();
    return file_.write(encoder.output());
}

// Copies the file as it is. The CRC is taken again, so that a file that
// changed since it was compressed is caught rather than stored wrongly.
ArchiveStatus LzhArchiveWriter::store(int fd, const std::string& sourceName, std::uint32_t originalSize,
                                      std::uint16_t crc)
{
    Crc16 sum;
    std::uint64_t total = 0;
    ArchiveStatus status = readAll(fd, sourceName, [&](std::span<const std::uint8_t> data) {
        total += data.size();
        sum.update(data);
        return file_.write(data);
    });
    if (status && (total != originalSize || sum.value() != crc))
        return ArchiveStatus::failure("格納中にファイルが変更されました");
    return status;
}

ArchiveStatus LzhArchiveWriter::finish()
{
    const std::uint8_t endMark = 0;
    if (ArchiveStatus status = file_.write(std::span(&endMark, 1)); !status)
        return status;
    return file_.commit();
}

} // namespace rov2::archive
