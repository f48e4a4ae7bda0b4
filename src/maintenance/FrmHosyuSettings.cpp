// The 設定 tab: the settings row of the data file and the location row of the work file.
#include "ComboBox.h"
#include "DailyCopyPanel.h"
#include "Dialogs.h"
#include "FileDialogs.h"
#include "FrmHosyu.h"
#include "Messages.h"
#include "ProgramEnv.h"
#include "SingleRowTable.h"
#include "SuppliedFiles.h"
#include "TextBox.h"

#include <QCheckBox>
#include <QDir>
#include <QtDebug>

namespace rov2 {
namespace {

const QString kSettingsTable = QStringLiteral("自社情報");
const QString kLocationTable = QStringLiteral("管理");
const QString kConvertibleApp = QStringLiteral("ROV顧客管理");

/// How a field of 自社情報 is shown: a Yes/No as a check box, a text as a text
/// box, a choice as a drop-down list whose first item stands for Null.
enum class Shown { Flag, Text, Choice };

struct SettingField {
    const char16_t* field;
    Shown shown;
    const char16_t* control;
    const char16_t* items[2]; ///< of a choice; the first is its default
};

// In the order the row is written.
const SettingField kSettingFields[] = {
    {u"yubinlocalEriaSw", Shown::Flag, u"chkYubinEria", {nullptr, nullptr}},
    {u"YubinLocalEria", Shown::Text, u"txtYubinEriaName", {nullptr, nullptr}},
    {u"区分登録1", Shown::Flag, u"Chk区分1", {nullptr, nullptr}},
    {u"区分登録2", Shown::Flag, u"Chk区分2", {nullptr, nullptr}},
    {u"敬称登録", Shown::Flag, u"Chk敬称", {nullptr, nullptr}},
    {u"続柄登録", Shown::Flag, u"Chk続柄", {nullptr, nullptr}},
    {u"性別", Shown::Choice, u"cmb性別", {u"女", u"男"}},
    {u"年号", Shown::Choice, u"cmb年号", {u"西暦", u"和暦"}},
    {u"クイック", Shown::Choice, u"cmbクイック", {u"する", u"しない"}},
    // The shop itself: the sender printed on postcards.
    {u"顧客名", Shown::Text, u"txt自社名", {nullptr, nullptr}},
    {u"郵便番号", Shown::Text, u"txt自社郵便番号", {nullptr, nullptr}},
    {u"住所1", Shown::Text, u"txt自社住所", {nullptr, nullptr}},
    {u"電話番号", Shown::Text, u"txt自社電話番号", {nullptr, nullptr}},
};

QString str(const char16_t* s) { return QString::fromUtf16(s); }

QStringList itemsOf(const SettingField& f)
{
    QStringList out;
    for (const char16_t* item : f.items)
        if (item)
            out << str(item);
    return out;
}

QVariant textOrNull(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }

QString defaultSourcePath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\KokyakuRov\\data\\RovData.mdb");
#else
    // As the development marker does, the home folder stands for drive C:.
    return QDir::toNativeSeparators(QDir::home().filePath(QStringLiteral("KokyakuRov/data/RovData.mdb")));
#endif
}

} // namespace

void FrmHosyu::Form_Load()
{
    Clear保守画面();
    Read自社情報();
    ReadEnv();
    LoadCompanySettings(env().locations.dataFile, env().settings);
    cmbアプリ名_->replaceItems({kConvertibleApp}, false);
    cmbアプリ名_->setText(kConvertibleApp);
    txtSrcPath_->setText(defaultSourcePath());
    if (cmbFDD_->count() > 0)
        cmbFDD_->setText(cmbFDD_->itemText(0));
    pnl自動保存_->refresh(env().locations.dataFile);
}

void FrmHosyu::Clear保守画面()
{
    for (const SettingField& f : kSettingFields) {
        QWidget* w = findChild<QWidget*>(str(f.control));
        if (auto* box = qobject_cast<ComboBox*>(w)) {
            box->replaceItems(itemsOf(f), false);
            box->setText(itemsOf(f).constFirst());
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            // Adding new names is on by default; the postal area is off.
            check->setChecked(w != chkYubinEria_);
        } else if (auto* text = qobject_cast<TextBox*>(w)) {
            text->clear();
        }
    }
    txtDataPath_->clear();
    txtYubinPath_->clear();
}

void FrmHosyu::Read自社情報()
{
    const SingleRowTable::Row row = SingleRowTable::readFirst(env().locations.dataFile, kSettingsTable);
    if (row.status != SingleRowTable::ReadStatus::Ok)
        return; // the controls keep the defaults
    for (const SettingField& f : kSettingFields) {
        if (!row.fields.contains(str(f.field))) {
            qWarning().noquote() << "maintenance: 自社情報 has no field" << str(f.field);
            continue;
        }
        const QVariant v = row.fields.value(str(f.field));
        QWidget* w = findChild<QWidget*>(str(f.control));
        switch (f.shown) {
        case Shown::Flag: qobject_cast<QCheckBox*>(w)->setChecked(!v.isNull() && v.toLongLong() != 0); break;
        case Shown::Text: qobject_cast<TextBox*>(w)->setText(v.toString()); break;
        case Shown::Choice:
            qobject_cast<ComboBox*>(w)->setText(v.isNull() ? itemsOf(f).constFirst() : v.toString());
            break;
        }
    }
}

