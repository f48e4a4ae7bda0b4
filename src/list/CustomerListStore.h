#pragma once

#include <QString>

#include <optional>

namespace rov2 {

/// The filter values of the list screen, as the user left them. An empty
/// text leaves its filter out.
struct ListFilter {
    QString 区分1;
    QString 区分2;
    QString ふりがな; ///< a prefix of the reading, kana of any kind and width
    QString 誕生月;   ///< used only when it reads as a number
    QString 性別;
    bool 家族 = false; ///< also list the family members chosen by their own fields
};

/// The three counts of the list screen; nothing where a count could not be read.
struct ListCounts {
    std::optional<qint64> listed;    ///< rows of w顧客リスト
    std::optional<qint64> customers; ///< rows of 顧客マスタ
    std::optional<qint64> family;    ///< rows of 家族情報
};

/// The customer list's work with the files: the work table w顧客リスト that
/// the list shows and marks, filled from 顧客マスタ and 家族情報 of the data
/// file. Every call opens the files it needs and closes them before it
/// returns; failures come back as values and are logged.
namespace CustomerListStore {

/// Empties w顧客リスト.
[[nodiscard]] bool clearList(const QString& workFile);

/// Refills w顧客リスト with the customers (and, with 家族, the family members)
/// that pass @p filter: customers alone in reading order, then name; with the
/// family, by customer name, the customer's own row first, then its family
/// members by name. Every row starts unmarked. All filter texts are bound as
/// values: a quote, % or _ is matched as itself.
/// @param counts when given, receives what counts() would answer afterwards,
/// the list's rows taken from the refill rather than counted again.
/// @return false when the list could not be built; the list is then empty.
[[nodiscard]] bool buildList(const QString& dataFile, const QString& workFile, const ListFilter& filter,
                             ListCounts* counts = nullptr);

[[nodiscard]] ListCounts counts(const QString& dataFile, const QString& workFile);

/// Marks (or unmarks) every row of the list.
[[nodiscard]] bool setAllMarks(const QString& workFile, bool marked);

/// The number of marked rows; nothing when the list cannot be read.
[[nodiscard]] std::optional<qint64> markedCount(const QString& workFile);

/// Whom a deletion of the marked rows takes away.
struct MarkedDeletion {
    qint64 customers = 0;         ///< customers marked, by their own row or by a family row
    QString firstName;            ///< the first of them by name
    qint64 family = 0;            ///< 家族情報 rows of those customers in the data file
    bool familyRowMarked = false; ///< a marked family row stands for its customer
};

/// What deleteMarked() would delete; nothing when the files cannot be read.
[[nodiscard]] std::optional<MarkedDeletion> markedDeletion(const QString& dataFile, const QString& workFile);

/// Deletes every customer that has a marked row in the list (a marked family
/// row stands for its customer) together with all of its family rows, in one
/// transaction. @return false when anything failed: then nothing is deleted.
[[nodiscard]] bool deleteMarked(const QString& dataFile, const QString& workFile);

/// The birth month a filter text asks for: a number (full-width digits too),
/// rounded half to even; nothing for any other text, which then filters nothing.
std::optional<int> birthMonthOf(const QString& text);

} // namespace CustomerListStore
} // namespace rov2
