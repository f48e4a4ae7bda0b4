#include "ImeQuery.h"

#include "InputMethod.h"

namespace rov2 {

bool imeOpenFor(const QWidget* widget, bool byDefault)
{
    return imeOpenSetting(widget).value_or(byDefault);
}

QVariant imeQueryAnswer(const QWidget* widget, Qt::InputMethodQuery query, const QVariant& answer,
                        bool byDefault)
{
    const bool open = imeOpenFor(widget, byDefault);
    if (query == Qt::ImEnabled) {
        const bool accepts = answer.isValid() ? answer.toBool() : widget->isEnabled();
        return accepts && open;
    }
    if (query == Qt::ImHints) {
        const auto hints = Qt::InputMethodHints(answer.toInt()) | widget->inputMethodHints();
        return int(open ? hints & ~kImeClosedHints : hints | kImeClosedHints);
    }
    return answer;
}

} // namespace rov2
