#include "CustomerRowReader.h"

#include "JapaneseDate.h"

namespace rov2 {

CustomerRowReader::CustomerRowReader(const CsvImportOptions& options, const QStringList& headings)
    : columns_(fieldColumns(options.mapping, headings)), rules_{options.defaultSex, Clock::today()}
{
    while (name_ < columns_.size() && columns_[name_].field != QStringLiteral("名称"))
        ++name_;
}

QString CustomerRowReader::name(const QStringList& cells) const
{
    return name_ < columns_.size() ? fieldText(cells, columns_[name_]) : QString();
}

std::optional<QVariantMap> CustomerRowReader::read(const QStringList& cells, QString* reason) const
{
    const QString given = name(cells);
    if (given.trimmed().isEmpty()) {
        *reason = QStringLiteral("名称がありません");
        return std::nullopt;
    }
    if (given.toUcs4().size() > kMaxNameLength) {
        *reason = QStringLiteral("名称が%1文字を超えています").arg(kMaxNameLength);
        return std::nullopt;
    }
    return fieldsOfRow(cells, columns_, rules_, reason);
}

} // namespace rov2
