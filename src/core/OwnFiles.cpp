#include "OwnFiles.h"

#include "Dialogs.h"
#include "Locations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <filesystem>
#include <system_error>

namespace rov2 {
namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kFolderCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kFolderCase = Qt::CaseSensitive;
#endif

/// The journals SQLite keeps beside a database; overwriting one spoils the database.
constexpr std::array<QStringView, 3> kJournalSuffixes{u"-journal", u"-wal", u"-shm"};

/// A path as the file system resolves it for a write: symbolic links
/// followed to their end (which may be missing), the folder canonical.
struct Resolved
{
    QString folder;
    QString name;
    QString path; ///< folder + '/' + name
};

Resolved resolve(const QString& path)
{
    QFileInfo fi(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    // A link to a link is followed too; a loop ends after as many hops as the system allows.
    for (int hops = 0; fi.isSymLink() && hops < 40; ++hops) {
        const QString target = fi.symLinkTarget();
        if (target.isEmpty())
            break;
        fi = QFileInfo(QDir::cleanPath(target));
    }
    const QString folder = QFileInfo(fi.absolutePath()).canonicalFilePath();
    Resolved r;
    r.folder = folder.isEmpty() ? QDir::cleanPath(fi.absolutePath()) : folder;
    r.name = fi.fileName();
    r.path = QDir(r.folder).filePath(r.name);
    return r;
}

bool sameFolder(const Resolved& a, const Resolved& b)
{
    return a.folder.compare(b.folder, kFolderCase) == 0;
}

/// The same file by name (case aside), or the same file on disk (hard links, bind mounts).
bool sameFile(const Resolved& target, const Resolved& own)
{
    if (sameFolder(target, own) && target.name.compare(own.name, Qt::CaseInsensitive) == 0)
        return true;
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(target.path).toStdString()),
                                       std::filesystem::path(QFile::encodeName(own.path).toStdString()),
                                       error) &&
           !error;
}

bool journalOf(const Resolved& target, const Resolved& own)
{
    if (!sameFolder(target, own))
        return false;
    for (QStringView suffix : kJournalSuffixes)
        if (target.name.compare(own.name + suffix.toString(), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString describe(OwnFile which)
{
    switch (which) {
    case OwnFile::DataFile:
        return QStringLiteral("データファイル");
    case OwnFile::WorkFile:
        return QStringLiteral("作業ファイル");
    case OwnFile::PostalFile:
        return QStringLiteral("郵便番号辞書");
    case OwnFile::LockFile:
        return QStringLiteral("ロックファイル");
    case OwnFile::None:
        break;
    }
    return {};
}

} // namespace

OwnFiles ownFiles(const Locations& at)
{
    OwnFiles own;
    own.dataFile = at.dataFile;
    own.defaultDataFile = at.defaultDataFile;
    own.workFile = at.workFile;
    own.postalFile = at.postalFile;
    if (!at.dataFolder.isEmpty())
        own.lockFile = QDir(at.dataFolder).filePath(QString::fromUtf16(kLockFileName));
    return own;
}

OwnFile ownFileAt(const QString& target, const OwnFiles& own)
{
    if (target.isEmpty())
        return OwnFile::None;
    const Resolved t = resolve(target);
    const std::array<std::pair<const QString*, OwnFile>, 5> files{{
        {&own.dataFile, OwnFile::DataFile},
        {&own.defaultDataFile, OwnFile::DataFile},
        {&own.workFile, OwnFile::WorkFile},
        {&own.postalFile, OwnFile::PostalFile},
        {&own.lockFile, OwnFile::LockFile},
    }};
    for (const auto& [path, which] : files) {
        if (path->isEmpty())
            continue;
        const Resolved o = resolve(*path);
        if (sameFile(t, o) || (which != OwnFile::LockFile && journalOf(t, o)))
            return which;
    }
    return OwnFile::None;
}

QString ownFileRefusal(const QString& target, OwnFile which)
{
    return QStringLiteral("%1\nは VAVⅡaruv が使用中の%2です。このファイルには保存できません。\n"
                          "別の名前か場所を指定してください。")
        .arg(QDir::toNativeSeparators(target), describe(which));
}

bool mayWriteUserFiles(QWidget* owner, const QString& title, const QStringList& targets, const OwnFiles& own,
                       Dialogs& dialogs)
{
    QStringList existing;
    for (const QString& target : targets) {
        if (target.isEmpty())
            continue;
        if (const OwnFile which = ownFileAt(target, own); which != OwnFile::None) {
            dialogs.message(owner, MessageRequest{title, ownFileRefusal(target, which), MsgButtons::Ok,
                                                  MsgIcon::Exclamation, false});
            return false;
        }
        // A link whose file is missing still names a file that the write would make.
        const QFileInfo fi(target);
        if (fi.exists() || fi.isSymLink())
            existing << QDir::toNativeSeparators(target);
    }
    if (existing.isEmpty())
        return true;
    const MessageRequest ask{
        title, existing.join(QLatin1Char('\n')) + QStringLiteral("\nは既にあります。置き換えますか？"),
        MsgButtons::YesNo, MsgIcon::Question, true};
    return dialogs.message(owner, ask) == MsgAnswer::Yes;
}

} // namespace rov2
