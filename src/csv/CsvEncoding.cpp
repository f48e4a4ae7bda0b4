#include "CsvEncoding.h"

#include <QStringDecoder>
#include <QtDebug>
#include <algorithm>
#include <memory>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
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
char16_t windowsForm(char16_t c)
{
    // Every JIS form lies in U+00A2..U+301C: kana, kanji, full-width forms
    // and ASCII are told apart by the range alone.
    if (c < u'\u00A2' || c > u'\u301C')
        return c;
    switch (c) {
    case u'\u301C':
        return u'\uFF5E'; // 〜 wave dash
    case u'\u2016':
        return u'\u2225'; // ‖ double vertical line
    case u'\u2212':
        return u'\uFF0D'; // − minus sign
    case u'\u2014':
        return u'\u2015'; // — em dash
    case u'\u00A2':
        return u'\uFFE0'; // ¢
    case u'\u00A3':
        return u'\uFFE1'; // £
    case u'\u00AC':
        return u'\uFFE2'; // ¬
    default:
        return c;
    }
}

/// @p text with the Windows forms; a text without JIS forms, nearly every
/// text, is given back as it is rather than copied.
QString toWindowsForms(const QString& text)
{
    const auto changes = [](QChar c) { return windowsForm(c.unicode()) != c.unicode(); };
    const auto first = std::find_if(text.cbegin(), text.cend(), changes);
    if (first == text.cend())
        return text;
    QString out = text;
    for (auto it = out.begin() + (first - text.cbegin()); it != out.end(); ++it)
        *it = QChar(windowsForm(it->unicode()));
    return out;
}

/// The callback of a conversion from UTF-8: a JIS form, which has no mapping
/// of its own, is written as its Windows form; anything else goes to ICU's
/// stop callback as in openCp932 (which also passes over the default
/// ignorable code points, such as a soft hyphen, rather than stopping).
void windowsFormOrStop(const void* context, UConverterFromUnicodeArgs* args, const UChar* codeUnits,
                       int32_t length, UChar32 c, UConverterCallbackReason reason, UErrorCode* status)
{
    if (reason != UCNV_UNASSIGNED || c > 0xFFFF || windowsForm(static_cast<char16_t>(c)) == c) {
        UCNV_FROM_U_CALLBACK_STOP(context, args, codeUnits, length, c, reason, status);
        return;
    }
    const auto windows = static_cast<UChar>(windowsForm(static_cast<char16_t>(c)));
    const UChar* from = &windows;
    *status = U_ZERO_ERROR;
    ucnv_cbFromUWriteUChars(args, &from, from + 1, 0, status);
}

Converter openUtf8()
{
    UErrorCode status = U_ZERO_ERROR;
    Converter c(ucnv_open("UTF-8", &status));
    return U_SUCCESS(status) ? std::move(c) : nullptr;
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
    // Checked in place: the decoder tells the same bytes invalid, but writes the whole text out.
    return QByteArrayView(bytes).isValidUtf8() ? CsvEncoding::Utf8 : CsvEncoding::Cp932;
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

std::optional<QByteArray> encodeCp932Utf8(QByteArrayView utf8)
{
    Converter cp932 = openCp932();
    Converter source = openUtf8();
    UErrorCode status = U_ZERO_ERROR;
    if (!cp932 || !source)
        return std::nullopt;
    ucnv_setFromUCallBack(cp932.get(), windowsFormOrStop, nullptr, nullptr, nullptr, &status);
    // No character takes more bytes in CP932 than in UTF-8.
    QByteArray out(utf8.size() + 16, Qt::Uninitialized);
    char* target = out.data();
    const char* from = utf8.data();
    ucnv_convertEx(cp932.get(), source.get(), &target, out.data() + out.size(), &from, from + utf8.size(),
                   nullptr, nullptr, nullptr, nullptr, true, true, &status);
    if (U_FAILURE(status))
        return std::nullopt;
    out.truncate(target - out.data());
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
