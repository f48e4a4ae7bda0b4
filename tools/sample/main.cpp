// rov2-sample OUT.mdb N: writes a data file of N made-up customers, for
// demonstrations and benchmarks.
#include "SampleData.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = false;
    const qint64 n = args.size() == 3 ? args.at(2).toLongLong(&ok) : 0;
    if (!ok || n < 0) {
        std::fprintf(stderr, "usage: rov2-sample OUT.mdb N\n");
        return 2;
    }
    QElapsedTimer t;
    t.start();
    QString error;
    const auto counts = rov2::writeSampleDataFile(args.at(1), n, &error);
    if (!counts) {
        std::fprintf(stderr, "rov2-sample: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%lld customers, %lld family rows written to %s in %.1f s\n", static_cast<long long>(counts->customers),
                static_cast<long long>(counts->familyRows), qPrintable(args.at(1)), t.elapsed() / 1000.0);
    return 0;
}
