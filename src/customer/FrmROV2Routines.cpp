// The record routines of the customer screen: lists, clearing, reading,
// saving and deleting one customer and its family.
#include "ComboBox.h"
#include "CustomerStore.h"
#include "DateBox.h"
#include "FamilyGrid.h"
#include "FrmROV2.h"
#include "JapaneseDate.h"
#include "Messages.h"
#include "NumberBox.h"
#include "ProgramEnv.h"
#include "TextBox.h"

#include <QLabel>
#include <QLocale>
#include <QTabWidget>
#include <QtDebug>

namespace rov2 {
namespace {

/// A count in the format "#,###": thousands separated by commas, 0 as nothing.
QString thousands(qint64 n)
{
    if (n == 0)
        return {};
    QString digits = QString::number(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > (n < 0 ? 1 : 0); i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

QVariant textOrNull(const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); }

void reload(ComboBox* box, const QStringList& entries)
{
    box->clear();
    box->addItems(entries);
    box->setText(QString());
}

} // namespace

void FrmROV2::Form_Load()
{
    LoadCompanySettings();
    FormInit();
    SetComb(QStringLiteral("すべて"));
    codeListsSeen_ = env().codeListsVersion;
    Clear顧客情報画面();
    Clear家族情報();
}

void FrmROV2::Form_Activate()
{
    refreshCodeLists();
    QString& handed = env().selectedCustomerName;
    if (handed.isEmpty())
        return;
    cmb顧客名->setText(handed);
    handed.clear();
    // Going on to the telephone box leaves the name box, whose leave check reads the customer.
    cmb顧客名->setFocus(Qt::OtherFocusReason);
    txtTEL1->setFocus(Qt::OtherFocusReason);
}

void FrmROV2::refreshCodeLists()
{
    if (codeListsSeen_ == env().codeListsVersion)
        return;
    codeListsSeen_ = env().codeListsVersion;
    const QString honorific = cmb敬称->text();
    for (const char* kind : {"敬称", "区分1", "区分2", "続柄"})
        SetComb(QString::fromUtf8(kind));
    cmb敬称->setText(honorific);
}

void FrmROV2::FormInit()
{
    Grid家族->setWorkFile(env().locations.workFile);
    const bool era = env().settings.eraCalendar();
    dt生年月日->setEraCalendar(era);
    Grid家族->setEraCalendar(era);
}

void FrmROV2::SetComb(const QString& kind)
{
    const bool all = kind == QStringLiteral("すべて");
    const QString& data = env().locations.dataFile;
    if (all || kind == QStringLiteral("敬称"))
        reload(cmb敬称, CustomerStore::codeList(data, QStringLiteral("敬称")));
    for (ComboBox* box : {cmb区分1, cmb区分2}) {
        const QString k = box == cmb区分1 ? QStringLiteral("区分1") : QStringLiteral("区分2");
        if (!all && kind != k)
            continue;
        // The category texts survive a rebuild; the other lists lose theirs.
        const QString kept = box->text();
        reload(box, CustomerStore::codeList(data, k));
        box->setText(kept);
    }
    if (all || kind == QStringLiteral("顧客"))
        reload(cmb顧客名, CustomerStore::quickCustomers(data));
    if ((all || kind == QStringLiteral("続柄")) &&
        !CustomerStore::rebuildRelationships(data, env().locations.workFile))
        qWarning("customer screen: the relationship list could not be rebuilt");
}

void FrmROV2::Clear顧客情報画面()
{
    for (ComboBox* c : {cmb顧客名, cmb敬称, cmb区分1, cmb区分2})
        c->setText(QString());
    for (TextBox* t : {txtTEL1, txtTEL2, txtFAX, txtふりがな, txtEmail, txt住所1, txt住所2, txt顧客メモ, txt郵便番号,
                       txt印刷名})
        t->clear();
    dt生年月日->setDate(std::nullopt);
    num年齢->setValue(QVariant());
    cmbクイック->clear();
    cmbクイック->addItems({QStringLiteral("しない"), QStringLiteral("する")});
    cmbクイック->setCurrentIndex(0);
    cmb性別->clear();
    cmb性別->addItems({QStringLiteral("女"), QStringLiteral("男")});
    cmb性別->setText(env().settings.性別.toString());

    LblEntNum->setText(QStringLiteral("登録数:"));
    if (const auto n = CustomerStore::customerCount(env().locations.dataFile))
        LblEntNum->setText(QStringLiteral("登録数 ") + thousands(*n));
}

void FrmROV2::Clear家族情報()
{
    if (!CustomerStore::clearFamilyWork(env().locations.workFile))
        qWarning("customer screen: the family rows could not be cleared");
    Grid家族->refresh();
}

void FrmROV2::Read家族情報(const QString& name)
{
    if (!CustomerStore::copyFamilyToWork(env().locations.dataFile, env().locations.workFile, name))
        qWarning().noquote() << "customer screen: the family of" << name << "could not be read";
    Grid家族->refresh();
}

void FrmROV2::fillInputs(const QVariantMap& f)
{
    const auto text = [&f](const char* field) { return f.value(QString::fromUtf8(field)).toString(); };
    cmb顧客名->setText(text("名称"));
    txtふりがな->setText(text("ふりがな"));
    txt郵便番号->setText(text("郵便番号"));
    txt住所1->setText(text("住所1"));
    txt住所2->setText(text("住所2"));
    cmb敬称->setText(text("敬称"));
    cmbクイック->setText(text("クイック"));
    txtEmail->setText(text("Email"));
    txtTEL1->setText(text("TEL1"));
    txtTEL2->setText(text("TEL2"));
    txtFAX->setText(text("FAX"));
    cmb区分1->setText(text("区分1"));
    cmb区分2->setText(text("区分2"));
    const auto birth = fromStoredDate(text("生年月日"));
    dt生年月日->setDate(birth ? std::optional<QDate>(*birth) : std::nullopt);
    cmb性別->setText(text("性別"));
    num年齢->setValue(f.value(QStringLiteral("年齢")));
    txt顧客メモ->setText(text("顧客メモ"));
    txt印刷名->setText(text("印刷名"));
}

QVariantMap FrmROV2::collectInputs() const
{
    QVariantMap f;
    f.insert(QStringLiteral("名称"), cmb顧客名->text());
    f.insert(QStringLiteral("ふりがな"), txtふりがな->text());
    f.insert(QStringLiteral("郵便番号"), txt郵便番号->text());
    f.insert(QStringLiteral("住所1"), txt住所1->text());
    f.insert(QStringLiteral("住所2"), txt住所2->text());
    f.insert(QStringLiteral("敬称"), cmb敬称->text());
    f.insert(QStringLiteral("クイック"), cmbクイック->text());
    f.insert(QStringLiteral("Email"), txtEmail->text());
    f.insert(QStringLiteral("TEL1"), txtTEL1->text());
    f.insert(QStringLiteral("TEL2"), txtTEL2->text());
    f.insert(QStringLiteral("FAX"), txtFAX->text());
    f.insert(QStringLiteral("区分1"), cmb区分1->text());
    f.insert(QStringLiteral("区分2"), cmb区分2->text());
    const auto birth = dt生年月日->date();
    f.insert(QStringLiteral("生年月日"), birth ? QVariant(toStoredDate(*birth)) : QVariant());
    f.insert(QStringLiteral("誕生月"), birth ? QVariant(birth->month()) : QVariant());
    f.insert(QStringLiteral("性別"), cmb性別->text());
    f.insert(QStringLiteral("年齢"), num年齢->value());
    f.insert(QStringLiteral("顧客メモ"), txt顧客メモ->text());
    f.insert(QStringLiteral("印刷名"), textOrNull(txt印刷名->text()));
    return f;
}

void FrmROV2::Read顧客情報(const QString& name)
{
    showBusy(QStringLiteral("読込中です････"));
    // A customer that is found replaces everything shown, Null fields included;
    // with no customer of that name the inputs stay as typed, so that a
    // customer can be copied under a new name.
    if (const auto found = CustomerStore::readCustomer(env().locations.dataFile, name))
        fillInputs(*found);
    Read家族情報(cmb顧客名->text());
    hideBusy();
}

void FrmROV2::Entry顧客マスタ(const QString& name)
{
    if (name.isEmpty())
        return;
    Grid家族->commitPendingEdit();
    if (!ShowMessage(QStringLiteral("登録"), QStringLiteral("確認"), name))
        return;
    showBusy(QStringLiteral("登録しています････"));
    const CustomerStore::FamilyOwner owner{cmb顧客名->text(), textOrNull(cmb区分1->text()),
                                           textOrNull(cmb区分2->text())};
    const bool saved = CustomerStore::saveCustomer(env().locations.dataFile, env().locations.workFile, name,
                                                   collectInputs(), owner);
    if (!saved) {
        // Nothing was written; what the user typed stays on the screen.
        hideBusy();
        ShowMessage(QStringLiteral("その他"), QStringLiteral("メッセージ"),
                    name + QStringLiteral(" を登録できませんでした。データファイルを確認してください。"));
        return;
    }
    SetComb(QStringLiteral("顧客"));
    hideBusy();
    ShowMessage(QStringLiteral("登録"), QStringLiteral("標準完了"), name);
    endRecordAction();
}

void FrmROV2::Delete顧客()
{
    const QString name = cmb顧客名->text();
    if (name.isEmpty())
        return;
    if (!ShowMessage(QStringLiteral("削除"), QStringLiteral("伝票確認2"), name))
        return;
    showBusy(QStringLiteral("削除しています････"));
    const bool deleted = CustomerStore::deleteCustomer(env().locations.dataFile, name);
    if (!deleted) {
        hideBusy();
        ShowMessage(QStringLiteral("その他"), QStringLiteral("メッセージ"),
                    name + QStringLiteral(" を削除できませんでした。データファイルを確認してください。"));
        return;
    }
    Clear顧客情報画面();
    Clear家族情報();
    SetComb(QStringLiteral("顧客"));
    hideBusy();
    cmb顧客名->setFocus(Qt::OtherFocusReason);
}

void FrmROV2::endRecordAction()
{
    Clear顧客情報画面();
    Clear家族情報();
    Tab顧客情報->setCurrentIndex(0);
    cmb顧客名->setFocus(Qt::OtherFocusReason);
}

} // namespace rov2
