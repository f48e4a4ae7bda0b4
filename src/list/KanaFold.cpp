#include "KanaFold.h"

#include <QtDebug>

#include <sqlite3.h>

#include <array>

namespace rov2 {
namespace {

constexpr char32_t kHalfFirst = 0xFF61; // ｡
constexpr char32_t kHalfLast = 0xFF9F;  // ﾟ
constexpr char32_t kHiraFirst = 0x3041; // ぁ
constexpr char32_t kHiraLast = 0x3096;  // ゖ
constexpr char32_t kKataFirst = 0x30A1; // ァ
constexpr char32_t kKataLast = 0x30F6;  // ヶ
constexpr char32_t kVoiced = 0x3099;    // combining ゛
constexpr char32_t kSemiVoiced = 0x309A; // combining ゜

/// The tables come from Unicode's own compatibility and composition data
/// (through Qt), so that no kana is left out by a hand-written list.
struct Tables {
    std::array<char32_t, kHalfLast - kHalfFirst + 1> halfWidth{};
    std::array<char32_t, kHiraLast - kHiraFirst + 1> voiced{};
    std::array<char32_t, kHiraLast - kHiraFirst + 1> semiVoiced{};

    Tables()
    {
        for (char32_t c = kHalfFirst; c <= kHalfLast; ++c) {
            const std::u32string full = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KC).toStdU32String();
            halfWidth[c - kHalfFirst] = full.size() == 1 ? full[0] : c;
        }
        for (char32_t c = kHiraFirst; c <= kHiraLast; ++c) {
            voiced[c - kHiraFirst] = composed(c, kVoiced);
            semiVoiced[c - kHiraFirst] = composed(c, kSemiVoiced);
        }
    }

    static char32_t composed(char32_t base, char32_t mark)
    {
        const char32_t pair[] = {base, mark};
        const std::u32string one = QString::fromUcs4(pair, 2).normalized(QString::NormalizationForm_C).toStdU32String();
        return one.size() == 1 ? one[0] : 0;
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

/// Joins a voicing mark to the kana before it, when the two make one kana.
bool joinMark(std::u32string& out, char32_t mark)
{
    if (out.empty() || out.back() < kHiraFirst || out.back() > kHiraLast)
        return false;
    const auto& table = mark == kVoiced ? tables().voiced : tables().semiVoiced;
    const char32_t joined = table[out.back() - kHiraFirst];
    if (joined == 0)
        return false;
    out.back() = joined;
    return true;
}

void foldInto(std::u32string_view text, std::u32string& out)
{
    out.clear();
    const Tables& t = tables();
    for (char32_t c : text) {
        if (c >= kHalfFirst && c <= kHalfLast)
            c = t.halfWidth[c - kHalfFirst];
        else if (c >= 0xFF01 && c <= 0xFF5E)
            c -= 0xFEE0; // full-width Latin letters, digits and signs
        else if (c == 0x3000)
            c = U' ';
        if (c >= U'A' && c <= U'Z')
            c += U'a' - U'A'; // a reading typed in capitals is the same reading
        if ((c == kVoiced || c == kSemiVoiced) && joinMark(out, c))
            continue;
        if (c >= kKataFirst && c <= kKataLast)
            c -= kKataFirst - kHiraFirst;
        out.push_back(c);
    }
}

/// Decodes UTF-8 as SQLite hands it over; a broken sequence reads as U+FFFD.
void decodeUtf8(const unsigned char* s, int n, std::u32string& out)
{
    out.clear();
    int i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        const int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + extra >= n) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra && ok; ++k) {
            ok = (s[i + k] & 0xC0) == 0x80;
            c = (c << 6) | (s[i + k] & 0x3F);
        }
        out.push_back(ok ? c : 0xFFFD);
        i += ok ? extra + 1 : 1;
    }
}

void deletePrefix(void* p) { delete static_cast<std::u32string*>(p); }

void kanaPrefix(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    thread_local std::u32string decoded;
    thread_local std::u32string folded;
    // The prefix is the same for every row of a statement: fold it once.
    std::u32string local;
    const std::u32string* prefix = static_cast<const std::u32string*>(sqlite3_get_auxdata(ctx, 1));
    if (!prefix) {
        decodeUtf8(sqlite3_value_text(argv[1]), sqlite3_value_bytes(argv[1]), decoded);
        foldInto(decoded, local);
        prefix = &local;
        sqlite3_set_auxdata(ctx, 1, new std::u32string(local), &deletePrefix);
    }
    decodeUtf8(sqlite3_value_text(argv[0]), sqlite3_value_bytes(argv[0]), decoded);
    foldInto(decoded, folded);
    sqlite3_result_int(ctx, startsWithFolded(folded, *prefix) ? 1 : 0);
}

} // namespace

std::u32string foldKana(std::u32string_view text)
{
    std::u32string out;
    foldInto(text, out);
    return out;
}

QString foldKana(const QString& text)
{
    const std::u32string folded = foldKana(std::u32string_view(text.toStdU32String()));
    return QString::fromStdU32String(folded);
}

bool startsWithFolded(std::u32string_view text, std::u32string_view foldedPrefix)
{
    return text.substr(0, foldedPrefix.size()) == foldedPrefix;
}

bool registerKanaFunctions(sqlite3* connection)
{
    const int rc = sqlite3_create_function_v2(connection, kKanaPrefixFunction, 2,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                              &kanaPrefix, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        qWarning("kana folding: cannot register %s (%s)", kKanaPrefixFunction, sqlite3_errstr(rc));
        return false;
    }
    return true;
}

} // namespace rov2
