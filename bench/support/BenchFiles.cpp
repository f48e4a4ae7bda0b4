#include "BenchFiles.h"

#include "SampleData.h"
#include "SuppliedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace rov2::bench {

QString sampleDataFile(qint64 customers)
{
    const QString path = QDir::tempPath() + QStringLiteral("/rov2-bench-%1.mdb").arg(customers);
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
