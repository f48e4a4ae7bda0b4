#include "CsvWriter.h"

namespace rov2 {
namespace {

bool needsQuotes(const QString& t)
{
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n'))
            return true;
    return t.front().isSpace() || t.back().isSpace();
}

/// True when a spreadsheet would take @p text for a formula once the
/// apostrophes in front of it were gone.
bool formulaBehindApostrophes(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('\''))
        ++i;
    return i < text.size() && QStringView(u"=+-@\t\r").contains(text.at(i));
}

bool formulaBehindApostrophes(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == '\'')
        ++i;
    return i < text.size() && QByteArrayView("=+-@\t\r").contains(text.at(i));
}

// The code point whose UTF-8 sequence starts at @p p (of a valid text).
char32_t codePointAt(const char* p)
{
    const auto lead = static_cast<unsigned char>(*p);
    if (lead < 0x80)
        return lead;
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t c = lead & (0x7Fu >> length);
    for (int i = 1; i < length; ++i)
        c = (c << 6) | (static_cast<unsigned char>(p[i]) & 0x3Fu);
    return c;
}

// QChar::isSpace() of a character of the BMP. No space lies above U+3000,
// where kana, kanji and the full-width forms are: they are told apart
// without the look-up in Unicode's tables.
bool isSpace(char32_t c)
{
    return c <= 0x3000 && QChar::isSpace(c);
}

// QChar::isSpace() of the last character; a character beyond the BMP is a
// surrogate pair there, whose low half is no space.
bool endsWithSpace(QByteArrayView text)
{
    qsizetype i = text.size() - 1;
    while (i > 0 && (static_cast<unsigned char>(text.at(i)) & 0xC0u) == 0x80u)
        --i;
    const char32_t c = codePointAt(text.data() + i);
    return isSpace(c);
}

bool needsQuotes(QByteArrayView text, bool guarded)
{
    if (text.isEmpty())
        return false;
    for (const char c : text)
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    const char32_t first = codePointAt(text.data());
    return (!guarded && isSpace(first)) || endsWithSpace(text);
}

CsvEncodeProblem locate(const QStringList& row, int line)
{
    CsvEncodeProblem p;
    p.line = line;
    for (int f = 0; f < row.size(); ++f) {
        qsizetype bad = -1;
        if (!encodeCp932(row.at(f), &bad)) {
            p.field = f;
            const qsizetype width =
                (row.at(f).at(bad).isHighSurrogate() && bad + 1 < row.at(f).size()) ? 2 : 1;
            p.character = row.at(f).mid(bad, width);
            break;
        }
    }
    return p;
}

} // namespace

QString formulaGuarded(const QString& text)
{
    return formulaBehindApostrophes(text) ? QLatin1Char('\'') + text : text;
}

QString withoutFormulaGuard(const QString& cell)
{
    const bool guarded = cell.startsWith(QLatin1Char('\'')) && formulaBehindApostrophes(cell.mid(1));
    return guarded ? cell.mid(1) : cell;
}

QString csvField(const QString& text)
{
    if (!needsQuotes(text))
        return text;
    QString out = text;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

void appendCsvField(QByteArray& line, QByteArrayView utf8, FormulaCells formulas)
{
    const bool guarded = formulas == FormulaCells::Neutralised && formulaBehindApostrophes(utf8);
    const bool quoted = needsQuotes(utf8, guarded);
    if (quoted)
        line += '"';
    if (guarded)
        line += '\'';
    if (!quoted) {
        line.append(utf8);
        return;
    }
    for (qsizetype from = 0;;) {
        const qsizetype quote = utf8.indexOf('"', from);
        if (quote < 0) {
            line.append(utf8.sliced(from));
            break;
        }
        line.append(utf8.sliced(from, quote + 1 - from));
        line += '"';
        from = quote + 1;
    }
    line += '"';
}

QString csvLine(const QStringList& fields, FormulaCells formulas)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            line += QLatin1Char(',');
        const QString& f = fields.at(i);
        line += csvField(formulas == FormulaCells::Neutralised ? formulaGuarded(f) : f);
    }
    return line + QStringLiteral("\r\n");
}

std::optional<QByteArray> encodeCsv(const std::vector<QStringList>& rows, CsvEncoding encoding,
                                    CsvEncodeProblem* problem, FormulaCells formulas)
{
    if (encoding != CsvEncoding::Cp932) {
        QString text;
        for (const QStringList& r : rows)
            text += csvLine(r, formulas);
        return encodeText(text, encoding);
    }
    // Line by line, so that a character CP932 cannot hold is found in its row.
    QByteArray out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto bytes = encodeCp932(csvLine(rows[i], formulas));
        if (!bytes) {
            if (problem)
                *problem = locate(rows[i], static_cast<int>(i) + 1);
            return std::nullopt;
        }
        out += *bytes;
    }
    return out;
}

} // namespace rov2
