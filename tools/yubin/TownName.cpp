#include "TownName.h"

#include <array>

namespace rov2::yubin {
namespace {

constexpr QChar kOpen = u'（';
constexpr QChar kClose = u'）';

// Longer words first, so that "地階・階層不明" goes before "階".
const std::array<const char16_t*, 22> kCoverageWords = {u"次のビルを除く",
                                                        u"地階・階層不明",
                                                        u"階層不明",
                                                        u"無番地",
                                                        u"を除く",
                                                        u"その他",
                                                        u"番地",
                                                        u"丁目",
                                                        u"地割",
                                                        u"地階",
                                                        u"以上",
                                                        u"以下",
                                                        u"以降",
                                                        u"以外",
                                                        u"以内",
                                                        u"全域",
                                                        u"除く",
                                                        u"番",
                                                        u"号",
                                                        u"階",
                                                        u"第",
                                                        u"の"};

bool isNumberOrSeparator(QChar c)
{
    static const QString kChars = QStringLiteral("0123456789０１２３４５６７８９〇一二三四五六七八九十百千"
                                                 "、，,・～〜－-‐−「」『』 　");
    return kChars.contains(c);
}

/// The position of the "）" that closes the "（" at @p open, or -1.
qsizetype matchingClose(const QString& text, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        if (text.at(i) == kOpen)
            ++depth;
        else if (text.at(i) == kClose && --depth == 0)
            return i;
    }
    return -1;
}

QString dropCoverageNotes(const QString& town)
{
    QString out;
    qsizetype i = 0;
    while (i < town.size()) {
        const qsizetype open = town.indexOf(kOpen, i);
        const qsizetype close = open < 0 ? -1 : matchingClose(town, open);
        if (close < 0) {
            out += QStringView(town).mid(i);
            break;
        }
        out += QStringView(town).mid(i, open - i);
        const QString inner = town.mid(open + 1, close - open - 1);
        if (!isCoverageNote(inner))
            out += QStringView(town).mid(open, close - open + 1);
        i = close + 1;
    }
    return out;
}

/// "当別町の次に番地がくる場合", and its variants with a range,
/// "小菅村の次に１～６６３番地がくる場合": the code covers the whole city, or
/// a range of its block numbers.
bool isBlockNumberPlaceholder(const QString& town)
{
    static const QString kNext = QStringLiteral("の次に");
    static const QString kEnd = QStringLiteral("がくる場合");
    if (!town.endsWith(kEnd))
        return false;
    const qsizetype next = town.lastIndexOf(kNext);
    if (next < 0)
        return false;
    const qsizetype from = next + kNext.size();
    return isCoverageNote(town.mid(from, town.size() - kEnd.size() - from));
}

} // namespace

bool isCoverageNote(const QString& inner)
{
    QString rest = inner;
    for (const char16_t* word : kCoverageWords)
        rest.remove(QString::fromUtf16(word));
    rest.removeIf(isNumberOrSeparator);
    return !inner.isEmpty() && rest.isEmpty();
}

int openParentheses(const QString& text)
{
    return static_cast<int>(text.count(kOpen) - text.count(kClose));
}

QString cleanTown(const QString& town)
{
    if (town == QStringLiteral("以下に掲載がない場合") || isBlockNumberPlaceholder(town))
        return {};
    return dropCoverageNotes(town);
}

} // namespace rov2::yubin
