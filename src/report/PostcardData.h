#pragma once

#include <QString>
#include <vector>

namespace rov2::report {

/// A name written beside the addressee's on the same card (連名).
struct JointName {
    QString name;       ///< as stored, surname and given name split by a blank
    QString honorific;  ///< 様 for family members
};

/// What one card is addressed to: a customer, or a family member on its own
/// with the customer's address.
struct PostcardAddressee {
    QString postalCode;  ///< as stored: seven digits, with or without a hyphen, or anything typed
    QString address1;
    QString address2;    ///< building and room, on its own line
    QString name;        ///< as stored, surname and given name split by a blank
    QString honorific;   ///< the customer's 敬称; 様 for a family member
    std::vector<JointName> jointNames;  ///< at most kMaxJointNames
};

inline constexpr int kMaxJointNames = 3;

/// The shop itself, from its own record (自社情報).
struct PostcardSender {
    QString postalCode;
    QString address;
    QString name;
    QString telephone;
    bool empty() const { return postalCode.isEmpty() && address.isEmpty() && name.isEmpty() && telephone.isEmpty(); }
};

enum class PostcardWriting { Vertical, Horizontal };
enum class PostcardPaper { Card, LongEnvelope3 };

/// How the cards are printed; kept per machine.
struct PostcardOptions {
    PostcardWriting writing = PostcardWriting::Vertical;
    bool kanjiNumerals = true;  ///< 1-2-3 as 一―二―三; otherwise as written
    bool printSender = false;
    double offsetXMm = 0;       ///< right positive, within ±kMaxOffsetMm
    double offsetYMm = 0;       ///< down positive
    PostcardPaper paper = PostcardPaper::Card;
    bool operator==(const PostcardOptions&) const = default;
};

inline constexpr double kMaxPostcardOffsetMm = 5.0;

} // namespace rov2::report
