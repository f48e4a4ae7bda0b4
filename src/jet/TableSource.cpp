#include "TableSource.h"

#include "JetFile.h"
#include "JetTableSource.h"
#include "SqliteTableSource.h"

#include <QFile>
#include <QFileInfo>

namespace rov2 {

SourceKind sniffSourceKind(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return SourceKind::Missing;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return SourceKind::Unknown;
    const QByteArray head = f.read(32);
    if (jet::isJetHeader(head))
        return SourceKind::Jet;
    if (head.startsWith(QByteArray("SQLite format 3\0", 16)))
        return SourceKind::Sqlite;
    return SourceKind::Unknown;
}

QString TableSource::findTable(const QString& name) const
{
    for (const QString& t : tableNames())
        if (t.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    return {};
}

std::unique_ptr<TableSource> openTableSource(const QString& path, const SourceOptions& options, QString* error,
                                             SourceKind* kind)
{
    const SourceKind k = sniffSourceKind(path);
    if (kind)
        *kind = k;
    switch (k) {
    case SourceKind::Jet: return JetTableSource::open(path, options, error);
    case SourceKind::Sqlite: return SqliteTableSource::open(path, error);
    case SourceKind::Missing:
        if (error)
            *error = QStringLiteral("%1: no such file").arg(path);
        return nullptr;
    case SourceKind::Unknown: break;
    }
    if (error)
        *error = QStringLiteral("%1: neither a Jet nor an SQLite database file").arg(path);
    return nullptr;
}

} // namespace rov2
