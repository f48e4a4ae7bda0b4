#include "TextHelpers.h"

#include <QtDebug>

namespace rov2 {

namespace {

constexpr int kCutBefore = 2;

QString cutBefore(const QString& text, const QString& token, int mode)
{
    if (mode != kCutBefore) {
        qWarning() << "CutText: unknown mode" << mode;
        return text;
    }
    const qsizetype at = token.isEmpty() ? -1 : text.indexOf(token, 0, Qt::CaseSensitive);
    return at < 0 ? text : text.left(at);
}

} // namespace

QString CutText(const QString& text, int token, int mode)
{
    return cutBefore(text, QString(QChar(char16_t(token))), mode);
}

QString CutText(const QString& text, const QString& token, int mode)
{
    return cutBefore(text, token, mode);
}

} // namespace rov2
