#include "TempFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace rov2::archive {

namespace {

std::string systemError(const std::string& what, int error)
{
    return what + " (" + std::strerror(error) + ")";
}

std::string randomSuffix()
{
    static std::mt19937_64 generator{std::random_device{}()};
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(generator()));
    return text;
}

} // namespace

TempFile::~TempFile()
{
    discard();
}

TempFile::TempFile(TempFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)), target_(std::move(other.target_)),
      size_(other.size_), modified_(other.modified_), hasModified_(other.hasModified_)
{
    other.path_.clear();
}

TempFile& TempFile::operator=(TempFile&& other) noexcept
{
    if (this != &other) {
        discard();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        other.path_.clear();
        target_ = std::move(other.target_);
        size_ = other.size_;
        modified_ = other.modified_;
        hasModified_ = other.hasModified_;
    }
    return *this;
}

ArchiveStatus TempFile::create(const std::filesystem::path& target)
{
    discard();
    target_ = target;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::filesystem::path candidate = folder / (".rov2-" + randomSuffix() + ".tmp");
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fd_ = fd;
            path_ = std::move(candidate);
            size_ = 0;
            return ArchiveStatus::success();
        }
        if (errno != EEXIST)
            return ArchiveStatus::failure(systemError(folder.string() + " にファイルを作れません", errno));
    }
    return ArchiveStatus::failure(folder.string() + " に一時ファイルを作れません");
}

ArchiveStatus TempFile::write(std::span<const std::uint8_t> data)
{
    const ArchiveStatus status = writeAt(size_, data);
    if (status)
        size_ += data.size();
    return status;
}

ArchiveStatus TempFile::writeAt(std::uint64_t offset, std::span<const std::uint8_t> data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n =
            ::pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return ArchiveStatus::failure(
                systemError(target_.filename().string() + " を書き込めません", errno));
        done += static_cast<std::size_t>(n);
    }
    return ArchiveStatus::success();
}

ArchiveStatus TempFile::truncate(std::uint64_t size)
{
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0)
        return ArchiveStatus::failure(systemError(target_.filename().string() + " を書き込めません", errno));
    size_ = size;
    return ArchiveStatus::success();
}

ArchiveStatus TempFile::commit()
{
    if (fd_ < 0)
        return ArchiveStatus::failure("書き込み中のファイルがありません");
    if (hasModified_) {
        const timespec times[2] = {{0, UTIME_OMIT}, {modified_, 0}};
        ::futimens(fd_, times);
    }
    if (::fsync(fd_) != 0 || ::close(std::exchange(fd_, -1)) != 0)
        return ArchiveStatus::failure(systemError(target_.filename().string() + " を書き込めません", errno));
    if (::rename(path_.c_str(), target_.c_str()) != 0)
        return ArchiveStatus::failure(systemError(target_.string() + " を置き換えられません", errno));
    path_.clear();
    return ArchiveStatus::success();
}

void TempFile::discard()
{
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
    if (!path_.empty()) {
        ::unlink(path_.c_str());
        path_.clear();
    }
}

} // namespace rov2::archive
