#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <ostream>

// Readable failure messages: GoogleTest would otherwise print Qt values as bytes.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '{' << l.join(u'|').toStdString() << '}';
}
inline void PrintTo(const QDate& d, std::ostream* os)
{
    *os << d.toString(Qt::ISODate).toStdString();
}
inline void PrintTo(const QVariant& v, std::ostream* os)
{
    *os << (v.isValid() ? v.typeName() : "invalid") << ':' << v.toString().toStdString();
}
