#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <vector>

namespace rov2 {

/// The fields one row of an import gives, flat: a value per field of its
/// FieldLayout, by the field's place there; an invalid QVariant where the row
/// gives nothing. A row costs one array instead of a map node per field, and
/// its fields are bound to the insert by place, not looked up by name.
using FieldValues = std::vector<QVariant>;

/// Where each field of an import stands in a row's FieldValues: the
/// importable fields of 顧客マスタ first, in the order of their insert's
/// parameters, then the joint names (mappableFields), then any other field
/// the mapping names (a family file's 氏名 or 続柄), in the mapping's order.
/// Worked out once per import.
class FieldLayout
{
public:
    explicit FieldLayout(const std::vector<QString>& mapping = {});

    /// The place of @p field, or -1 when it is none of the layout's.
    int slot(const QString& field) const;
    const QStringList& fields() const { return fields_; }
    /// A row with nothing given yet.
    FieldValues emptyRow() const { return FieldValues(static_cast<std::size_t>(fields_.size())); }
    /// The fields a row gives, by name.
    QVariantMap toMap(const FieldValues& row) const;

    /// The place of a field of mappableFields(): the same in every layout.
    static std::size_t slotOf(const char16_t* field);

private:
    QStringList fields_;
};

} // namespace rov2
