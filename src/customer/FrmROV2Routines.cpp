// The record routines of the customer screen: lists, clearing, reading,
// saving and deleting one customer and its family.
#include "CodeList.h"
#include "ComboBox.h"
#include "Database.h"
#include "CustomerStore.h"
#include "DateBox.h"
#include "FamilyGrid.h"
#include "FrmROV2.h"
#include "JapaneseDate.h"
#include "Messages.h"
#include "NumberBox.h"
#include "ProgramEnv.h"
#include "TextBox.h"

#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QTabWidget>
#include <QtDebug>

#include <utility>
#include <vector>

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

const QStringList& codeKinds()
{
    static const QStringList kinds = {QStringLiteral("敬称"), QStringLiteral("区分1"), QStringLiteral("区分2")};
    return kinds;
}

} // namespace

void FrmROV2::Form_Load()
{
    LoadCompanySettings(env().locations.dataFile, env().settings);
    FormInit();
    SetComb(CustomerComb::すべて);
    codeListsSeen_ = env().codeListsVersion;
    dataFileSeen_ = env().dataFileVersion;
    Clear顧客情報画面();
    Clear家族情報();
}

void FrmROV2::Form_Activate()
{
    // After the data file was replaced everything is read again, and the
    // customer shown goes too: it came from the file that was replaced, and
    // saving it would write that file's record over the new one.
    if (dataFileSeen_ != env().dataFileVersion)
        Form_Load();
    else
        refreshCodeLists();
    QString& handed = env().selectedCustomerName;
    if (handed.isEmpty())
        return;
    cmb顧客名_->setText(handed);
    handed.clear();
    // Going on to the telephone box leaves the name box, whose leave check reads the customer.
    cmb顧客名_->setFocus(Qt::OtherFocusReason);
    txtTEL1_->setFocus(Qt::OtherFocusReason);
}

void FrmROV2::refreshCodeLists()
{
    if (codeListsSeen_ == env().codeListsVersion)
        return;
    codeListsSeen_ = env().codeListsVersion;
    const QString honorific = cmb敬称_->text();
    reloadCodeLists(codeKinds());
    SetComb(CustomerComb::続柄);
    cmb敬称_->setText(honorific);
}

void FrmROV2::FormInit()
{
    Grid家族_->setWorkFile(env().locations.workFile);
    const bool era = env().settings.eraCalendar();
    dt生年月日_->setEraCalendar(era);
    Grid家族_->setEraCalendar(era);
}

QString codeTableKind(CustomerComb list)
{
    switch (list) {
    case CustomerComb::敬称: return QStringLiteral("敬称");
    case CustomerComb::区分1: return QStringLiteral("区分1");
    case CustomerComb::区分2: return QStringLiteral("区分2");
    default: return {};
    }
}

void FrmROV2::SetComb(CustomerComb list)
{
    const bool all = list == CustomerComb::すべて;
    const QString& data = env().locations.dataFile;
    reloadCodeLists(all ? codeKinds() : QStringList{codeTableKind(list)});
    if (all || list == CustomerComb::顧客)
        reload(cmb顧客名_, CustomerStore::quickCustomers(data));
    if ((all || list == CustomerComb::続柄) &&
        !CustomerStore::rebuildRelationships(data, env().locations.workFile))
        qWarning("customer screen: the relationship list could not be rebuilt");
}

void FrmROV2::reloadCodeLists(const QStringList& kinds)
{
    const std::pair<QString, ComboBox*> lists[] = {{QStringLiteral("敬称"), cmb敬称_},
                                                   {QStringLiteral("区分1"), cmb区分1_},
                                                   {QStringLiteral("区分2"), cmb区分2_}};
    bool allRead = true;
    for (const auto& [kind, box] : lists) {
        if (!kinds.contains(kind))
            continue;
        const std::optional<QStringList> names = readCodeList(env().locations.dataFile, kind);
        if (!names) {
            allRead = false; // the box keeps what it offered: a list cut short would pass for the whole one
            continue;
        }
        // The category texts survive a rebuild; the honorific loses its text.
        const QString kept = box->text();
        reload(box, *names);
        if (box != cmb敬称_)
            box->setText(kept);
    }
    if (!allRead) {
        qWarning("customer screen: a code list could not be read");
        ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                    QStringLiteral("コード表 を読み込めませんでした。データファイルを確認してください。"));
    }
}

