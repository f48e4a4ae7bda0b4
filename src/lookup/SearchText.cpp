#include "SearchText.h"

#include <algorithm>
#include <array>

namespace rov2 {
namespace searchtext {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Half-width katakana and signs U+FF61 to U+FF9F, in order, as their full-width forms.
constexpr std::array<char16_t, 63> kHalfWidth{
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ', u'ョ', u'ッ', u'ー',
    u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ', u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ',
    u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ', u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ',
    u'ム', u'メ', u'モ', u'ヤ', u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};

/// Decodes the code point at @p i and moves past it. A byte that does not
/// start a valid sequence comes back as kInvalid and is skipped alone.
char32_t decode(std::string_view s, size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    const int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) {
        ++i;
        return kInvalid;
    }
    char32_t cp = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kInvalid;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    return cp;
}

/// True when a well-formed character of U+4000 to U+9FFF (the bulk of the
/// ideographs) begins at @p i.
bool isIdeograph(std::string_view s, size_t i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    return b0 >= 0xE4 && b0 <= 0xE9 && i + 2 < s.size() && (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80 &&
           (static_cast<unsigned char>(s[i + 2]) & 0xC0) == 0x80;
}

/// Writes @p cp in UTF-8 at @p p. @return the position after it.
char* encodeTo(char32_t cp, char* p)
{
    if (cp < 0x80) {
        *p++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *p++ = static_cast<char>(0xC0 | (cp >> 6));
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *p++ = static_cast<char>(0xE0 | (cp >> 12));
        *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *p++ = static_cast<char>(0xF0 | (cp >> 18));
        *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return p;
}

bool isBlank(char32_t cp)
{
    return cp == u' ' || cp == u'\t' || cp == 0x3000 || cp == 0x00A0;
}

bool takesSemiVoicedMark(char32_t cp)
{
    return cp == u'は' || cp == u'ひ' || cp == u'ふ' || cp == u'へ' || cp == u'ほ';
}

/// Hiragana that take the voiced mark (か to ち, つ て と, the は row); う takes it as ゔ.
bool takesVoicedMark(char32_t cp)
{
    if (cp >= u'か' && cp <= u'ち')
        return (cp - u'か') % 2 == 0;
    return cp == u'つ' || cp == u'て' || cp == u'と' || cp == u'う' || takesSemiVoicedMark(cp);
}

char32_t voiced(char32_t cp)
{
    return cp == u'う' ? u'ゔ' : cp + 1;
}

/// The code point in the form the searches compare: hiragana for any kana,
/// ASCII for full-width ASCII, lower case for Latin capitals.
char32_t widen(char32_t cp)
{
    if (cp >= u'A' && cp <= u'Z')
        return cp + (u'a' - u'A');
    if (cp >= 0xFF01 && cp <= 0xFF5E) {
        const char32_t ascii = cp - 0xFEE0;
        return ascii >= u'A' && ascii <= u'Z' ? ascii + (u'a' - u'A') : ascii;
    }
    if (cp >= 0xFF61 && cp <= 0xFF9F)
        cp = kHalfWidth[cp - 0xFF61];
    if (cp >= u'ァ' && cp <= u'ヶ')
        return cp - (u'ァ' - u'ぁ');
    return cp;
}

bool isVoicedMark(char32_t cp)
{
    return cp == 0x3099 || cp == u'゛' || cp == 0xFF9E;
}

bool isSemiVoicedMark(char32_t cp)
{
    return cp == 0x309A || cp == u'゜' || cp == 0xFF9F;
}

bool isPhoneSeparator(char32_t cp)
{
    return cp == u'-' || cp == u'(' || cp == u')' || cp == u'ー' || cp == 0x2010 || cp == 0x2011 ||
           cp == 0x2012 || cp == 0x2013 || cp == 0x2015 || cp == 0x2212;
}

/// The plain large hiragana of a folded kana, or 0 for anything else.
char32_t plainKana(char32_t cp)
{
    switch (cp) {
    case u'ぁ': case u'ぃ': case u'ぅ': case u'ぇ': case u'ぉ': case u'ゃ': case u'ゅ': case u'ょ':
    case u'ゎ': return cp + 1;
    case u'っ': return u'つ';
    case u'ゕ': return u'か';
    case u'ゖ': return u'け';
    case u'ゐ': return u'い';
    case u'ゑ': return u'え';
    case u'ゔ': return u'う';
    default: break;
    }
    if (cp < u'あ' || cp > u'ん')
        return 0;
    if (takesVoicedMark(cp - 1) && cp - 1 != u'う')
        return cp - 1;
    if (takesSemiVoicedMark(cp - 2))
        return cp - 2;
    return cp;
}

} // namespace

void appendUtf8(char32_t cp, std::string& out)
{
    char bytes[4];
    out.append(bytes, static_cast<size_t>(encodeTo(cp, bytes) - bytes));
}

void foldUtf8(std::string_view text, std::string& out)
{
    // Folding never lengthens a text, so the output is written in place into
    // room made once: this runs for every field of every row of a search.
    const size_t base = out.size();
    out.resize(base + text.size());
    char* const begin = out.data() + base;
    char* p = begin;
    // Where the last character written starts, so that a following voiced mark can replace it.
    char* lastAt = nullptr;
    char32_t last = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (isIdeograph(text, i)) {
            // Kanji, most of every name and address, stay as they are and take no voiced mark.
            lastAt = p;
            last = 0;
            p = std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(i), 3, p);
            i += 3;
            continue;
        }
        const size_t start = i;
        char32_t cp = decode(text, i);
        if (cp == kInvalid) {
            *p++ = text[start];
            lastAt = nullptr;
            continue;
        }
        if (isBlank(cp))
            continue;
        if (lastAt && isVoicedMark(cp) && takesVoicedMark(last)) {
            p = encodeTo(voiced(last), lastAt);
            lastAt = nullptr;
            continue;
        }
        if (lastAt && isSemiVoicedMark(cp) && takesSemiVoicedMark(last)) {
            p = encodeTo(last + 2, lastAt);
            lastAt = nullptr;
            continue;
        }
        const char32_t folded = widen(cp);
        lastAt = p;
        last = folded;
        if (folded == cp) {
            // Kanji and hiragana, the bulk of every field, are copied as they are.
            p = std::copy(text.begin() + static_cast<std::ptrdiff_t>(start),
                          text.begin() + static_cast<std::ptrdiff_t>(i), p);
        } else {
            p = encodeTo(folded, p);
        }
    }
    out.resize(base + static_cast<size_t>(p - begin));
}

