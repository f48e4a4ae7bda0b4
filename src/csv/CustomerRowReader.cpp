#include "CustomerRowReader.h"

#include "JapaneseDate.h"

namespace rov2 {
namespace {

/// The characters of @p text as toUcs4() counts them, without making the
/// copy: a surrogate pair is one.
qsizetype characters(const QString& text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++n)
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    return n;
}

} // namespace

CustomerRowReader::CustomerRowReader(const CsvImportOptions& options, const QStringList& headings)
    : layout_(options.mapping),
      columns_(fieldColumns(options.mapping, headings)), rules_{options.defaultSex, Clock::today()}
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
    FieldValues row = layout_.emptyRow();
    if (!read(cells, &row, reason))
        return std::nullopt;
    return layout_.toMap(row);
}

bool CustomerRowReader::read(const QStringList& cells, FieldValues* row, QString* reason) const
{
    fieldTexts(cells, columns_, row);
    const QString given = (*row)[nameSlot_].toString(); // invalid, and so empty, without a 名称
    if (given.trimmed().isEmpty()) {
        *reason = QStringLiteral("名称がありません");
        return false;
    }
    if (characters(given) > kMaxNameLength) {
        *reason = QStringLiteral("名称が%1文字を超えています").arg(kMaxNameLength);
        return false;
    }
    return applyRowRules(rules_, row, reason);
}

} // namespace rov2
