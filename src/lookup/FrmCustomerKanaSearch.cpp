#include "FrmCustomerKanaSearch.h"

#include "Accessibility.h"
#include "CustomerLookup.h"
#include "FrmCustomerSearch.h"
#include "KanaTableModel.h"
#include "MatchList.h"
#include "MatchTableModel.h"
#include "TypedSearchWindow.h"

#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <QtDebug>

namespace rov2 {

FrmCustomerKanaSearch::FrmCustomerKanaSearch(const QString& dataFile, QWidget* parent)
    : QDialog(parent), dataFile_(dataFile), kanaModel_(new KanaTableModel(this)), kana_(new QTableView(this)),
      model_(new MatchTableModel({QStringLiteral("顧客名"), QStringLiteral("ふりがな"), QStringLiteral("住所１"),
                                  QStringLiteral("電話番号")},
                                 this)),
      list_(new MatchList(this)), count_(new QLabel(this))
{
    setObjectName(QStringLiteral("FrmCustomerKanaSearch"));
    setWindowTitle(QStringLiteral("顧客検索（五十音）"));
    setModal(true);
    resize(760, 560);

    kana_->setModel(kanaModel_);
    kana_->setSelectionMode(QAbstractItemView::SingleSelection);
    kana_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    kana_->setTabKeyNavigation(false);
    kana_->horizontalHeader()->setVisible(false);
    kana_->verticalHeader()->setVisible(false);
    const int side = fontMetrics().height() * 2;
    kana_->horizontalHeader()->setDefaultSectionSize(side);
    kana_->verticalHeader()->setDefaultSectionSize(side);
    kana_->setFixedSize(side * kanaModel_->columnCount() + 4, side * kanaModel_->rowCount() + 4);
    kana_->installEventFilter(this);
    list_->setModel(model_);
    nameControl(kana_, QStringLiteral("Grid五十音"), QStringLiteral("五十音"));
    nameControl(list_, QStringLiteral("Grid顧客"), QStringLiteral("顧客"));
    count_->setObjectName(QStringLiteral("lbl件数"));
    count_->setAccessibleDescription(QStringLiteral("lbl件数"));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(kana_);
    top->addStretch(1);
    layout->addLayout(top);
    layout->addWidget(count_);
    layout->addWidget(list_, 1);
    layout->addWidget(new QLabel(QStringLiteral("矢印:かなを選ぶ　Enter:一覧へ／選択　↑(一覧の先頭で):かなへ　Esc:閉じる"),
                                 this));

    connect(kana_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrmCustomerKanaSearch::listCurrent);
    connect(kana_, &QAbstractItemView::clicked, this, &FrmCustomerKanaSearch::listCurrent);
    connect(list_, &MatchList::rowChosen, this, &FrmCustomerKanaSearch::choose);
    connect(list_, &MatchList::upFromFirstRow, this, [this] { kana_->setFocus(Qt::OtherFocusReason); });
    List顧客(QStringLiteral("あ"));
    kana_->setFocus(Qt::OtherFocusReason);
}

void FrmCustomerKanaSearch::List顧客(const QString& kana)
{
    const QModelIndex cell = kanaModel_->indexOf(kana);
    if (cell.isValid() && kana_->currentIndex() != cell) {
        // The change of the current cell lists the customers.
        kana_->setCurrentIndex(cell);
        return;
    }
    listed_ = kana;
    haveListed_ = true;
    if (!readCustomers()) {
        model_->setRows({});
        count_->setText(QStringLiteral("顧客データを読めません。"));
        return;
    }
    const CustomerMatches found = index_->byKana(kana, kListLimit);
    model_->setRows(customerRows(found));
    const QString head = kana.isEmpty() ? KanaTableModel::othersText() : kana;
    if (found.rows.isEmpty())
        count_->setText(head + QStringLiteral("：該当する顧客はありません。"));
    else
        count_->setText(head + QStringLiteral("：") + countWithUnit(static_cast<int>(found.rows.size())) +
                        (found.more ? QStringLiteral("以上") : QString()));
    list_->setCurrentRow(0);
}

bool FrmCustomerKanaSearch::readCustomers()
{
    if (index_)
        return true;
    QString error;
    index_ = CustomerIndex::load(dataFile_, &error);
    if (!index_)
        qWarning().noquote() << "kana search: cannot read" << dataFile_ << error;
    return index_.has_value();
}

void FrmCustomerKanaSearch::listCurrent()
{
    const QModelIndex cell = kana_->currentIndex();
    if (!cell.isValid() || !(kanaModel_->flags(cell) & Qt::ItemIsEnabled))
        return;
    const QString kana = kanaModel_->kanaAt(cell);
    if (haveListed_ && kana == listed_)
        return;
    List顧客(kana);
}

void FrmCustomerKanaSearch::choose(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    chosen_ = model_->rowAt(row).key;
    accept();
}

bool FrmCustomerKanaSearch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == kana_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && model_->rowCount() > 0) {
            list_->setFocus(Qt::OtherFocusReason);
            list_->setCurrentRow(std::max(0, list_->currentRow()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace rov2
