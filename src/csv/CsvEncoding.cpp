#include "CsvEncoding.h"

#include <QStringDecoder>
#include <QtDebug>
#include <memory>
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

namespace rov2 {
namespace {

const QByteArray kBom("\xEF\xBB\xBF", 3);

struct ConverterClose
{
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterClose>;

/// ICU's Windows flavour of Shift_JIS (ibm-943_P15A-2003): 0x5C is the
/// backslash and the NEC and IBM extensions are present, as in CP932. Both
/// directions stop at the first character without a mapping instead of
/// substituting one, so nothing is silently changed.
Converter openCp932()
{
    UErrorCode status = U_ZERO_ERROR;
    Converter c(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) {
        qWarning("CP932 converter unavailable: %s", u_errorName(status));
        return nullptr;
    }
    ucnv_setFallback(c.get(), false);
    ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    return U_SUCCESS(status) ? std::move(c) : nullptr;
}

std::optional<QByteArray> fromUnicode(UConverter* c, const char16_t* text, qsizetype length)
{
    if (length == 0)
        return QByteArray();
    UErrorCode status = U_ZERO_ERROR;
    QByteArray out(static_cast<qsizetype>(length) * 2 + 8, Qt::Uninitialized);
    const int32_t n =
        ucnv_fromUChars(c, out.data(), static_cast<int32_t>(out.size()), reinterpret_cast<const UChar*>(text),
                        static_cast<int32_t>(length), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    out.truncate(n);
    return out;
}

/// The first character of @p text without a CP932 form, walking by code point.
qsizetype firstUnencodable(UConverter* c, const QString& text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        ucnv_resetFromUnicode(c);
        if (!fromUnicode(c, reinterpret_cast<const char16_t*>(text.constData()) + i, width))
            return i;
        i += width;
    }
    return -1;
}

/// Characters that JIS X 0208 and CP932 share but Unicode spells twice:
/// Linux and Mac input methods give the first form, Windows reads and writes
/// the second for the same JIS code point (〜 1-33 is 0x8160 either way).
/// They are the same character to a CP932 reader, so they are written as
/// Windows would, rather than refused.
QString toWindowsForms(const QString& text)
{
    static const std::pair<char16_t, char16_t> kSame[] = {
        {u'\u301C', u'\uFF5E'}, // 〜 wave dash
        {u'\u2016', u'\u2225'}, // ‖ double vertical line
        {u'\u2212', u'\uFF0D'}, // − minus sign
        {u'\u2014', u'\u2015'}, // — em dash
        {u'\u00A2', u'\uFFE0'}, // ¢
        {u'\u00A3', u'\uFFE1'}, // £
        {u'\u00AC', u'\uFFE2'}, // ¬
    };
    QString out = text;
    for (QChar& c : out)
        for (const auto& [jis, windows] : kSame)
            if (c.unicode() == jis)
                c = QChar(windows);
    return out;
}

} // namespace

QString encodingName(CsvEncoding e)
{
    switch (e) {
    case CsvEncoding::Cp932:
        return QStringLiteral("Shift_JIS (CP932)");
    case CsvEncoding::Utf8Bom:
        return QStringLiteral("UTF-8 (BOM付き)");
    case CsvEncoding::Utf8:
        return QStringLiteral("UTF-8");
    }
    return {};
}

CsvEncoding detectEncoding(const QByteArray& bytes)
{
    if (bytes.startsWith(kBom))
        return CsvEncoding::Utf8Bom;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = utf8.decode(bytes);
    return utf8.hasError() ? CsvEncoding::Cp932 : CsvEncoding::Utf8;
}

std::optional<QString> decodeText(const QByteArray& bytes, CsvEncoding e, qint64* badOffset)
{
    if (e != CsvEncoding::Cp932) {
        const QByteArray body = bytes.startsWith(kBom) ? bytes.mid(kBom.size()) : bytes;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(body);
        if (utf8.hasError())
            return std::nullopt;
        return text;
    }
    Converter c = openCp932();
    if (!c)
        return std::nullopt;
    QString out(bytes.size() + 1, Qt::Uninitialized);
    UChar* target = reinterpret_cast<UChar*>(out.data());
    const char* source = bytes.constData();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_toUnicode(c.get(), &target, target + out.size(), &source, source + bytes.size(), nullptr, true,
                   &status);
    if (U_FAILURE(status)) {
        if (badOffset) {
            // The source stops just past the sequence that has no mapping.
            char invalid[8];
            int8_t invalidLength = sizeof invalid;
            UErrorCode s = U_ZERO_ERROR;
            ucnv_getInvalidChars(c.get(), invalid, &invalidLength, &s);
            *badOffset = (source - bytes.constData()) - (U_SUCCESS(s) ? invalidLength : 0);
        }
        return std::nullopt;
    }
    out.truncate(target - reinterpret_cast<UChar*>(out.data()));
    return out;
}

std::optional<QByteArray> encodeCp932(const QString& text, qsizetype* badIndex)
{
    Converter c = openCp932();
    if (!c)
        return std::nullopt;
    const QString windows = toWindowsForms(text);
    auto out = fromUnicode(c.get(), reinterpret_cast<const char16_t*>(windows.constData()), windows.size());
    if (!out && badIndex)
        *badIndex = firstUnencodable(c.get(), windows);
    return out;
}

std::optional<QByteArray> encodeText(const QString& text, CsvEncoding e, qsizetype* badIndex)
{
    if (e == CsvEncoding::Cp932)
        return encodeCp932(text, badIndex);
    const QByteArray body = text.toUtf8();
    return e == CsvEncoding::Utf8Bom ? kBom + body : body;
}

} // namespace rov2
