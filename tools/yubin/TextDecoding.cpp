#include "TextDecoding.h"

#include <QStringDecoder>
#include <memory>
#include <unicode/ucnv.h>

namespace rov2::yubin {
namespace {

struct ConverterCloser
{
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's alias for IBM-943 with the Microsoft mappings; "Shift_JIS" would
// give the same table in ICU but says the wrong thing to a reader.
constexpr const char* kWindows31J = "windows-31j";

} // namespace

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoded text is discarded; the decoder is run only for its error flag.
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

std::optional<QString> decodeWindows31J(const QByteArray& bytes, QString* error)
{
    UErrorCode status = U_ZERO_ERROR;
    Converter conv(ucnv_open(kWindows31J, &status));
    if (U_SUCCESS(status))
        ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status)) {
        if (error)
            *error =
                QStringLiteral("no Windows-31J converter: %1").arg(QString::fromLatin1(u_errorName(status)));
        return std::nullopt;
    }
    QString out(bytes.size() + 1, Qt::Uninitialized);
    const qsizetype n =
        ucnv_toUChars(conv.get(), reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                      bytes.constData(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) {
        if (error)
            *error = QStringLiteral("not Shift_JIS (Windows-31J) text: %1")
                         .arg(QString::fromLatin1(u_errorName(status)));
        return std::nullopt;
    }
    out.truncate(n);
    return out;
}

std::optional<QString> decodeSourceText(const QByteArray& bytes, QString* error)
{
    if (!isUtf8(bytes))
        return decodeWindows31J(bytes, error);
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace rov2::yubin
