#include "FieldLayout.h"

#include "CsvFieldNames.h"

namespace rov2 {

FieldLayout::FieldLayout(const std::vector<QString>& mapping) : fields_(mappableFields())
{
    for (const QString& field : mapping)
        if (!fields_.contains(field))
            fields_ << field;
}

int FieldLayout::slot(const QString& field) const
{
    return static_cast<int>(fields_.indexOf(field));
}

QVariantMap FieldLayout::toMap(const FieldValues& row) const
{
    QVariantMap out;
    for (std::size_t i = 0; i < row.size(); ++i)
        if (row[i].isValid())
            out.insert(fields_.at(static_cast<qsizetype>(i)), row[i]);
    return out;
}

std::size_t FieldLayout::slotOf(const char16_t* field)
{
    const qsizetype slot = mappableFields().indexOf(QString::fromUtf16(field));
    Q_ASSERT(slot >= 0);
    return static_cast<std::size_t>(slot);
}

} // namespace rov2
