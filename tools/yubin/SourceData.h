#pragma once

#include "PostalRow.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace rov2::yubin {

/// What reading one source gave: its rows in the source's order, the
/// problems that were passed over, or the reason it could not be read.
struct SourceData
{
    QVector<PostalRow> rows;
    QStringList warnings; ///< rows skipped or repaired, one text each
    QString error;        ///< set when the source as a whole is unusable

    bool ok() const { return error.isEmpty(); }

    static SourceData failed(const QString& reason)
    {
        SourceData d;
        d.error = reason;
        return d;
    }
};

} // namespace rov2::yubin
