// rov2-import OLD.mdb NEW.mdb [CODEPAGE]: builds a new data file of this
// program from a data file of the Windows version (or an SQLite data file),
// for shops moving many files at once. CODEPAGE is that of Jet 3 text (CP932).
#include "ConvertImport.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 || args.size() > 4) {
        std::fprintf(stderr, "usage: rov2-import OLD.mdb NEW.mdb [CODEPAGE]\n");
        return 2;
    }
    rov2::SourceOptions options;
    if (args.size() == 4)
        options.jet3CodePage = args.at(3);
    const rov2::ImportReport report = rov2::importDataFile(args.at(1), args.at(2), options);
    if (!report.ok) {
        std::fprintf(stderr, "rov2-import: %s\n", qPrintable(report.error));
        return 1;
    }
    for (const QString& line : rov2::importReportLines(report))
        std::printf("%s\n", qPrintable(line));
    // Rows left out are not a failure of the tool, but a script moving many files must see them.
    return report.problemCount() > 0 ? 3 : 0;
}
