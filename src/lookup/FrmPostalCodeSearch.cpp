#include "FrmPostalCodeSearch.h"

#include "PostalCodeLookup.h"

namespace rov2 {

QString displayedPostalCode(const QString& code)
{
    if (code.size() != 7)
        return code;
    for (const QChar c : code)
        if (!c.isDigit())
            return code;
    return code.left(3) + QLatin1Char('-') + code.mid(3);
}

FrmPostalCodeSearch::FrmPostalCodeSearch(const QString& dictionary, QWidget* parent)
    : TypedSearchWindow({"郵便番号検索", "txt検索", "Grid郵便番号", {QStringLiteral("郵便番号"), QStringLiteral("住所")},
                         "郵便番号の上3桁以上か、住所の一部を入力　↓:一覧へ　Enter:選択　Esc:閉じる"},
                        parent),
      dictionary_(dictionary)
{
    setObjectName(QStringLiteral("FrmPostalCodeSearch"));
    Search();
}

std::optional<TypedSearchWindow::Found> FrmPostalCodeSearch::find(const QString& text, QString* failure)
{
    const std::optional<PostalMatches> found = findPostalCodes(dictionary_, text, kListLimit);
    if (!found) {
        *failure = QStringLiteral("郵便番号辞書を読めません。");
        return std::nullopt;
    }
    Found out;
    out.more = found->more;
    out.rows.reserve(found->rows.size());
    for (const PostalMatch& m : found->rows)
        out.rows.push_back({{displayedPostalCode(m.code), m.address}, m.code});
    return out;
}

QString FrmPostalCodeSearch::countText(const QString& text, int rows, bool more) const
{
    switch (classifyPostalQuery(text)) {
    case PostalQueryKind::Nothing: return QStringLiteral("郵便番号の上3桁以上か、住所の一部を入力してください。");
    case PostalQueryKind::TooFewDigits: return QStringLiteral("郵便番号は3桁以上入力してください。");
    default: break;
    }
    if (rows == 0)
        return QStringLiteral("該当する住所はありません。");
    if (more)
        return countWithUnit(rows) + QStringLiteral("以上あります。続けて入力すると絞り込めます。");
    return countWithUnit(rows);
}

void FrmPostalCodeSearch::keep(const MatchTableModel::Row& row)
{
    code_ = row.key;
    address_ = row.cells.value(1);
}

} // namespace rov2
