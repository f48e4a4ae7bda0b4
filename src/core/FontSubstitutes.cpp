#include "FontSubstitutes.h"

#include <QFont>
#include <QString>

namespace rov2 {

void installFontSubstitutions()
{
    struct Pair {
        const char* named;
        const char* installed;
    };
    // The proportional faces of the layouts map to the proportional IPA faces,
    // the fixed-pitch ones to the fixed-pitch faces, so that text widths keep
    // close to what the layouts were measured with.
    static const Pair pairs[] = {
        {"ＭＳ Ｐ明朝", "IPAPMincho"},   {"MS PMincho", "IPAPMincho"},   {"ＭＳ 明朝", "IPAMincho"},
        {"MS Mincho", "IPAMincho"},     {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},
        {"ＭＳ ゴシック", "IPAGothic"},  {"MS Gothic", "IPAGothic"},     {"ＭＳ ＵＩ ゴシック", "IPAPGothic"},
        {"MS UI Gothic", "IPAPGothic"},
    };
    for (const Pair& p : pairs)
        QFont::insertSubstitution(QString::fromUtf8(p.named), QString::fromUtf8(p.installed));
}

} // namespace rov2
