#include "PostcardSettings.h"

#include "LabelSettings.h"
#include "SettingsFile.h"

#include <QSettings>
#include <QtDebug>
#include <algorithm>
#include <cmath>

namespace rov2 {
namespace {

using report::PostcardOptions;
using report::PostcardPaper;
using report::PostcardWriting;

const QString kWriting = QStringLiteral("postcards/writing");
const QString kKanjiNumerals = QStringLiteral("postcards/kanjiNumerals");
const QString kPrintSender = QStringLiteral("postcards/printSender");
const QString kHorizontal = QStringLiteral("postcards/horizontalOffsetMm");
const QString kVertical = QStringLiteral("postcards/verticalOffsetMm");
const QString kPaper = QStringLiteral("postcards/paper");

// Stored as words, not enum numbers: the file outlives any reordering of the enums.
const QString kHorizontalWord = QStringLiteral("horizontal");
const QString kVerticalWord = QStringLiteral("vertical");
const QString kEnvelopeWord = QStringLiteral("longEnvelope3");
const QString kCardWord = QStringLiteral("card");

double tidy(double mm)
{
    if (!std::isfinite(mm))
        return 0;
    return std::round(std::clamp(mm, -report::kMaxPostcardOffsetMm, report::kMaxPostcardOffsetMm) * 10) / 10;
}

double readMm(QSettings& s, const QString& key)
{
    bool ok = false;
    const double v = s.value(key, 0).toDouble(&ok);
    return ok ? tidy(v) : 0;
}

bool readFlag(QSettings& s, const QString& key, bool byDefault)
{
    const QString v = s.value(key).toString();
    if (v == QLatin1String("true"))
        return true;
    return v == QLatin1String("false") ? false : byDefault;
}

} // namespace

PostcardOptions PostcardSettings::load(QSettings& s)
{
    const PostcardOptions defaults;
    PostcardOptions o;
    o.writing = s.value(kWriting).toString() == kHorizontalWord ? PostcardWriting::Horizontal
                                                                : PostcardWriting::Vertical;
    o.kanjiNumerals = readFlag(s, kKanjiNumerals, defaults.kanjiNumerals);
    o.printSender = readFlag(s, kPrintSender, defaults.printSender);
    o.offsetXMm = readMm(s, kHorizontal);
    o.offsetYMm = readMm(s, kVertical);
    o.paper =
        s.value(kPaper).toString() == kEnvelopeWord ? PostcardPaper::LongEnvelope3 : PostcardPaper::Card;
    return o;
}

bool PostcardSettings::save(const QString& iniPath, const PostcardOptions& o, const FileSinkFactory& sinks)
{
    const QVariantMap values = {
        {kWriting, o.writing == PostcardWriting::Horizontal ? kHorizontalWord : kVerticalWord},
        {kKanjiNumerals, o.kanjiNumerals},
        {kPrintSender, o.printSender},
        {kHorizontal, tidy(o.offsetXMm)},
        {kVertical, tidy(o.offsetYMm)},
        {kPaper, o.paper == PostcardPaper::LongEnvelope3 ? kEnvelopeWord : kCardWord},
    };
    if (storeSettings(iniPath, values, sinks))
        return true;
    qWarning() << "postcard settings: cannot write" << iniPath;
    return false;
}

PostcardOptions PostcardSettings::load()
{
    auto s = LabelSettings::programSettings();
    return load(*s);
}

bool PostcardSettings::save(const PostcardOptions& options)
{
    return save(LabelSettings::programSettingsPath(), options);
}

} // namespace rov2
