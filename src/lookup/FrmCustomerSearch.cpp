#include "FrmCustomerSearch.h"

#include "CustomerLookup.h"
#include "SearchText.h"

#include <QtDebug>

namespace rov2 {

QVector<MatchTableModel::Row> customerRows(const CustomerMatches& matches)
{
    QVector<MatchTableModel::Row> rows;
    rows.reserve(matches.rows.size());
    for (const CustomerMatch& m : matches.rows)
        rows.push_back({{m.名称, m.ふりがな, m.住所1, m.電話}, m.名称});
    return rows;
}

FrmCustomerSearch::FrmCustomerSearch(const QString& dataFile, QWidget* parent)
    : TypedSearchWindow({"顧客検索", "txt検索", "Grid顧客",
                         {QStringLiteral("顧客名"), QStringLiteral("ふりがな"), QStringLiteral("住所１"),
                          QStringLiteral("電話番号")},
                         "名前・ふりがな・住所・電話番号の一部を入力　↓:一覧へ　Enter:選択　Esc:閉じる"},
                        parent),
      dataFile_(dataFile)
{
    setObjectName(QStringLiteral("FrmCustomerSearch"));
    Search();
}

std::optional<TypedSearchWindow::Found> FrmCustomerSearch::find(const QString& text, QString* failure)
{
    if (!index_) {
        QString error;
        index_ = CustomerIndex::load(dataFile_, &error);
        if (!index_) {
            qWarning().noquote() << "customer search: cannot read" << dataFile_ << error;
            *failure = QStringLiteral("顧客データを読めません。");
            return std::nullopt;
        }
    }
    const CustomerMatches found = index_->find(text, kListLimit);
    return Found{customerRows(found), found.more};
}

QString FrmCustomerSearch::countText(const QString& text, int rows, bool more) const
{
    if (searchTerms(text).isEmpty())
        return QStringLiteral("名前・ふりがな・住所・電話番号の一部を入力してください。");
    if (rows == 0)
        return QStringLiteral("該当する顧客はありません。");
    if (more)
        return countWithUnit(rows) + QStringLiteral("以上あります。続けて入力すると絞り込めます。");
    return countWithUnit(rows);
}

void FrmCustomerSearch::keep(const MatchTableModel::Row& row)
{
    chosen_ = row.key;
}

} // namespace rov2
