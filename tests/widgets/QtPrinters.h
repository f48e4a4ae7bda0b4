#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <ostream>

// Readable failure messages for the Qt values the widget tests compare.
// GoogleTest finds these by argument-dependent lookup, so they sit in the
// global namespace beside the Qt types.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QDate& date, std::ostream* out)
{
    *out << (date.isValid() ? date.toString(Qt::ISODate).toStdString() : std::string("(no date)"));
}

inline void PrintTo(const QVariant& value, std::ostream* out)
{
    if (value.isNull())
        *out << "(null)";
    else
        *out << value.typeName() << ' ' << value.toString().toStdString();
}
