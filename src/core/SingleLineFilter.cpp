#include "SingleLineFilter.h"

namespace rov2 {
namespace {

bool isControl(QChar c)
{
    // Other_Control covers C0, DEL and C1; the two separators are the line
    // breaks that are not control characters to Unicode.
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

QString withoutControlCharacters(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (!isControl(c))
            out += c;
    return out;
}

SingleLineFilter::SingleLineFilter(QObject* parent, const QValidator* inner) : QValidator(parent), inner_(inner) {}

QValidator::State SingleLineFilter::validate(QString& input, int& pos) const
{
    int removedBeforeCursor = 0;
    for (int i = 0; i < pos && i < input.size(); ++i)
        if (isControl(input.at(i)))
            ++removedBeforeCursor;
    const QString cleaned = withoutControlCharacters(input);
    if (cleaned.size() != input.size()) {
        input = cleaned;
        pos = qMax(0, pos - removedBeforeCursor);
    }
    return inner_ ? inner_->validate(input, pos) : Acceptable;
}

} // namespace rov2
