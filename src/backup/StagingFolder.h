#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace rov2 {

/// A hidden working folder of ours, ".rov2-<kind>-XXXXXX" in a parent
/// folder, removed with everything in it when the object goes. While it
/// lives the system holds a lock on it for this process, so that a sweep by
/// another copy of the program never takes it for the leftover of a run
/// that was killed.
class StagingFolder
{
public:
    /// Sweeps @p parent with removeStaleStaging() first.
    /// @param kind "backup", "restore", "copy" or "read".
    StagingFolder(const QString& parent, const QString& kind);
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    /// False when the folder could not be made or locked.
    bool isValid() const { return lock_ >= 0; }
    /// Without a trailing '/'.
    QString path() const { return dir_->path(); }
    QString filePath(const QString& name) const { return dir_->filePath(name); }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    int lock_ = -1;
};

/// Removes the staging folders of ours in @p folder, known by their names,
/// that no running copy of the program holds: what a backup or restore
/// killed half-way left behind, each often with a whole copy of the data.
/// A link of such a name is never followed.
/// @return how many were removed.
int removeStaleStaging(const QString& folder);

} // namespace rov2
