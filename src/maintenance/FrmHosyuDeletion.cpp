// The データ削除 tab: each deletion asks first (No preselected) and reports.
#include "BulkDeletion.h"
#include "FrmHosyu.h"
#include "Messages.h"
#include "ProgramEnv.h"

#include <QApplication>

namespace rov2 {
namespace {

bool askDelete(const QString& subject)
{
    return ShowMessage(MsgOp::削除, MsgKind::伝票確認2, subject);
}

/// A wait cursor while a deletion runs on a large file.
class Busy {
public:
    Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Busy() { QApplication::restoreOverrideCursor(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

} // namespace

void FrmHosyu::reportDeletion(const QString& subject, bool done)
{
    if (done) {
        // The other screens still show what was deleted until they read the file again.
        ++env().dataFileVersion;
        ShowMessage(MsgOp::削除, MsgKind::伝票完了2, subject);
    } else
        ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                    subject + QStringLiteral(" を削除できませんでした。データは削除する前のままです。"
                                             "データファイルを確認してください。"));
}

void FrmHosyu::DeleteAllData()
{
    const QString subject = QStringLiteral("すべてのデータ");
    if (!askDelete(subject))
        return;
    // Customers and code names go together, so that a failure leaves neither half done.
    bool done = false;
    {
        Busy busy;
        done = BulkDeletion::deleteAllData(env().locations.dataFile);
    }
    reportDeletion(subject, done);
}

bool FrmHosyu::DeleteAllKokyaku(bool confirm)
{
    const QString subject = QStringLiteral("すべての顧客情報");
    if (confirm && !askDelete(subject))
        return false;
    bool done = false;
    {
        Busy busy;
        done = BulkDeletion::deleteAllCustomers(env().locations.dataFile);
    }
    if (confirm)
        reportDeletion(subject, done);
    return done;
}

bool FrmHosyu::DelAllCodeMaster() { return BulkDeletion::blankCodeNames(env().locations.dataFile); }

void FrmHosyu::DeleteCodeTables()
{
    const QString subject = QStringLiteral("すべてのコード表");
    if (askDelete(subject))
        reportDeletion(subject, DelAllCodeMaster());
}

void FrmHosyu::DeleteAll着信履歴()
{
    const QString subject = QStringLiteral("すべての着信履歴");
    if (askDelete(subject))
        reportDeletion(subject, BulkDeletion::deleteCallHistory(env().locations.dataFile));
}

void FrmHosyu::DelSiteiKokyaku(qint64 code, const QString& name)
{
    if (name.isEmpty()) {
        ShowMessage(MsgOp::入力, MsgKind::必須入力なし, QStringLiteral("顧客名が"));
        return;
    }
    const QString subject = name + QStringLiteral("の顧客情報、着信履歴");
    if (askDelete(subject))
        reportDeletion(subject, BulkDeletion::deleteCustomerByCode(env().locations.dataFile, code));
}

} // namespace rov2
