#pragma once

#include "PostcardData.h"

#include <QString>
#include <vector>

namespace rov2 {

/// One marked row of the customer list with its customer's address, as the
/// postcards are made from it.
struct MarkedForPostcard
{
    QString 名称;               ///< the customer's name (a family row's customer)
    QString 氏名;               ///< the member's name; empty on the customer's own row
    bool member = false;        ///< a family row
    bool customerFound = false; ///< the customer is still in the data file
    QString 敬称;
    QString 郵便番号;
    QString 住所1;
    QString 住所2;
};

/// The cards for the marked rows, in the rows' order. A marked customer gets
/// one card with its 敬称 (様 when empty) and, as joint names, the first
/// report::kMaxJointNames of its marked family members (様 each); its other
/// marked members, and members whose customer is not marked, get cards of
/// their own (様) with the customer's address. A customer row whose customer
/// is gone gives no card; a member row then gets its name without an address.
std::vector<report::PostcardAddressee> postcardAddressees(const std::vector<MarkedForPostcard>& rows);

} // namespace rov2
