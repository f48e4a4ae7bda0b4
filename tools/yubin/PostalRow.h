#pragma once

#include <QString>

namespace rov2::yubin {

/// One row of the postal dictionary, as a source gives it.
struct PostalRow
{
    QString code; ///< seven ASCII digits, no hyphen
    QString prefecture;
    QString city;
    QString town; ///< may be empty: the code covers the whole city or what is not listed

    bool operator==(const PostalRow&) const = default;
};

/// True for seven ASCII digits, the form Japan Post writes a code in.
inline bool isPostalCode(const QString& code)
{
    if (code.size() != 7)
        return false;
    for (const QChar c : code)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace rov2::yubin
