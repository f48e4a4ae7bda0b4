#include "Startup.h"

#include "DailyCopy.h"
#include "Database.h"
#include "JapaneseDate.h"
#include "Messages.h"
#include "Recordset.h"
#include "StagingFolder.h"
#include "SuppliedFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <QtDebug>

#ifndef ROV2_INSTALLED_POSTAL_FILE
#define ROV2_INSTALLED_POSTAL_FILE "../share/vavaruv/yubin.mdb"
#endif

namespace rov2 {
namespace {

QString withSlash(QString folder)
{
    folder = QDir::fromNativeSeparators(folder);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QVariant textOrNull(const QVariant& v) { return v.isNull() ? QVariant() : QVariant(v.toString()); }

// The day's first start keeps the data file as it was before anything (a
// layout upgrade, the user's typing) changes it. A failure is told, and the
// program goes on: the copy is a safety net, not a condition of work.
QString copyOfTheDay(const QString& dataFile)
{
    const DailyCopyResult copy = takeDailyCopy(dataFile, Clock::today());
    if (copy.outcome != DailyCopyOutcome::Failed)
        return {};
    return QStringLiteral("今日の自動保存を作れませんでした。\n%1\n"
                          "データはこのまま使えます。保守画面のデータ保守で、データを保存しておいてください。")
        .arg(copy.failure);
}

} // namespace

DevelopmentPaths developmentPaths()
{
#ifdef Q_OS_WIN
    const QString c = QStringLiteral("c:/");
#else
    const QString c = withSlash(QDir::homePath());
#endif
    return {c + QStringLiteral("qendevelop.txt"), c + QStringLiteral("develop2/vt/rov2/data/"),
            c + QStringLiteral("develop/vt/yubin/yubin.mdb")};
}

DataEnv ReadDataEnv(const QString& workFile)
{
    DataEnv out;
    auto db = Database::open(workFile);
    if (!db)
        return out;
    Recordset rs = db->openDynaset(QStringLiteral("管理"));
    if (!rs.isOpen() || rs.eof())
        return out;
    out.dataPath = textOrNull(rs.field(QStringLiteral("DataPath")));
    out.yubinPath = textOrNull(rs.field(QStringLiteral("YubinPath")));
    return out;
}

bool canWriteFolder(const QString& folder)
{
    const QFileInfo target(QDir::cleanPath(folder));
    return target.exists() ? target.isWritable() : QFileInfo(target.path()).isWritable();
}

HomeFolders homeFolders(const QString& programFolder, bool besideWritable, const QString& xdgDataHome,
                        const QString& homePath)
{
    if (besideWritable) {
        const QString beside = withSlash(programFolder) + QStringLiteral("data/");
        return {beside, beside + QStringLiteral("yubin.mdb")};
    }
    // XDG_DATA_HOME counts only as an absolute path; a relative one is ignored.
    const QString dataHome = QDir::isAbsolutePath(xdgDataHome) ? withSlash(xdgDataHome)
                                                               : withSlash(homePath) + QStringLiteral(".local/share/");
    return {dataHome + QStringLiteral("VAVⅡaruv/data/"),
            QDir::cleanPath(withSlash(programFolder) + QStringLiteral(ROV2_INSTALLED_POSTAL_FILE))};
}

Locations resolveLocations(const HomeFolders& home, bool developmentMode, const DevelopmentPaths& dev,
                           const DataEnv& overrides)
{
    Locations l;
    l.dataFolder = withSlash(developmentMode ? dev.dataFolder : home.dataFolder);
    l.postalFile = developmentMode ? dev.postalFile : home.postalFile;
    l.workFile = l.dataFolder + QStringLiteral("Rov2Work.mdb");
    l.defaultDataFile = l.dataFolder + QStringLiteral("Rov2Data.mdb");
    l.dataFile = overrides.dataPath.isNull() ? l.defaultDataFile : overrides.dataPath.toString();
    if (!overrides.yubinPath.isNull())
        l.postalFile = overrides.yubinPath.toString();
    return l;
}

Locations resolveLocations(const QString& programFolder, bool developmentMode, const DevelopmentPaths& dev,
                           const DataEnv& overrides)
{
    return resolveLocations(homeFolders(programFolder, true, {}, {}), developmentMode, dev, overrides);
}

void ensureSuppliedFiles(const Locations& l)
{
    if (!QDir().mkpath(l.dataFolder)) {
        qWarning().noquote() << "start-up: cannot make the data folder" << l.dataFolder;
        return;
    }
    // Only a first start (neither file there) gets a new data file: a data
    // file that has gone missing beside an existing work file was moved or
    // lost, and an empty one in its place would take the user's typing.
    const bool firstStart = !QFileInfo::exists(l.workFile) && !QFileInfo::exists(l.defaultDataFile);
    QString error;
    if (!QFileInfo::exists(l.workFile) && !createSuppliedWorkFile(l.workFile, &error))
        qWarning().noquote() << "start-up: cannot create the work file:" << error;
    if (firstStart && !createSuppliedDataFile(l.defaultDataFile, &error))
        qWarning().noquote() << "start-up: cannot create the data file:" << error;
}

std::optional<QString> startupNotice(const Locations& l)
{
    QStringList lines;
    const auto describe = [&lines](const QString& what, const QString& path, FileKind kind) {
        switch (checkFile(path, kind)) {
        case FileState::Missing: lines << QStringLiteral("%1（%2）がありません。").arg(what, QDir::toNativeSeparators(path)); break;
        case FileState::NotOurs:
            lines << QStringLiteral("%1（%2）はこのプログラムのファイルではないか、壊れています。")
                         .arg(what, QDir::toNativeSeparators(path));
            break;
        case FileState::Ok: break;
        }
    };
    describe(QStringLiteral("データファイル"), l.dataFile, FileKind::Data);
    describe(QStringLiteral("作業ファイル"), l.workFile, FileKind::Work);
    if (lines.isEmpty())
        return std::nullopt;
    lines << QStringLiteral("保守画面のデータの場所を確認してください。");
    return lines.join(QLatin1Char('\n'));
}

ProgramStart startProgram(const QString& programFolder, const FolderProbe& canWrite)
{
    const DevelopmentPaths dev = developmentPaths();
    const bool development = QFileInfo::exists(dev.marker);
    const HomeFolders home = homeFolders(programFolder, canWrite(withSlash(programFolder) + QStringLiteral("data/")),
                                         qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
    // The work file lies in the data folder whatever 管理 says, so it can be
    // made before it is read; the default data file likewise.
    const Locations defaults = resolveLocations(home, development, dev, {});
    if (!QDir().mkpath(defaults.dataFolder))
        qWarning().noquote() << "start-up: cannot make the data folder" << defaults.dataFolder;

    // Two copies on one data folder would share the work tables and overwrite
    // each other's family rows: the second one stops before touching a file.
    const QString lockFile = defaults.dataFolder + QString::fromUtf16(kLockFileName);
    auto lock = std::make_unique<InstanceLock>(lockFile);
    switch (lock->state()) {
    case InstanceLock::State::HeldElsewhere:
        return {StartOutcome::AlreadyRunning, nullptr, lockFile, {}};
    case InstanceLock::State::Unusable:
        return {StartOutcome::LockUnusable, nullptr, lockFile, {}};
    case InstanceLock::State::Held:
        break;
    }
    removeStaleStaging(defaults.dataFolder);
    ensureSuppliedFiles(defaults);
    env().locations = resolveLocations(home, development, dev, ReadDataEnv(defaults.workFile));
    return {StartOutcome::Ready, std::move(lock), lockFile, copyOfTheDay(env().locations.dataFile)};
}

void tellAfterShown(QWidget* window, const QStringList& notices)
{
    for (const QString& text : notices)
        QTimer::singleShot(0, window, [text] {
            ShowMessage(MsgOp::その他, MsgKind::メッセージ, text);
        });
}

QString lockUnusableNotice(const QString& lockFile)
{
    const QString name = QDir::toNativeSeparators(lockFile);
    if (QFileInfo(lockFile).isDir())
        return QStringLiteral("起動の確認に使うファイル（%1）と同じ名前のフォルダがあります。"
                              "このフォルダを別の場所へ移すか名前を変えてから、もう一度起動してください。")
            .arg(name);
    return QStringLiteral("起動の確認に使うファイル（%1）を開けません。"
                          "データのフォルダに書き込めるか確認してから、もう一度起動してください。")
        .arg(name);
}

} // namespace rov2
