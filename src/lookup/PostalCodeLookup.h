#pragma once

#include <QString>
#include <QVector>

#include <optional>

namespace rov2 {

/// One row of the postal dictionary as the look-up lists it.
struct PostalMatch {
    QString code;    ///< 番号 as stored
    QString address; ///< 県漢字 + 市町村漢字 + 町名漢字, joined as LookupAddress joins them
};

struct PostalMatches {
    QVector<PostalMatch> rows;
    bool more = false; ///< more rows matched than the limit let through
};

/// How a typed text is searched in the postal dictionary.
enum class PostalQueryKind {
    Nothing,     ///< empty: nothing is searched
    TooFewDigits, ///< fewer than three digits: too many codes to list
    CodePrefix,  ///< digits (full- or half-width, "-" and "〒" allowed): codes that begin with them
    AddressPart, ///< anything else: addresses that hold every term (see searchTerms)
};

/// @param digits set to the digits of a code prefix.
PostalQueryKind classifyPostalQuery(const QString& typed, QString* digits = nullptr);

/// The rows of the postal dictionary at @p dictionary that match @p typed
/// (see PostalQueryKind), in the order of their codes, rows of one code in
/// the dictionary's order. The dictionary is never written.
/// @param limit the most rows returned; 0 for all.
/// @return the matches, or nothing when the dictionary could not be read
/// (the reason in @p error).
std::optional<PostalMatches> findPostalCodes(const QString& dictionary, const QString& typed, int limit,
                                             QString* error = nullptr);

} // namespace rov2
