#include "PostcardAddressees.h"

#include <QHash>
#include <QSet>
#include <iterator>

namespace rov2 {
namespace {

const QString kSama = QStringLiteral("様");

report::PostcardAddressee addressedTo(const MarkedForPostcard& row, const QString& name,
                                      const QString& honorific)
{
    report::PostcardAddressee card;
    card.name = name;
    card.honorific = honorific;
    if (row.customerFound) {
        card.postalCode = row.郵便番号;
        card.address1 = row.住所1;
        card.address2 = row.住所2;
    }
    return card;
}

report::PostcardAddressee customerCard(const MarkedForPostcard& row)
{
    const QString honorific = row.敬称.trimmed();
    return addressedTo(row, row.名称, honorific.isEmpty() ? kSama : honorific);
}

} // namespace

std::vector<report::PostcardAddressee> postcardAddressees(const std::vector<MarkedForPostcard>& rows)
{
    // Gathered first: a member row may come before its customer's.
    QSet<QString> customers;
    QHash<QString, std::vector<const MarkedForPostcard*>> members;
    for (const MarkedForPostcard& row : rows) {
        if (row.member)
            members[row.名称].push_back(&row);
        else if (row.customerFound)
            customers.insert(row.名称);
    }
    std::vector<report::PostcardAddressee> cards;
    QSet<QString> done; // one card for a name listed twice
    for (const MarkedForPostcard& row : rows) {
        if (row.member) {
            if (!customers.contains(row.名称))
                cards.push_back(addressedTo(row, row.氏名, kSama));
            continue;
        }
        if (!row.customerFound || done.contains(row.名称))
            continue;
        done.insert(row.名称);
        report::PostcardAddressee card = customerCard(row);
        std::vector<report::PostcardAddressee> ownCards;
        for (const MarkedForPostcard* m : members.value(row.名称)) {
            if (card.jointNames.size() < static_cast<size_t>(report::kMaxJointNames))
                card.jointNames.push_back({m->氏名, kSama});
            else
                ownCards.push_back(addressedTo(*m, m->氏名, kSama));
        }
        cards.push_back(std::move(card));
        std::move(ownCards.begin(), ownCards.end(), std::back_inserter(cards));
    }
    return cards;
}

} // namespace rov2
