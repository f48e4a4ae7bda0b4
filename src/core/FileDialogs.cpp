#include "FileDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace rov2 {

namespace {

QString qtPatterns(const QString& pattern)
{
    const QStringList parts = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QStringList trimmed;
    for (const QString& p : parts) {
        if (!p.trimmed().isEmpty())
            trimmed << p.trimmed();
    }
    return trimmed.isEmpty() ? QStringLiteral("*") : trimmed.join(QLatin1Char(' '));
}

int selectedIndex(const FileDialogRequest& r, const QStringList& filters)
{
    const int index = r.filterIndex - 1;
    return index >= 0 && index < filters.size() ? index : 0;
}

QString proposedPath(const FileDialogRequest& r)
{
    const QString folder = dialogStartFolder(r.initialFolder);
    if (folder.isEmpty() || r.defaultFileName.isEmpty() || QDir::isAbsolutePath(r.defaultFileName))
        return r.defaultFileName.isEmpty() ? folder : r.defaultFileName;
    return QDir(folder).filePath(r.defaultFileName);
}

} // namespace

QStringList nameFiltersFromFilter(const QString& filter)
{
    QStringList pieces = filter.split(QLatin1Char('|'));
    if (!pieces.isEmpty() && pieces.last().isEmpty())
        pieces.removeLast();
    QStringList filters;
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2)
        filters << pieces.at(i) + QStringLiteral(" (") + qtPatterns(pieces.at(i + 1)) + QLatin1Char(')');
    return filters;
}

QString dialogStartFolder(const QString& initialFolder)
{
#ifdef Q_OS_WIN
    return initialFolder;
#else
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:([\\\\/].*)?$"));
    if (drive.match(initialFolder).hasMatch())
        return QDir::homePath();
    return QString(initialFolder).replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}

qint32 ShowSaveFileDialog(QWidget* owner, FileDialogRequest& r)
{
    const QStringList filters = nameFiltersFromFilter(r.filter);
    const auto chosen =
        dialogs().saveFile(owner, r.dialogTitle, proposedPath(r), filters, selectedIndex(r, filters));
    r.fileTitle.clear();
    r.filePath = chosen ? *chosen : r.defaultFileName;
    return chosen ? 1 : 0;
}

qint32 ShowOpenFileDialog(QWidget* owner, FileDialogRequest& r)
{
    const QStringList filters = nameFiltersFromFilter(r.filter);
    const auto chosen = dialogs().openFile(owner, r.dialogTitle, dialogStartFolder(r.initialFolder), filters,
                                           selectedIndex(r, filters));
    r.fileTitle.clear();
    r.filePath = chosen.value_or(QString());
    return chosen ? 1 : 0;
}

QVariant BrowseFolder()
{
    const auto chosen = dialogs().folder(nullptr, QStringLiteral("フォルダを指定して下さい。"));
    if (!chosen || chosen->isEmpty())
        return {};
    // cleanPath drops a trailing separator but keeps a root as it is.
    return QDir::toNativeSeparators(QDir::cleanPath(*chosen));
}

qint64 GetFileLength(const QString& path)
{
    if (path.isEmpty())
        return -1;
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

} // namespace rov2
