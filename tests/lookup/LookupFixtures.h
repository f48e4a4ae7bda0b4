#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QVector>

#include "ModalDriving.h"

#include <ostream>

class QWidget;

// Readable failure messages: GoogleTest would otherwise print Qt values as bytes.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '{' << l.join(u'|').toStdString() << '}';
}
inline void PrintTo(const QVariant& v, std::ostream* os)
{
    *os << (v.isNull() ? "Null" : v.toString().toStdString());
}

namespace rov2::test {

/// Appends customers to 顧客マスタ of @p dataFile, one map of field to value each.
void addCustomers(const QString& dataFile, const QVector<QVariantMap>& customers);

/// Writes a postal dictionary at @p path from the KEN_ALL excerpt of the
/// fixtures, through the same reader and writer as the dictionary tool.
void writeKenAllDictionary(const QString& path);

} // namespace rov2::test
