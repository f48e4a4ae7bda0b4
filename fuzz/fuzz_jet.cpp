// A data file of the Windows programs, offered for conversion: opened, every
// table read through, and checked whole, as the import does.
#include "JetFile.h"

#include <QFile>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

using namespace rov2::jet;

namespace {

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

// libmdb opens files by name, so each input goes to a file of this process
// for as long as it is read.
const QString& inputPath()
{
    static const QString path =
        QStringLiteral("%1/rov2-fuzz-jet-%2.mdb")
            .arg(QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm")
                                                           : QStringLiteral("/tmp"))
            .arg(::getpid());
    return path;
}

void writeInput(const std::uint8_t* data, std::size_t size)
{
    QFile f(inputPath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        std::abort();
}

void readTables(JetFile& file)
{
    for (const QString& name : file.tableNames()) {
        auto table = file.openTable(name);
        if (!table)
            continue;
        while (table->next())
            (void)table->row();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool silenced = (qInstallMessageHandler(quiet), true);
    (void)silenced;
    writeInput(data, size);
    if (auto file = JetFile::open(inputPath())) {
        readTables(*file);
        (void)file->readsWhole();
    }
    QFile::remove(inputPath());
    return 0;
}
