#pragma once

#include "BackupJob.h"
#include "BackupMedia.h"
#include "ScriptedDialogs.h"
#include "TempData.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>
#include <set>

namespace rov2::test {

/// A drive whose disks are folders: the drive path is a link to the disk
/// "inserted" now, and no link at all when the drive is empty.
class DiskDrive
{
public:
    DiskDrive();
    QString path() const { return root_.filePath(QStringLiteral("drive")); }
    QString disk(const QString& label) const; ///< the folder of a disk (made on first use)
    void insert(const QString& label);
    void eject();
    /// Names of the files in a disk's root.
    QStringList files(const QString& label) const;

private:
    QTemporaryDir root_;
};

/// Scripted dialogs that also run an action when a message's text contains
/// a phrase (a user swapping disks between prompts).
class DiskDialogs : public ScriptedDialogs
{
public:
    /// When a message containing @p phrase is shown, run @p action before it is answered.
    DiskDialogs& on(const QString& phrase, std::function<void()> action);
    MsgAnswer message(QWidget* owner, const MessageRequest& r) override;
    /// The texts of all messages, in order.
    QStringList texts() const;
    bool saw(const QString& phrase) const;

private:
    std::vector<std::pair<QString, std::function<void()>>> actions_;
};

/// A floppy-sized medium: 1,457,664 bytes less what the disk holds.
class FloppyWriter : public MediaWriter
{
public:
    qint64 bytesAvailable(const QString& folder) const override;
};

/// What a failing medium does with the bytes past its limit.
enum class Fault {
    Refused, ///< the write fails, as on a full or pulled medium
    Dropped, ///< claimed and not kept, as a lying device does
    Garbled, ///< kept, as many as were written, but not the same
};

/// Files that fail after @p limit bytes in the way @p fault says; only for
/// files in the folder @p under (canonical; everything when empty).
class FailingWriter : public FloppyWriter
{
public:
    FailingWriter(qint64 limit, QString under = {}, Fault fault = Fault::Refused);
    std::unique_ptr<QFile> create(const QString& path, QString* error) override;

private:
    qint64 limit_;
    QString under_;
    Fault fault_;
};

/// Refuses to create anything under the folders in @p protectedFolders
/// (a write-protected disk); tests run as root, so permissions cannot.
class ProtectedWriter : public FloppyWriter
{
public:
    std::set<QString> protectedFolders;
    std::unique_ptr<QFile> create(const QString& path, QString* error) override;
};

QByteArray readAll(const QString& path);
void writeAll(const QString& path, const QByteArray& bytes);

/// Adds @p bytes of incompressible data to a data file (an extra table,
/// which the program ignores), so that its archive needs several disks.
void padDataFile(const QString& path, int bytes);
/// Puts one customer of that name into the data file.
void addCustomer(const QString& path, const QString& name);
/// The customer names of a data file, sorted.
QStringList customers(const QString& path);

/// A job on the temporary data folder with scripted dialogs.
BackupJob jobFor(const TempData& data, Dialogs& dialogs, std::shared_ptr<MediaWriter> writer = {});

/// Names in a folder, hidden ones included.
QStringList listing(const QString& folder);

} // namespace rov2::test
