#include "CsvReader.h"

#include "VCardReader.h"

#include <QFile>
#include <QtDebug>
#include <algorithm>
#include <csv.h>
#include <memory>

namespace rov2 {
namespace {

struct ParserFree
{
    void operator()(csv_parser* p) const
    {
        csv_free(p);
        delete p;
    }
};

struct Collector
{
    std::vector<QStringList> rows;
    QStringList current;
};

void onField(void* data, size_t length, void* sink)
{
    auto* c = static_cast<Collector*>(sink);
    c->current << QString::fromUtf8(static_cast<const char*>(data), static_cast<qsizetype>(length));
}

void onRowEnd(int, void* sink)
{
    auto* c = static_cast<Collector*>(sink);
    const qsizetype width = c->current.size();
    c->rows.push_back(std::move(c->current));
    c->current = {};
    c->current.reserve(width); // the rows of a file are mostly as wide as the one before
}

void setError(CsvReadError* error, CsvReadError e)
{
    if (error)
        *error = e;
}

// libcsv works on bytes; UTF-8 never uses the bytes of '"', ',', CR or LF
// inside a character, so the text is split as UTF-8.
std::optional<std::vector<QStringList>> parseUtf8(QByteArrayView bytes)
{
    std::unique_ptr<csv_parser, ParserFree> parser(new csv_parser);
    // Strict: a quote that never closes, or one inside a plain field, makes
    // the file unreadable rather than silently shifting the columns of every
    // row after it. Blanks around a field are kept: what the cell holds is stored.
    if (csv_init(parser.get(), CSV_STRICT | CSV_STRICT_FINI) != 0)
        return std::nullopt;
    csv_set_space_func(parser.get(), [](unsigned char) { return 0; });
    Collector collector;
    if (csv_parse(parser.get(), bytes.data(), static_cast<size_t>(bytes.size()), onField, onRowEnd,
                  &collector) != static_cast<size_t>(bytes.size()) ||
        csv_fini(parser.get(), onField, onRowEnd, &collector) != 0) {
        qWarning("CSV text not readable: %s", csv_strerror(csv_error(parser.get())));
        return std::nullopt;
    }
    return std::move(collector.rows);
}

// The text of a file in UTF-8, as decodeText reads it. A UTF-8 file's own
// bytes, not decoded whole and encoded again: without the byte-order mark of
// a Utf8Bom file and the one more that the decoder drops behind it.
std::optional<QByteArray> utf8Text(const QByteArray& bytes, CsvEncoding e)
{
    if (e == CsvEncoding::Cp932) {
        const auto text = decodeText(bytes, e);
        return text ? std::optional<QByteArray>(text->toUtf8()) : std::nullopt;
    }
    QByteArrayView text(bytes);
    for (int marks = e == CsvEncoding::Utf8Bom ? 2 : 0; marks > 0 && text.startsWith("\xEF\xBB\xBF"); --marks)
        text = text.sliced(3);
    if (!text.isValidUtf8())
        return std::nullopt;
    return QByteArray::fromRawData(text.data(), text.size()); // lives as long as bytes
}

} // namespace

qsizetype widestRow(const CsvTable& table)
{
    qsizetype n = 0;
    for (const QStringList& r : table.rows)
        n = std::max(n, r.size());
    return n;
}

std::optional<std::vector<QStringList>> parseCsv(const QString& text)
{
    return parseUtf8(text.toUtf8());
}

std::optional<CsvTable> readCsvBytes(const QByteArray& bytes, CsvReadError* error)
{
    if (looksLikeVCard(bytes))
        return readVCardBytes(bytes, error);
    CsvTable table;
    table.encoding = detectEncoding(bytes);
    const auto text = utf8Text(bytes, table.encoding);
    if (!text) {
        setError(error, CsvReadError::BadEncoding);
        return std::nullopt;
    }
    auto rows = parseUtf8(*text);
    if (!rows) {
        setError(error, CsvReadError::BadFormat);
        return std::nullopt;
    }
    table.rows = std::move(*rows);
    setError(error, CsvReadError::None);
    return table;
}

std::optional<CsvTable> readCsvFile(const QString& path, CsvReadError* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning() << "cannot open" << path << f.errorString();
        setError(error, CsvReadError::CannotOpen);
        return std::nullopt;
    }
    return readCsvBytes(f.readAll(), error);
}

} // namespace rov2
