#pragma once

#include "PostcardAddressees.h"

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

namespace rov2 {

/// What a list print copied into the print tables: which of the two kinds of
/// marked rows there were.
struct ListPrintData
{
    bool customers = false; ///< a customer's own row was marked
    bool family = false;    ///< a family member's row was marked
};

/// The print data of the customer list: the print tables of the work file
/// filled from the marked rows of w顧客リスト. Every call opens the files it
/// needs and closes them before it returns.
namespace PrintDataStore {

/// Empties w顧客マスタ印刷 and w家族情報印刷 and copies into them, from the
/// data file, the customers of the marked customer rows (by 名称) and the
/// members of the marked family rows (by their customer's 名称 and their own
/// 氏名, so that a member of the same name under another customer is not
/// taken along). Names are compared as bound values, whatever they hold.
/// @return which kinds were marked; nothing when the copy failed, and then
/// the tables are left as they were.
[[nodiscard]] std::optional<ListPrintData> fillListPrint(const QString& dataFile, const QString& workFile);

/// The label lines of one marked row.
struct LabelText
{
    QVariant 名称;
    QVariant 郵便番号;
    QVariant 住所1;
    QVariant 住所2;
};

/// The name line: a family member's 氏名 + "　様"; a customer's 名称 + "　" +
/// its 敬称 without surrounding blanks, or + "　様" when 敬称 is Null.
QString nameLine(const QString& 名称, const QVariant& 氏名, const QVariant& 敬称);

/// A postal code as printed: seven characters without "-" get one after the
/// third; any other text is kept; Null stays Null.
QVariant postalCodeText(const QVariant& stored);

/// Empties wタックシール印刷 and fills it: @p blanks empty labels, then one
/// label per marked row of w顧客リスト in the list's order, with the
/// customer's postal code and address (a family row's customer is the one its
/// 名称 names). A row whose customer is gone gives a family row its name line
/// alone and a customer row an empty label.
/// @return the number of labels written (blanks included); nothing when the
/// table could not be filled, and then it is left as it was.
[[nodiscard]] std::optional<int> fillLabels(const QString& dataFile, const QString& workFile, int blanks);

/// The marked rows of w顧客リスト in the list's order, each with its
/// customer's 敬称 and address (a family row's customer is the one its 名称
/// names, the first of that name, as for the labels).
/// @return nothing when the rows could not be read.
[[nodiscard]] std::optional<std::vector<MarkedForPostcard>> markedForPostcards(const QString& dataFile,
                                                                               const QString& workFile);

/// The shop itself as the sender of postcards: 顧客名, 郵便番号, 住所1 and
/// 電話番号 of 自社情報's first row; empty when the table has no row.
/// @return nothing when the data file could not be read.
[[nodiscard]] std::optional<report::PostcardSender> postcardSender(const QString& dataFile);

} // namespace PrintDataStore
} // namespace rov2