void FrmROV2::Clear顧客情報画面()
{
    for (ComboBox* c : {cmb顧客名_, cmb敬称_, cmb区分1_, cmb区分2_})
        c->setText(QString());
    for (TextBox* t : {txtTEL1_, txtTEL2_, txtFAX_, txtふりがな_, txtEmail_, txt住所1_, txt住所2_, txt顧客メモ_, txt郵便番号_,
                       txt印刷名_})
        t->clear();
    dt生年月日_->setDate(std::nullopt);
    num年齢_->setValue(QVariant());
    cmbクイック_->clear();
    cmbクイック_->addItems({QStringLiteral("しない"), QStringLiteral("する")});
    cmbクイック_->setCurrentIndex(0);
    cmb性別_->clear();
    cmb性別_->addItems({QStringLiteral("女"), QStringLiteral("男")});
    cmb性別_->setText(env().settings.性別.toString());
    checkedName_ = QString();

    LblEntNum_->setText(QStringLiteral("登録数:"));
    if (const auto n = CustomerStore::customerCount(env().locations.dataFile))
        LblEntNum_->setText(QStringLiteral("登録数 ") + thousands(*n));
}

void FrmROV2::Clear家族情報()
{
    if (!CustomerStore::clearFamilyWork(env().locations.workFile)) {
        qWarning("customer screen: the family rows could not be cleared");
        Grid家族_->showNoRows(); // the rows left there belong to the previous customer
        return;
    }
    if (!Grid家族_->refresh())
        qWarning("customer screen: the family grid could not read its rows");
}

bool FrmROV2::Read家族情報(const QString& name) { return readFamily(name, nullptr); }

bool FrmROV2::readFamily(const QString& name, QString* failedFile)
{
    QString failed;
    if (!CustomerStore::copyFamilyToWork(env().locations.dataFile, env().locations.workFile, name,
                                         Clock::today(), &failed)) {
        if (failedFile)
            *failedFile = failed;
        qWarning().noquote() << "customer screen: the family of" << name << "could not be read from" << failed;
        // Whatever the work table still holds belongs to another customer.
        Grid家族_->showNoRows();
        return false;
    }
    if (!Grid家族_->refresh())
        qWarning("customer screen: the family grid could not read its rows");
    return true;
}

namespace {

/// How a field of 顧客マスタ is kept on the screen.
enum class Held {
    Text,       ///< the text of a box, saved even when empty
    TextOrNull, ///< the text of a box, Null when empty
    Date,       ///< a date box: "yyyy/mm/dd", or Null without a date
    Month,      ///< derived from the birth date: its month, or Null
    Age,        ///< the age box: the age on today's date where the birth date is known (ageToShow),
                ///< else the number, or Null when empty
};

struct FieldControl {
    const char* field;
    Held held;
    QWidget* control; ///< nullptr for a derived field
};

QString textOf(const QWidget* w)
{
    if (const auto* combo = qobject_cast<const ComboBox*>(w))
        return combo->text();
    return static_cast<const TextBox*>(w)->text();
}

void setTextOf(QWidget* w, const QString& text)
{
    if (auto* combo = qobject_cast<ComboBox*>(w))
        combo->setText(text);
    else
        static_cast<TextBox*>(w)->setText(text);
}

/// The one list of the customer's fields and the inputs that show them, in
/// the order they are read and saved.
std::vector<FieldControl> fieldControls(const FrmROV2& f)
{
    return {{"名称", Held::Text, f.cmb顧客名()},        {"ふりがな", Held::Text, f.txtふりがな()},
            {"郵便番号", Held::Text, f.txt郵便番号()},   {"住所1", Held::Text, f.txt住所1()},
            {"住所2", Held::Text, f.txt住所2()},         {"敬称", Held::Text, f.cmb敬称()},
            {"クイック", Held::Text, f.cmbクイック()},   {"Email", Held::Text, f.txtEmail()},
            {"TEL1", Held::Text, f.txtTEL1()},           {"TEL2", Held::Text, f.txtTEL2()},
            {"FAX", Held::Text, f.txtFAX()},             {"区分1", Held::Text, f.cmb区分1()},
            {"区分2", Held::Text, f.cmb区分2()},         {"生年月日", Held::Date, f.dt生年月日()},
            {"誕生月", Held::Month, nullptr},            {"性別", Held::Text, f.cmb性別()},
            {"年齢", Held::Age, f.num年齢()},            {"顧客メモ", Held::Text, f.txt顧客メモ()},
            {"印刷名", Held::TextOrNull, f.txt印刷名()}};
}

} // namespace

void FrmROV2::fillInputs(const QVariantMap& f)
{
    for (const FieldControl& c : fieldControls(*this)) {
        const QVariant v = f.value(QString::fromUtf8(c.field));
        switch (c.held) {
        case Held::Text:
        case Held::TextOrNull: setTextOf(c.control, v.toString()); break;
        case Held::Date: {
            const auto birth = fromStoredDate(v.toString());
            static_cast<DateBox*>(c.control)->setDate(birth ? std::optional<QDate>(*birth) : std::nullopt);
            break;
        }
        case Held::Age: {
            const QString birth = f.value(QStringLiteral("生年月日")).toString();
            static_cast<NumberBox*>(c.control)->setValue(ageToShow(birth, v, Clock::today()));
            break;
        }
        case Held::Month: break;
        }
    }
}