bool FrmHosyu::Entry自社情報()
{
    const QString subject = QStringLiteral("設定");
    if (!ShowMessage(MsgOp::登録, MsgKind::確認, subject))
        return false;
    QVariantMap row;
    for (const SettingField& f : kSettingFields) {
        QWidget* w = findChild<QWidget*>(str(f.control));
        QVariant value;
        switch (f.shown) {
        case Shown::Flag: value = qobject_cast<QCheckBox*>(w)->isChecked(); break;
        case Shown::Text: value = textOrNull(qobject_cast<TextBox*>(w)->text()); break;
        case Shown::Choice: {
            const QString text = qobject_cast<ComboBox*>(w)->text();
            value = text.isEmpty() ? itemsOf(f).constFirst() : text;
            break;
        }
        }
        row.insert(str(f.field), value);
    }
    if (!SingleRowTable::replace(env().locations.dataFile, kSettingsTable, row)) {
        ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                    QStringLiteral("設定 を登録できませんでした。データファイルを確認してください。"));
        return false;
    }
    ShowMessage(MsgOp::登録, MsgKind::完了, subject);
    return true;
}

void FrmHosyu::ReadEnv()
{
    const SingleRowTable::Row row = SingleRowTable::readFirst(env().locations.workFile, kLocationTable);
    if (row.status != SingleRowTable::ReadStatus::Ok)
        return;
    txtDataPath_->setText(row.fields.value(QStringLiteral("DataPath")).toString());
    txtYubinPath_->setText(row.fields.value(QStringLiteral("YubinPath")).toString());
}

bool FrmHosyu::EntryEnv()
{
    const QString dataPath = txtDataPath_->text();
    if (!dataPath.isEmpty() && !confirmDataLocation(dataPath))
        return false;
    const QVariantMap row = {{QStringLiteral("DataPath"), textOrNull(dataPath)},
                             {QStringLiteral("YubinPath"), textOrNull(txtYubinPath_->text())}};
    if (!SingleRowTable::replace(env().locations.workFile, kLocationTable, row)) {
        ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                    QStringLiteral("データの場所を登録できませんでした。作業ファイルを確認してください。"));
        return false;
    }
    return true;
}

bool FrmHosyu::confirmDataLocation(const QString& path)
{
    // The location takes effect at the next start: a wrong one would open the
    // program on no data at all, so it is stored only when the user says so.
    const QString shown = QDir::toNativeSeparators(path);
    QString problem;
    switch (checkFile(QDir::fromNativeSeparators(path), FileKind::Data)) {
    case FileState::Ok: return true;
    case FileState::Missing: problem = QStringLiteral("データパスのファイル（%1）がありません。").arg(shown); break;
    case FileState::NotOurs:
        problem = QStringLiteral("データパスのファイル（%1）はこのプログラムのデータファイルではないか、壊れています。")
                      .arg(shown);
        break;
    }
    MessageRequest r;
    r.title = QStringLiteral("登録の確認");
    r.text = problem + QStringLiteral("\n次回の起動からこのデータパスを使います。登録しますか");
    r.buttons = MsgButtons::YesNo;
    r.icon = MsgIcon::Exclamation;
    r.defaultIsSecond = true;
    return dialogs().message(this, r) == MsgAnswer::Yes;
}

void FrmHosyu::EntrySettings()
{
    // The locations are stored whatever was answered for the settings.
    Entry自社情報();
    EntryEnv();
    LoadCompanySettings(env().locations.dataFile, env().settings);
    Q_EMIT settingsSaved();
}

void FrmHosyu::ChooseDataFile()
{
    // Every .mdb file is listed: the data file is named Rov2Data.mdb, which a
    // pattern of one fixed name would hide.
    FileDialogRequest r;
    r.filter = QStringLiteral("MDB ファイル(*.mdb)|*.mdb|");
    r.dialogTitle = QStringLiteral("データファイルを指定する");
    r.initialFolder = QStringLiteral("c:\\");
    if (ShowOpenFileDialog(this, r) != 0)
        txtDataPath_->setText(QDir::toNativeSeparators(r.filePath));
}

void FrmHosyu::ChooseYubinFile()
{
    FileDialogRequest r;
    r.filter = QStringLiteral("MDB ファイル(*.mdb)|*.mdb|");
    r.dialogTitle = QStringLiteral("郵便番号辞書を指定する");
    r.initialFolder = QStringLiteral("c:\\");
    if (ShowOpenFileDialog(this, r) != 0)
        txtYubinPath_->setText(QDir::toNativeSeparators(r.filePath));
}

} // namespace rov2
