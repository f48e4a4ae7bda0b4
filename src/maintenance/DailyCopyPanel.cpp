#include "DailyCopyPanel.h"

#include "Accessibility.h"
#include "ScreenControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace rov2 {
namespace {

QString lineOf(const DailyCopy& copy)
{
    const QString day = copy.day.toString(QStringLiteral("yyyy/MM/dd"));
    const std::optional<qint64> customers = customerCount(copy.path);
    return customers ? QStringLiteral("%1　顧客 %2件").arg(day).arg(*customers)
                     : QStringLiteral("%1　読めません").arg(day);
}

} // namespace

DailyCopyPanel::DailyCopyPanel(QWidget* parent) : QGroupBox(QStringLiteral("自動保存"), parent)
{
    auto* text = new QLabel(
        QStringLiteral("その日はじめて起動したときのデータを、%1日分残しています。").arg(kDailyCopies), this);
    text->setWordWrap(true);
    lst自動保存 = new QListWidget(this);
    // A few rows show; the list scrolls for the rest.
    lst自動保存->setMaximumHeight(lst自動保存->fontMetrics().height() * 4 + 8);
    cmd自動保存読込 = button("実行", this);
    nameControl(lst自動保存, QStringLiteral("lst自動保存"), QStringLiteral("自動保存の一覧"));
    nameControl(cmd自動保存読込, QStringLiteral("cmd自動保存読込"),
                QStringLiteral("選んだ自動保存から読み込む"));

    auto* g = new QGridLayout(this);
    g->addWidget(text, 0, 0, 1, 2);
    g->addWidget(lst自動保存, 1, 0, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("選んだ日のデータを読み込む"), this), 1, 1);
    g->addWidget(cmd自動保存読込, 2, 1, Qt::AlignTop | Qt::AlignRight);
    g->setColumnStretch(0, 1);
    connect(cmd自動保存読込, &QPushButton::clicked, this, &DailyCopyPanel::restoreRequested);
    connect(lst自動保存, &QListWidget::itemActivated, this, &DailyCopyPanel::restoreRequested);
}

void DailyCopyPanel::refresh(const QString& dataFile)
{
    copies_ = dailyCopies(dataFile);
    lst自動保存->clear();
    for (const DailyCopy& copy : copies_)
        lst自動保存->addItem(lineOf(copy));
    lst自動保存->setCurrentRow(copies_.isEmpty() ? -1 : 0);
    cmd自動保存読込->setEnabled(!copies_.isEmpty());
}

std::optional<DailyCopy> DailyCopyPanel::chosen() const
{
    const int row = lst自動保存->currentRow();
    if (row < 0 || row >= copies_.size())
        return std::nullopt;
    return copies_.at(row);
}

} // namespace rov2
