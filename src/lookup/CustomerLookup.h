#pragma once

#include <QString>
#include <QVector>

#include <optional>
#include <string>
#include <vector>

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

/// The customers' search fields read once and kept folded, so that searching
/// as the user types filters memory instead of reading and folding the whole
/// table on every key: at a hundred thousand customers a search of the file
/// takes several times what a keystroke may. The window that searches loads
/// it when it opens; a window opened later loads it anew and sees the changes.
class CustomerIndex
{
public:
    /// Reads the customers of @p dataFile as findCustomers would see them.
    /// @return the index, or nothing when the file could not be read, the reason in @p error.
    static std::optional<CustomerIndex> load(const QString& dataFile, QString* error = nullptr);

    /// findCustomers over the customers read: the same rows in the same order.
    CustomerMatches find(const QString& typed, int limit) const;

    int size() const { return static_cast<int>(rows_.size()); }

private:
    struct Entry {
        CustomerMatch shown;
        std::string texts;  ///< name, reading and address lines folded, each after a separator
        std::string phones; ///< the telephone and fax numbers in phoneForm, likewise
    };
    std::vector<Entry> rows_; ///< in the order of the readings, as the look-ups list them
};

} // namespace rov2