void phoneUtf8(std::string_view text, std::string& out)
{
    thread_local std::string folded;
    folded.clear();
    foldUtf8(text, folded);
    size_t i = 0;
    while (i < folded.size()) {
        const size_t start = i;
        const char32_t cp = decode(folded, i);
        if (cp == kInvalid || !isPhoneSeparator(cp))
            out.append(folded, start, i - start);
    }
}

char32_t kanaInitialUtf8(std::string_view reading)
{
    // The first few bytes are enough: at most one character and its voiced mark.
    std::string folded;
    foldUtf8(reading.substr(0, std::min<size_t>(reading.size(), 32)), folded);
    if (folded.empty())
        return 0;
    size_t i = 0;
    const char32_t cp = decode(folded, i);
    return cp == kInvalid ? 0 : plainKana(cp);
}

std::vector<std::pair<char32_t, char32_t>> kanaInitialStarts(char32_t plain)
{
    // Only kana fold to kana: hiragana, katakana and half-width katakana.
    constexpr std::pair<char32_t, char32_t> kKana[] = {{0x3041, 0x3100}, {0xFF61, 0xFFA0}};
    std::vector<std::pair<char32_t, char32_t>> starts;
    std::string one;
    for (const auto& [first, last] : kKana) {
        for (char32_t cp = first; cp < last; ++cp) {
            one.clear();
            appendUtf8(cp, one);
            if (kanaInitialUtf8(one) != plain)
                continue;
            if (!starts.empty() && starts.back().second == cp)
                starts.back().second = cp + 1;
            else
                starts.emplace_back(cp, cp + 1);
        }
    }
    // Folding drops blanks, so a reading may begin with some before its kana.
    for (const char32_t blank : {char32_t(u'\t'), char32_t(u' '), char32_t(0x00A0), char32_t(0x3000)})
        starts.emplace_back(blank, blank + 1);
    return starts;
}

FoldedTerms parseTerms(std::string_view packed)
{
    FoldedTerms terms;
    size_t at = 0;
    while (at <= packed.size()) {
        size_t end = packed.find(' ', at);
        if (end == std::string_view::npos)
            end = packed.size();
        if (end > at) {
            const std::string_view term = packed.substr(at, end - at);
            terms.text.emplace_back(term);
            std::string phone;
            if (term.find_first_of("0123456789") != std::string_view::npos)
                phoneUtf8(term, phone);
            terms.needsPhone = terms.needsPhone || !phone.empty();
            terms.phone.push_back(std::move(phone));
        }
        at = end + 1;
    }
    return terms;
}

bool matchesAllTerms(const FoldedTerms& terms, std::string_view texts, std::string_view phones)
{
    if (terms.text.empty())
        return false;
    for (size_t t = 0; t < terms.text.size(); ++t) {
        const bool found = texts.find(terms.text[t]) != std::string_view::npos ||
                           (!terms.phone[t].empty() && phones.find(terms.phone[t]) != std::string_view::npos);
        if (!found)
            return false;
    }
    return true;
}

} // namespace searchtext

QString foldForSearch(const QString& text)
{
    std::string out;
    searchtext::foldUtf8(text.toStdString(), out);
    return QString::fromStdString(out);
}

QString phoneForm(const QString& text)
{
    std::string out;
    searchtext::phoneUtf8(text.toStdString(), out);
    return QString::fromStdString(out);
}

QStringList searchTerms(const QString& typed)
{
    QStringList terms;
    QString piece;
    const auto flush = [&] {
        const QString folded = foldForSearch(piece);
        if (!folded.isEmpty())
            terms << folded;
        piece.clear();
    };
    for (const QChar c : typed) {
        if (c.isSpace())
            flush();
        else
            piece += c;
    }
    flush();
    return terms;
}

QString kanaInitial(const QString& reading)
{
    const char32_t cp = searchtext::kanaInitialUtf8(reading.toStdString());
    return cp == 0 ? QString() : QString::fromUcs4(&cp, 1);
}

} // namespace rov2
