#include "BenchFiles.h"

#include "SampleData.h"
#include "Layout.h"
#include "SuppliedFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
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

double bestOf(int runs, const std::function<bool()>& f)
{
    double best = 1e18;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        if (!f())
            return -1;
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace rov2::bench
