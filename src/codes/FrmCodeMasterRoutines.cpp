// The record routines of the code-table screen.
#include "CodeColumn.h"
#include "CodeGridView.h"
#include "CodeMasterStore.h"
#include "CodeTableModel.h"
#include "FindTrueRecord.h"
#include "FrmCodeMaster.h"
#include "Messages.h"
#include "ProgramEnv.h"
#include "SexPickList.h"
#include "SuppliedFiles.h"

#include <QComboBox>
#include <QEvent>
#include <QSignalBlocker>
#include <QtDebug>

namespace rov2 {
namespace {

void notice(const QString& text) { ShowMessage(MsgOp::その他, MsgKind::メッセージ, text); }

/// The grid back on its first row, in the column it was in.
void backToFirstRow(CodeGridView* grid, CodeTableModel* model)
{
    if (model->rowCount() == 0)
        return;
    const int column = grid->currentIndex().isValid() ? grid->currentIndex().column() : int(codes::sname);
    grid->setCurrentIndex(model->index(0, column));
}

} // namespace

void FrmCodeMaster::Form_Load()
{
    dataFileSeen_ = env().dataFileVersion;
    FormInit();
    Clearコード明細();
    {
        const QSignalBlocker quiet(cmb区分_);
        cmb区分_->setCurrentIndex(0);
    }
    applyColumnLayout(cmb区分_->currentText());
    Readコードマスタ();
}

void FrmCodeMaster::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() ||
        dataFileSeen_ == env().dataFileVersion)
        return;
    dataFileSeen_ = env().dataFileVersion;
    // The slots came from the file that was replaced: saved, they would
    // write its list over the new file's.
    if (!loadedKind_.isEmpty())
        Readコードマスタ();
}

void FrmCodeMaster::FormInit()
{
    const QSignalBlocker quiet(cmb区分_);
    cmb区分_->clear();
    cmb区分_->addItems(codeKinds());
    cmb区分_->setCurrentIndex(-1);
    Lst性別_->hide();
    applyColumnLayout(QString());
}

bool FrmCodeMaster::Clearコード明細()
{
    const bool reset = CodeMasterStore::resetWork(datコードマスタ_->workFile());
    if (!reset)
        qWarning("code table: the work slots could not be reset");
    loadedKind_.clear();
    Lst性別_->hide();
    datコードマスタ_->refresh();
    return reset;
}

void FrmCodeMaster::Readコードマスタ()
{
    const QString kind = cmb区分_->currentText();
    const bool cleared = Clearコード明細();
    if (kind.isEmpty()) {
        cmb区分_->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Taken as read even when the read failed: the kind box coming back into
    // focus would otherwise read, and tell the failure, again and again.
    loadedKind_ = kind;
    const std::optional<int> rows =
        cleared ? CodeMasterStore::loadIntoWork(env().locations.dataFile, datコードマスタ_->workFile(), kind)
                : std::nullopt;
    datコードマスタ_->refresh();
    if (!rows) {
        qWarning().noquote() << "code table: the list" << kind << "could not be read";
        notice(kind + (cleared ? QStringLiteral(" を読み込めませんでした。データファイルを確認してください。")
                               : QStringLiteral(" を読み込めませんでした。作業ファイルを確認してください。")));
        return;
    }
    if (*rows > 0 && datコードマスタ_->rowCount() > 0) {
        Gridコードマスタ_->setCurrentIndex(datコードマスタ_->index(0, codes::sname));
        Gridコードマスタ_->setFocus(Qt::OtherFocusReason);
    }
}

bool FrmCodeMaster::Entryコードマスタ(bool confirm)
{
    Gridコードマスタ_->commitPendingEdit();
    const QString kind = cmb区分_->currentText();
    if (kind.isEmpty()) {
        // Slots without a kind would be stored under an empty one.
        if (confirm)
            ShowMessage(MsgOp::入力, MsgKind::区分なし, QString());
        cmb区分_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (confirm) {
        const bool named = datコードマスタ_->hasAnyName();
        backToFirstRow(Gridコードマスタ_, datコードマスタ_);
        if (!named || !ShowMessage(MsgOp::登録, MsgKind::確認, kind))
            return false;
    }
    const auto result = CodeMasterStore::saveFromWork(env().locations.dataFile, datコードマスタ_->workFile(), kind);
    if (result == CodeMasterStore::SaveResult::Failed) {
        // The stored list is as it was, and the slots stay on the screen to try again.
        notice(kind + QStringLiteral(" を登録できませんでした。データファイルを確認してください。"));
        return false;
    }
    if (result == CodeMasterStore::SaveResult::Saved) {
        ++env().codeListsVersion;
        if (confirm)
            ShowMessage(MsgOp::登録, MsgKind::標準完了, kind);
    }
    Clearコード明細();
    focusKindBox();
    return result == CodeMasterStore::SaveResult::Saved;
}

void FrmCodeMaster::Deleteコードマスタ()
{
    Gridコードマスタ_->commitPendingEdit();
    const bool marked = FindTrueRecord(datコードマスタ_->workFile(), QStringLiteral("wコードマスタ"),
                                       QStringLiteral("チェック")) == 1;
    backToFirstRow(Gridコードマスタ_, datコードマスタ_);
    if (!marked) {
        cmb区分_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!ShowMessage(MsgOp::削除, MsgKind::伝票確認2, QStringLiteral("指定されたデータ")))
        return;
    if (!CodeMasterStore::clearMarkedNames(datコードマスタ_->workFile())) {
        notice(QStringLiteral("指定されたデータ を削除できませんでした。データファイルを確認してください。"));
        datコードマスタ_->refresh();
        return;
    }
    Entryコードマスタ(false);
    datコードマスタ_->refresh();
}

} // namespace rov2
