#pragma once

#include "CsvRowFields.h"
#include "CustomerCsvImport.h"

namespace rov2 {

/// The rows of one file read as customers under one set of choices: which
/// columns feed which field, and in which order their parts are joined, are
/// worked out once from the mapping and the heading line, and today is read
/// once, so that a row costs only its own cells.
class CustomerRowReader
{
public:
    /// @param headings the file's heading line, or empty when it has none:
    /// the parts of a field are then joined in column order.
    CustomerRowReader(const CsvImportOptions& options, const QStringList& headings);

    /// The fields of one row (customerFromRow), the joint names 連名1 to
    /// 連名5 among them; or nothing, with the reason in @p reason.
    std::optional<QVariantMap> read(const QStringList& cells, QString* reason) const;

    /// The same into @p row, a row of layout(), reused from row to row.
    /// @return false, with the reason in @p reason, when the row is refused.
    bool read(const QStringList& cells, FieldValues* row, QString* reason) const;

    /// Where the fields stand in the rows read.
    const FieldLayout& layout() const { return layout_; }

    /// The 名称 the row gives, its parts joined: what a refused row is listed by.
    QString name(const QStringList& cells) const;

private:
    FieldLayout layout_;
    std::vector<FieldColumns> columns_;
    std::size_t name_ = 0; ///< index of 名称 in columns_; its size when no column has it
    std::size_t nameSlot_ = FieldLayout::slotOf(u"名称"); ///< where 名称 stands in a row
    RowRules rules_;
};

} // namespace rov2