QVariantMap FrmROV2::collectInputs() const
{
    QVariantMap f;
    const auto birth = dt生年月日_->date();
    for (const FieldControl& c : fieldControls(*this)) {
        QVariant v;
        switch (c.held) {
        case Held::Text: v = textOf(c.control); break;
        case Held::TextOrNull: v = textOrNull(textOf(c.control)); break;
        case Held::Date: v = birth ? QVariant(toStoredDate(*birth)) : QVariant(); break;
        case Held::Month: v = birth ? QVariant(birth->month()) : QVariant(); break;
        case Held::Age: {
            const QVariant typed = static_cast<const NumberBox*>(c.control)->value();
            v = ageToShow(birth ? toStoredDate(*birth) : QString(), typed, Clock::today());
            break;
        }
        }
        f.insert(QString::fromUtf8(c.field), v);
    }
    return f;
}

void FrmROV2::reportUnreadable(const QString& name, const QString& file)
{
    ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                name + QStringLiteral(" を読み込めませんでした。") + QDir::toNativeSeparators(file) +
                    QStringLiteral(" を確認してください。"));
}

bool FrmROV2::Read顧客情報(const QString& name)
{
    // An empty name (the kana search closed without a choice) finds no
    // customer: a stray row stored without a name must not replace what is
    // typed, and the family grid keeps the rows typed since it was last read,
    // which reading it again would throw away.
    if (name.isEmpty())
        return true;
    showBusy(QStringLiteral("読込中です････"));
    // A customer that is found replaces everything shown, Null fields included;
    // with no customer of that name the inputs stay as typed, so that a
    // customer can be copied under a new name.
    const CustomerStore::CustomerRead read = CustomerStore::readCustomer(env().locations.dataFile, name);
    if (read.outcome == CustomerStore::ReadOutcome::Found)
        fillInputs(read.fields);
    bool ok = read.outcome != CustomerStore::ReadOutcome::Failed;
    QString failedFile = env().locations.dataFile;
    if (ok) {
        ok = readFamily(cmb顧客名_->text(), &failedFile);
    } else {
        qWarning().noquote() << "customer screen: the customer" << name << "could not be read from" << failedFile;
        Grid家族_->showNoRows();
    }
    hideBusy();
    if (!ok) {
        // Unknown is not new: nothing may be saved or deleted under this name
        // until it has been read.
        checkedName_.reset();
        reportUnreadable(name, failedFile);
        return false;
    }
    checkedName_ = cmb顧客名_->text();
    return true;
}

bool FrmROV2::Entry家族情報(Database& data, const QString& name)
{
    const CustomerStore::FamilyOwner owner{name, textOrNull(cmb区分1_->text()), textOrNull(cmb区分2_->text()),
                                           Clock::today()};
    return CustomerStore::writeFamilyFromWork(data, env().locations.workFile, owner);
}

void FrmROV2::Entry顧客マスタ(const QString& name)
{
    if (name.isEmpty())
        return;
    Grid家族_->commitPendingEdit();
    if (!checkNameFirst())
        return;
    if (!ShowMessage(MsgOp::登録, MsgKind::確認, name))
        return;
    showBusy(QStringLiteral("登録しています････"));
    const bool saved = CustomerStore::saveCustomer(env().locations.dataFile, name, collectInputs(),
                                                   [this, &name](Database& data) { return Entry家族情報(data, name); });
    if (!saved) {
        // Nothing was written; what the user typed stays on the screen.
        hideBusy();
        ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                    name + QStringLiteral(" を登録できませんでした。データファイルを確認してください。"));
        return;
    }
    SetComb(CustomerComb::顧客);
    hideBusy();
    ShowMessage(MsgOp::登録, MsgKind::標準完了, name);
    endRecordAction();
}

void FrmROV2::Delete顧客()
{
    if (cmb顧客名_->text().isEmpty() || !checkNameFirst())
        return;
    const QString name = cmb顧客名_->text();
    if (name.isEmpty())
        return;
    if (!ShowMessage(MsgOp::削除, MsgKind::伝票確認2, name))
        return;
    showBusy(QStringLiteral("削除しています････"));
    const bool deleted = CustomerStore::deleteCustomer(env().locations.dataFile, name);
    if (!deleted) {
        hideBusy();
        ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                    name + QStringLiteral(" を削除できませんでした。データファイルを確認してください。"));
        return;
    }
    Clear顧客情報画面();
    Clear家族情報();
    SetComb(CustomerComb::顧客);
    hideBusy();
    cmb顧客名_->setFocus(Qt::OtherFocusReason);
}

void FrmROV2::endRecordAction()
{
    Clear顧客情報画面();
    Clear家族情報();
    Tab顧客情報_->setCurrentIndex(0);
    cmb顧客名_->setFocus(Qt::OtherFocusReason);
}

} // namespace rov2
