// A CSV file from a spreadsheet or another program: its encoding is guessed,
// its text decoded and split into rows, as the import reads it.
#include "CsvEncoding.h"
#include "CsvReader.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdint>
#include <cstdlib>

using namespace rov2;

namespace {

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

void checkDecoding(const QByteArray& bytes)
{
    for (const CsvEncoding e : {CsvEncoding::Cp932, CsvEncoding::Utf8Bom, CsvEncoding::Utf8}) {
        qint64 bad = -1;
        const auto text = decodeText(bytes, e, &bad);
        if (!text && e == CsvEncoding::Cp932 && (bad < 0 || bad > bytes.size()))
            std::abort();
        // What was read from a CP932 file can be written back to one.
        if (text && e == CsvEncoding::Cp932 && !encodeCp932(*text))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool silenced = (qInstallMessageHandler(quiet), true);
    (void)silenced;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CsvReadError error = CsvReadError::CannotOpen;
    const auto table = readCsvBytes(bytes, &error);
    if (table.has_value() != (error == CsvReadError::None))
        std::abort();
    // Bytes taken for UTF-8 without a mark were checked to be UTF-8.
    if (detectEncoding(bytes) == CsvEncoding::Utf8 && error == CsvReadError::BadEncoding)
        std::abort();
    checkDecoding(bytes);
    return 0;
}
