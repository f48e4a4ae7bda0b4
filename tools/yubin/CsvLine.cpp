#include "CsvLine.h"

namespace rov2::yubin {
namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kComma = u',';

/// Reads the quoted field starting at @p i (on its opening quote) into @p field
/// and leaves @p i after the closing quote. @return false when it never closes.
bool readQuoted(const QString& line, qsizetype& i, QString& field)
{
    for (++i; i < line.size(); ++i) {
        if (line.at(i) != kQuote) {
            field += line.at(i);
            continue;
        }
        if (i + 1 < line.size() && line.at(i + 1) == kQuote) {
            field += kQuote;
            ++i;
            continue;
        }
        ++i;
        return true;
    }
    return false;
}

} // namespace

std::optional<QStringList> splitCsvLine(const QString& line)
{
    QStringList fields;
    qsizetype i = 0;
    while (true) {
        QString field;
        if (i < line.size() && line.at(i) == kQuote) {
            if (!readQuoted(line, i, field))
                return std::nullopt;
            if (i < line.size() && line.at(i) != kComma)
                return std::nullopt;
        } else {
            const qsizetype end = line.indexOf(kComma, i);
            field = line.mid(i, end < 0 ? -1 : end - i);
            i = end < 0 ? line.size() : end;
        }
        fields << field;
        if (i >= line.size())
            return fields;
        ++i; // the comma
    }
}

} // namespace rov2::yubin
