#include "PostcardText.h"

#include <QStringList>

namespace rov2::report {
namespace {

/// A full-width digit as its ASCII digit; anything else unchanged.
QChar halfWidthDigit(QChar c)
{
    if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
        return QChar(c.unicode() - 0xFF10 + '0');
    return c;
}

bool isDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QChar(0xFF10) && c <= QChar(0xFF19));
}

bool isHyphen(QChar c)
{
    static const QString hyphens = QStringLiteral("-－‐‑−–—―");
    return hyphens.contains(c);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x3000);
}

/// A hyphen, or a long-vowel mark typed between two numbers in its place.
bool isNumberDash(const QString& text, qsizetype i)
{
    const QChar c = text[i];
    if (isHyphen(c))
        return true;
    const bool betweenDigits = i > 0 && i + 1 < text.size() && isDigit(text[i - 1]) && isDigit(text[i + 1]);
    return betweenDigits && (c == QChar(0x30FC) || c == QChar(0xFF70));
}

QString halfWidthDigits(QString text)
{
    for (QChar& c : text)
        c = halfWidthDigit(c);
    return text;
}

/// Runs of three or more digits stand upright, one full-width digit to an em.
QString uprightLongNumbers(const QString& text)
{
    QString out = text;
    qsizetype i = 0;
    while (i < out.size()) {
        qsizetype end = i;
        while (end < out.size() && isDigit(out[end]))
            ++end;
        if (end - i >= 3)
            for (qsizetype j = i; j < end; ++j)
                out[j] = QChar(out[j].unicode() - '0' + 0xFF10);
        i = end > i ? end : i + 1;
    }
    return out;
}

} // namespace

std::optional<QString> frameDigits(const QString& postalCode)
{
    QString code = halfWidthDigits(postalCode.trimmed());
    if (code.startsWith(QChar(0x3012)))
        code = code.mid(1).trimmed();
    for (qsizetype i = 0; i < code.size(); ++i)
        if (isHyphen(code[i])) {
            code.remove(i, 1);
            break;
        }
    if (code.size() != 7)
        return std::nullopt;
    for (QChar c : code)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return code;
}

QString kanjiNumerals(const QString& text)
{
    static const QString numerals = QStringLiteral("〇一二三四五六七八九");
    const QString digits = halfWidthDigits(text);
    QString out = digits;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (digits[i] >= QLatin1Char('0') && digits[i] <= QLatin1Char('9'))
            out[i] = numerals[digits[i].unicode() - '0'];
        else if (isNumberDash(digits, i))
            out[i] = QChar(0x2015);
    }
    return out;
}

QString verticalForm(const QString& text, bool kanji)
{
    QString out = kanji ? kanjiNumerals(text) : uprightLongNumbers(halfWidthDigits(text));
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (isNumberDash(out, i))
            out[i] = QChar(0x2015);
        else if (c == QLatin1Char(' '))
            out[i] = QChar(0x3000);
        else if (c > QLatin1Char(' ') && c < QChar(0x7F) && !isDigit(c))
            out[i] = QChar(c.unicode() + 0xFEE0);
    }
    return out;
}

NameParts splitName(const QString& name)
{
    const QString trimmed = name.trimmed();
    for (qsizetype i = 0; i < trimmed.size(); ++i)
        if (isBlank(trimmed[i]))
            return {trimmed.left(i), trimmed.mid(i + 1).trimmed()};
    return {trimmed, {}};
}

QStringList splitAddress(const QString& address, int room)
{
    const QString text = address.trimmed();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (isBlank(text[i]))
            return {text.left(i), text.mid(i + 1).trimmed()};
    if (text.size() <= room || room < 1)
        return {text};
    qsizetype cut = room;
    for (qsizetype i = 3; i < room; ++i)
        if (isDigit(text[i])) {
            cut = i;
            break;
        }
    return {text.left(cut), text.mid(cut)};
}

} // namespace rov2::report
