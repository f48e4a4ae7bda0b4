// A date typed into a date box or taken from an imported CSV cell, in the
// western or the Japanese calendar.
#include "DateText.h"
#include "JapaneseDate.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <cstdlib>

using namespace rov2;

namespace {

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

const QString kPatterns[] = {
    QStringLiteral("yyyy/mm/dd"),      QStringLiteral("yyyy年mm月dd日"), QStringLiteral("yyyy年mm月"),
    QStringLiteral("gggee年mm月dd日"), QStringLiteral("gggee年mm月"),    QStringLiteral("gee/mm/dd"),
    QStringLiteral("yyyymmdd"),
};

// A date read in a pattern is written back in it and read again as the same day.
void checkPattern(const QString& text, const QString& pattern)
{
    const auto date = parseDate(text, pattern);
    if (!date)
        return;
    if (!date->isValid())
        std::abort();
    const QString again = formatDate(*date, pattern);
    if (again.isEmpty() || parseDate(again, pattern) != date)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool silenced = (qInstallMessageHandler(quiet), true);
    (void)silenced;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto typed = readTypedDate(text)) {
        if (!typed->isValid() || fromStoredDate(toStoredDate(*typed)) != typed)
            std::abort();
        (void)ageOn(*typed, QDate(2024, 2, 29));
        (void)gridDateText(toStoredDate(*typed), true);
    }
    for (const QString& pattern : kPatterns)
        checkPattern(text, pattern);
    return 0;
}
