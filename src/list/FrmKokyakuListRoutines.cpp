// The routines of the customer list: the drop-downs, clearing, listing,
// marking and deleting.
#include "CodeList.h"
#include "ComboBox.h"
#include "CustomerListModel.h"
#include "CustomerListStore.h"
#include "FindTrueRecord.h"
#include "FrmKokyakuList.h"
#include "ListColumn.h"
#include "ListGridView.h"
#include "Messages.h"
#include "ProgramEnv.h"
#include "TextBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QtDebug>

namespace rov2 {
namespace {

/// A count in the format "###,###": thousands separated, 0 (or unknown) as nothing.
QString thousands(std::optional<qint64> n)
{
    if (!n || *n == 0)
        return {};
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(*n);
}

/// Marking a family row deletes its customer and the whole family: the
/// question says so by name rather than "指定された顧客".
QString deletionSubject(const QString& dataFile, const QString& workFile)
{
    const QString marked = QStringLiteral("指定された顧客");
    const auto who = CustomerListStore::markedDeletion(dataFile, workFile);
    if (!who || !who->familyRowMarked)
        return marked;
    const QLocale locale;
    const QString family = locale.toString(who->family);
    if (who->customers == 1)
        return QStringLiteral("顧客 %1 と家族 %2人").arg(who->firstName, family);
    return marked + QStringLiteral(" %1人と家族 %2人").arg(locale.toString(who->customers), family);
}

void notice(const QString& text) { ShowMessage(MsgOp::その他, MsgKind::メッセージ, text); }

} // namespace

void FrmKokyakuList::Form_Load()
{
    dataFileSeen_ = env().dataFileVersion;
    model_->setWorkFile(env().locations.workFile);
    Clear顧客一覧();
    SetComb(ListComb::すべて);
}

void FrmKokyakuList::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A list drawn from a data file that was since replaced would open, print
    // and delete customers by the names of another file.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        dataFileSeen_ != env().dataFileVersion)
        Form_Load();
}

void FrmKokyakuList::SetComb(ListComb which)
{
    const std::pair<ListComb, ComboBox*> filters[] = {{ListComb::区分1, cmb区分1_},
                                                      {ListComb::区分2, cmb区分2_}};
    bool allRead = true;
    for (const auto& [list, box] : filters) {
        if (which != ListComb::すべて && which != list)
            continue;
        const QString kind = list == ListComb::区分1 ? QStringLiteral("区分1") : QStringLiteral("区分2");
        // A list that cannot be read keeps what it offered: one cut short would pass for the whole list.
        const std::optional<QStringList> names = readCodeList(env().locations.dataFile, kind);
        if (names)
            box->replaceItems(*names, false);
        allRead = allRead && names.has_value();
    }
    if (!allRead) {
        qWarning("customer list: a code list could not be read");
        notice(QStringLiteral("コード表 を読み込めませんでした。データファイルを確認してください。"));
    }
    cmb性別_->replaceItems({QStringLiteral("女"), QStringLiteral("男")}, false);
    QStringList months;
    for (int m = 1; m <= 12; ++m)
        months << QString::number(m);
    cmb誕生月_->replaceItems(months, false);
}

void FrmKokyakuList::Clear顧客一覧()
{
    if (!CustomerListStore::clearList(model_->workFile())) {
        qWarning("customer list: the list could not be emptied");
        notice(QStringLiteral("一覧 をクリアできませんでした。作業ファイルを確認してください。"));
    }
    txtふりがな_->clear();
    for (ComboBox* c : {cmb区分1_, cmb区分2_, cmb性別_, cmb誕生月_})
        c->setText(QString());
    Chk家族_->setChecked(false);
    for (QLabel* l : {LblAllNum_, LblDispNum_, LblFamNum_})
        l->clear();
    model_->refresh();
}

void FrmKokyakuList::Read顧客一覧()
{
    const ListFilter filter{cmb区分1_->text(), cmb区分2_->text(), txtふりがな_->text(),
                            cmb誕生月_->text(), cmb性別_->text(),  Chk家族_->isChecked()};
    showBusy(QStringLiteral("読込中です････"));
    ListCounts counts;
    const bool built = CustomerListStore::buildList(env().locations.dataFile, model_->workFile(), filter, &counts);
    showCounts(counts);
    model_->refresh(counts.listed);
    hideBusy();
    if (!built) {
        qWarning("customer list: the search failed; the list is empty");
        notice(QStringLiteral("顧客一覧 を読み込めませんでした。データファイルを確認してください。"));
    }
    focusGrid();
}

void FrmKokyakuList::showCounts(const ListCounts& n)
{
    LblDispNum_->setText(thousands(n.listed));
    LblAllNum_->setText(thousands(n.customers));
    LblFamNum_->setText(thousands(n.family));
}

void FrmKokyakuList::focusGrid()
{
    if (model_->rowCount() > 0 && !Grid明細_->currentIndex().isValid())
        Grid明細_->setCurrentIndex(model_->index(0, listcol::名称));
    Grid明細_->setFocus(Qt::OtherFocusReason);
}

void FrmKokyakuList::OnOff顧客一覧(bool mark)
{
    const bool changed = CustomerListStore::setAllMarks(model_->workFile(), mark);
    model_->reloadRows();
    if (!changed) {
        qWarning("customer list: the marks could not be changed");
        notice((mark ? QStringLiteral("全選択") : QStringLiteral("全解除")) +
               QStringLiteral(" を行えませんでした。作業ファイルを確認してください。"));
    }
    focusGrid();
}

void FrmKokyakuList::Delete顧客マスタ()
{
    if (model_->rowCount() == 0)
        return;
    const QString& work = model_->workFile();
    if (FindTrueRecord(work, QStringLiteral("w顧客リスト"), QStringLiteral("チェック")) == 0) {
        txtふりがな_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!ShowMessage(MsgOp::削除, MsgKind::伝票確認2,
                     deletionSubject(env().locations.dataFile, work)))
        return;
    showBusy(QStringLiteral("削除中です････"));
    const bool deleted = CustomerListStore::deleteMarked(env().locations.dataFile, work);
    hideBusy();
    if (!deleted) {
        // Nothing was deleted: the list keeps its marks, so the user may try again.
        ShowMessage(MsgOp::削除, MsgKind::削除不可能, QStringLiteral("指定された顧客は"));
        return;
    }
    Read顧客一覧();
}

} // namespace rov2
