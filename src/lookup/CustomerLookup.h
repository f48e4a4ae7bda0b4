#pragma once

#include <QString>
#include <QVector>

#include <optional>

namespace rov2 {

/// One customer as the look-ups list it.
struct CustomerMatch {
    QString 名称;
    QString ふりがな;
    QString 住所1;
    QString 電話; ///< TEL1, or TEL2 when TEL1 is empty
};

/// The customers a look-up found, in Japanese order of their readings.
struct CustomerMatches {
    QVector<CustomerMatch> rows;
    /// True when more customers matched than the limit let through.
    bool more = false;
};

/// The customers of @p dataFile of whom every term of @p typed (see
/// searchTerms) occurs in the name, the reading or an address line, or, for a
/// term with a digit, in a telephone or fax number compared without hyphens
/// and blanks. Customers without a name are never listed (they cannot be read).
/// @param limit the most rows returned; 0 for all.
/// @return the matches (none for an empty @p typed), or nothing when the file
/// could not be read, the reason in @p error.
std::optional<CustomerMatches> findCustomers(const QString& dataFile, const QString& typed, int limit,
                                             QString* error = nullptr);

/// The customers whose reading begins with the kana @p initial in any of its
/// forms (hiragana, katakana, half-width, voiced, semi-voiced or small: か
/// lists か, が, カ, ガ, ｶ and ｶﾞ, see kanaInitial); an empty @p initial lists
/// those whose reading begins with no kana at all (or is empty).
/// @return as findCustomers.
std::optional<CustomerMatches> findCustomersByKana(const QString& dataFile, const QString& initial, int limit,
                                                   QString* error = nullptr);

} // namespace rov2
