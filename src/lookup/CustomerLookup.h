#pragma once

#include <QString>
#include <QVector>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

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
/// takes several times what a keystroke may. The customer and kana search
/// windows load it when they open; a window opened later loads it anew and
/// sees the changes.
///
/// The texts of all customers lie in a few long buffers rather than in a
/// string or two per customer: the window opens on a hundred thousand
/// customers, and allocating, converting and later freeing half a million
/// small strings was most of the wait before the first key.
class CustomerIndex
{
public:
    /// Reads the customers of @p dataFile as findCustomers would see them.
    /// @return the index, or nothing when the file could not be read, the reason in @p error.
    static std::optional<CustomerIndex> load(const QString& dataFile, QString* error = nullptr);

    /// findCustomers over the customers read: the same rows in the same order.
    CustomerMatches find(const QString& typed, int limit) const;
    /// findCustomersByKana over the customers read: the same rows in the same order.
    CustomerMatches byKana(const QString& initial, int limit) const;

    int size() const { return static_cast<int>(rows_.size()); }

private:
    struct Span {
        uint32_t at = 0;
        uint32_t size = 0;
    };
    struct Entry {
        Span texts;    ///< in texts_: name, reading and address lines folded, each after a separator
        Span phones;   ///< in phones_: the telephone and fax numbers in phoneForm, likewise
        Span shown[4]; ///< in shown_: name, reading, first address line, telephone as listed
        char32_t initial = 0; ///< the kanaInitial of the reading, 0 for none
    };
    /// Appends the current row of @p row; whether its reading is Null goes to @p nullReading.
    void append(sqlite3_stmt* row, std::vector<bool>& nullReading);
    /// Puts the rows in the order of ORDER BY rov2_reading_key(ふりがな), 名称 COLLATE JA.
    void sortByReading(const std::vector<bool>& nullReading);
    std::string_view text(const std::string& in, Span s) const { return std::string_view(in).substr(s.at, s.size); }
    CustomerMatch shownOf(const Entry& e) const;
    /// The rows for which @p wanted holds, in order, at most @p limit (0: all),
    /// looking only at the rows @p next gives: next(i) is the first row from i on
    /// that may be wanted, or size() when there is none.
    template <typename Next, typename Wanted> CustomerMatches listed(Next next, Wanted wanted, int limit) const;
    /// The first row from @p from on whose folded texts hold @p term, or size().
    size_t nextHolding(size_t from, std::string_view term) const;

    std::vector<Entry> rows_; ///< in the order of the readings, as the look-ups list them
    std::string texts_;       ///< in the order of rows_, so that one pass finds a term in all of them
    std::string phones_;
    std::string shown_;
};

} // namespace rov2
