#include "FrmCustomerSearch.h"

#include "CustomerLookup.h"
#include "SearchText.h"

#include <QThread>
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

FrmCustomerSearch::FrmCustomerSearch(const QString& dataFile, QWidget* parent, IndexLoad load)
    : TypedSearchWindow({"顧客検索", "txt検索", "Grid顧客",
                         {QStringLiteral("顧客名"), QStringLiteral("ふりがな"), QStringLiteral("住所１"),
                          QStringLiteral("電話番号")},
                         "名前・ふりがな・住所・電話番号の一部を入力　↓:一覧へ　Enter:選択　Esc:閉じる"},
                        parent),
      dataFile_(dataFile), load_(load ? std::move(load) : IndexLoad(&CustomerIndex::load))
{
    setObjectName(QStringLiteral("FrmCustomerSearch"));
    startReading();
    Search();
}

FrmCustomerSearch::~FrmCustomerSearch()
{
    if (reader_)
        reader_->wait();
}

void FrmCustomerSearch::startReading()
{
    // The reading that went before has sent its result; its thread may not have ended yet.
    if (reader_)
        reader_->wait();
    reading_ = true;
    auto reading = std::make_shared<Reading>();
    reader_.reset(QThread::create(
        [reading, load = load_, file = dataFile_] { reading->index = load(file, &reading->error); }));
    connect(reader_.get(), &QThread::finished, this, [this, reading] { arrived(*reading); });
    reader_->start();
}

void FrmCustomerSearch::arrived(Reading& reading)
{
    reading_ = false;
    if (reading.index) {
        index_ = std::move(reading.index);
    } else {
        qWarning().noquote() << "customer search: cannot read" << dataFile_ << reading.error;
        unreadable_ = true;
    }
    // The text as it is now: every key typed while the customers were read counts.
    Search();
}

std::optional<TypedSearchWindow::Found> FrmCustomerSearch::find(const QString& text, QString* failure)
{
    if (unreadable_) {
        // Said once; the next change of the text tries the file again.
        unreadable_ = false;
        *failure = QStringLiteral("顧客データを読めません。");
        return std::nullopt;
    }
    if (index_) {
        const CustomerMatches found = index_->find(text, kListLimit);
        return Found{customerRows(found), found.more};
    }
    if (searchTerms(text).isEmpty())
        return Found{};
    if (!reading_)
        startReading();
    *failure = QStringLiteral("読込中です････");
    return std::nullopt;
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
