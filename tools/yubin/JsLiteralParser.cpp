#include "JsLiteralParser.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace rov2::yubin {
namespace {

const QString kJsonParse = QStringLiteral("JSON.parse(");

bool isQuote(QChar c)
{
    return c == u'\'' || c == u'"' || c == u'`';
}

/// An "=" that assigns, not one of "==", "=>", "<=", "+=" and the like.
bool isAssignment(const QString& s, qsizetype i)
{
    if (s.at(i) != u'=')
        return false;
    const QChar next = i + 1 < s.size() ? s.at(i + 1) : QChar();
    const QChar prev = i > 0 ? s.at(i - 1) : QChar();
    return next != u'=' && next != u'>' && !QStringLiteral("=!<>+-*/%&|^?").contains(prev);
}

/// The value of 1 to 6 hexadecimal digits, or -1.
int hexValue(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 6)
        return -1;
    int v = 0;
    for (const QChar c : digits) {
        const int d = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

} // namespace

std::optional<QJsonArray> JsLiteralParser::assignedArrays(const QString& source, QString* error)
{
    JsLiteralParser p(source);
    QJsonArray found;
    while (p.skipToAssignment()) {
        const auto v = p.value();
        if (!v) {
            if (error)
                *error = p.error_;
            return std::nullopt;
        }
        if (v->isArray())
            found.append(*v);
    }
    return found;
}

void JsLiteralParser::skipBlanks()
{
    while (!atEnd() && (peek().isSpace() || skipComment())) {
        if (!atEnd() && peek().isSpace())
            ++i_;
    }
}

bool JsLiteralParser::skipComment()
{
    if (lookingAt(u"/*")) {
        const qsizetype end = s_.indexOf(QStringLiteral("*/"), i_ + 2);
        i_ = end < 0 ? s_.size() : end + 2;
        return true;
    }
    if (lookingAt(u"//")) {
        const qsizetype end = s_.indexOf(u'\n', i_);
        i_ = end < 0 ? s_.size() : end;
        return true;
    }
    return false;
}

bool JsLiteralParser::skipToAssignment()
{
    while (!atEnd()) {
        if (skipComment())
            continue;
        if (isQuote(peek())) {
            // Code around the data may hold strings with "=" in them.
            const QChar q = peek();
            for (++i_; !atEnd() && peek() != q; ++i_)
                if (peek() == u'\\')
                    ++i_;
            ++i_;
            continue;
        }
        if (isAssignment(s_, i_++)) {
            skipBlanks();
            if (peek() == u'[' || lookingAt(kJsonParse))
                return true;
        }
    }
    return false;
}

std::optional<QJsonValue> JsLiteralParser::value()
{
    skipBlanks();
    const QChar c = peek();
    if (c == u'[')
        return array();
    if (c == u'\'' || c == u'"') {
        const auto s = string();
        return s ? std::optional<QJsonValue>(*s) : std::nullopt;
    }
    if (c.isDigit() || c == u'-' || c == u'.')
        return number();
    if (lookingAt(kJsonParse))
        return jsonParseCall();
    fail(QStringLiteral("a value was expected"));
    return std::nullopt;
}

std::optional<QJsonValue> JsLiteralParser::array()
{
    ++i_; // '['
    QJsonArray items;
    skipBlanks();
    while (peek() != u']') {
        const auto v = value();
        if (!v)
            return std::nullopt;
        items.append(*v);
        skipBlanks();
        if (peek() == u',') {
            ++i_;
            skipBlanks();
        } else if (peek() != u']') {
            fail(QStringLiteral("\",\" or \"]\" was expected"));
            return std::nullopt;
        }
    }
    ++i_; // ']'
    return QJsonValue(items);
}

std::optional<QJsonValue> JsLiteralParser::jsonParseCall()
{
    i_ += kJsonParse.size();
    skipBlanks();
    const auto text = peek() == u'\'' || peek() == u'"' ? string() : std::nullopt;
    skipBlanks();
    if (!text || peek() != u')') {
        fail(QStringLiteral("JSON.parse() of a string literal was expected"));
        return std::nullopt;
    }
    ++i_;
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(text->toUtf8(), &err);
    if (doc.isNull()) {
        fail(QStringLiteral("JSON.parse() text: ") + err.errorString());
        return std::nullopt;
    }
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

std::optional<QString> JsLiteralParser::string()
{
    const QChar quote = s_.at(i_++);
    QString out;
    while (!atEnd() && peek() != quote) {
        if (peek() == u'\n') {
            break;
        }
        if (peek() == u'\\') {
            ++i_;
            if (!escape(out))
                return std::nullopt;
            continue;
        }
        out += s_.at(i_++);
    }
    if (atEnd() || peek() != quote) {
        fail(QStringLiteral("a string is not closed"));
        return std::nullopt;
    }
    ++i_;
    return out;
}

bool JsLiteralParser::escape(QString& out)
{
    if (atEnd())
        return fail(QStringLiteral("a string ends in a backslash"));
    const QChar c = s_.at(i_++);
    static const QString kFrom = QStringLiteral("nrtbfv0");
    static const QString kTo = QStringLiteral("\n\r\t\b\f\v");
    if (const qsizetype k = kFrom.indexOf(c); k >= 0) {
        out += k < kTo.size() ? kTo.at(k) : QChar(0);
        return true;
    }
    if (c == u'\r' && peek() == u'\n')
        ++i_;
    if (c == u'\r' || c == u'\n')
        return true; // a line continuation adds nothing
    if (c != u'x' && c != u'u') {
        out += c; // \' \" \\ and any other character stand for themselves
        return true;
    }
    const int code = c == u'x' ? hex(2) : peek() == u'{' ? bracedHex() : hex(4);
    if (code < 0 || code > 0x10FFFF)
        return fail(QStringLiteral("a malformed \\%1 escape").arg(c));
    // A code unit of a surrogate pair stays one QChar and pairs up with the next.
    if (code <= 0xFFFF)
        out += QChar(static_cast<char16_t>(code));
    else
        out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
    return true;
}

int JsLiteralParser::hex(qsizetype digits)
{
    if (i_ + digits > s_.size())
        return -1;
    const int v = hexValue(QStringView(s_).mid(i_, digits));
    i_ += digits;
    return v;
}

int JsLiteralParser::bracedHex()
{
    const qsizetype close = s_.indexOf(u'}', i_);
    if (close < 0)
        return -1;
    const int v = hexValue(QStringView(s_).mid(i_ + 1, close - i_ - 1));
    i_ = close + 1;
    return v;
}

std::optional<QJsonValue> JsLiteralParser::number()
{
    const qsizetype start = i_;
    while (!atEnd()) {
        const QChar c = peek();
        const bool sign = (c == u'-' || c == u'+') && (i_ == start || s_.at(i_ - 1).toLower() == u'e');
        if (!c.isDigit() && c != u'.' && c.toLower() != u'e' && !sign)
            break;
        ++i_;
    }
    bool ok = false;
    const double v = QStringView(s_).mid(start, i_ - start).toDouble(&ok);
    if (!ok) {
        fail(QStringLiteral("a malformed number"));
        return std::nullopt;
    }
    return QJsonValue(v);
}

bool JsLiteralParser::fail(const QString& what)
{
    if (error_.isEmpty())
        error_ = QStringLiteral("%1 at character %2").arg(what).arg(i_);
    return false;
}

} // namespace rov2::yubin
