#include "ArchiveSource.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <lhasa.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rov2::archive {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;

using FileStatus = struct stat;

} // namespace

ArchiveSource::~ArchiveSource()
{
    if (fd_ >= 0)
        ::close(fd_);
}

ArchiveStatus ArchiveSource::open(const std::filesystem::path& archive)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = ::open(archive.c_str(), O_RDONLY | O_CLOEXEC);
    FileStatus info{};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return ArchiveStatus::failure(archive.string() + " を開けません (" + std::strerror(errno) + ")");
    if (!S_ISREG(info.st_mode))
        return ArchiveStatus::failure(archive.string() + " は通常のファイルではありません");
    size_ = static_cast<std::uint64_t>(info.st_size);
    buffer_.resize(kBufferSize);
    return ArchiveStatus::success();
}

LHAInputStream* ArchiveSource::newStream()
{
    // No close callback: the descriptor belongs to this object, which reads
    // the archive twice (once to check it, once to extract).
    static const LHAInputStreamType type = {&ArchiveSource::readCallback, &ArchiveSource::skipCallback,
                                            nullptr};
    position_ = 0;
    bufferLength_ = 0;
    return lha_input_stream_new(&type, this);
}

std::optional<std::uint8_t> ArchiveSource::byteAt(std::uint64_t offset) const
{
    std::uint8_t byte = 0;
    if (offset >= size_ || ::pread(fd_, &byte, 1, static_cast<off_t>(offset)) != 1)
        return std::nullopt;
    return byte;
}

std::size_t ArchiveSource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    std::size_t done = 0;
    while (done < out.size() && offset + done < size_) {
        const ssize_t n =
            ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

int ArchiveSource::readCallback(void* handle, void* buf, std::size_t length)
{
    return static_cast<ArchiveSource*>(handle)->read(static_cast<std::uint8_t*>(buf), length);
}

int ArchiveSource::skipCallback(void* handle, std::size_t bytes)
{
    auto* self = static_cast<ArchiveSource*>(handle);
    if (bytes > self->size_ - self->position_)
        return 0;
    self->position_ += bytes;
    return 1;
}

int ArchiveSource::read(std::uint8_t* out, std::size_t length)
{
    if (length == 0)
        return 0;
    length = std::min<std::size_t>(length, INT_MAX);
    std::size_t done = 0;
    while (done < length && position_ < size_) {
        if ((position_ < bufferStart_ || position_ >= bufferStart_ + bufferLength_) && !refill())
            return -1;
        const std::size_t offset = static_cast<std::size_t>(position_ - bufferStart_);
        const std::size_t n = std::min(length - done, bufferLength_ - offset);
        std::memcpy(out + done, buffer_.data() + offset, n);
        done += n;
        position_ += n;
    }
    return done == 0 ? -1 : static_cast<int>(done);
}

bool ArchiveSource::refill()
{
    for (;;) {
        const ssize_t n = ::pread(fd_, buffer_.data(), buffer_.size(), static_cast<off_t>(position_));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bufferStart_ = position_;
        bufferLength_ = static_cast<std::size_t>(n);
        return true;
    }
}

} // namespace rov2::archive
