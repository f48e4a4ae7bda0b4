#include "BenchFiles.h"

#include "SampleData.h"
#include "Layout.h"
#include "SuppliedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace rov2::bench {

QString sampleDataFile(qint64 customers)
{
    // The layout version is in the name: a file left by an older build is not taken for a current one.
    const QString path = QDir::tempPath() + QStringLiteral("/rov2-bench-%1-v%2.mdb").arg(customers).arg(kLayoutVersion);
    if (QFileInfo::exists(path))
        return path;
    std::printf("making %s (%lld customers) ...\n", qPrintable(path), static_cast<long long>(customers));
    std::fflush(stdout);
    QString error;
    if (!writeSampleDataFile(path, customers, &error))
        std::fprintf(stderr, "cannot make the sample file: %s\n", qPrintable(error));
    return path;
}

QString freshWorkFile()
{
    const QString path = QDir::tempPath() + QStringLiteral("/rov2-bench-work.mdb");
    QFile::remove(path);
    createSuppliedWorkFile(path);
    return path;
}

} // namespace rov2::bench
