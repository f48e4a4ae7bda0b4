#pragma once

#include <QtGlobal>

namespace rov2::test {

/// Limits the size of every file this process writes (RLIMIT_FSIZE) while it
/// lives: writes past @p bytes fail as on a full disk, for the real QSaveFile
/// and everything else too, even for root. SIGXFSZ is ignored meanwhile.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    quint64 softLimit_ = 0;
    void (*previousHandler_)(int) = nullptr;
};

} // namespace rov2::test
