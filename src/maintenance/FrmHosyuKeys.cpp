// Keys, navigation between the screens, and the buttons of the backup tab.
#include "BackupFloppy.h"
#include "BackupFolderCopy.h"
#include "ComboBox.h"
#include "ConvertRov.h"
#include "DailyCopyPanel.h"
#include "Dialogs.h"
#include "FileDialogs.h"
#include "FrmHosyu.h"
#include "HintButton.h"
#include "LabelProgress.h"
#include "OwnFiles.h"
#include "ProgramEnv.h"
#include "RestoreDailyCopy.h"
#include "RestoreFloppy.h"
#include "ScreenStack.h"
#include "TextBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QDesktopServices>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QUrl>

namespace rov2 {
namespace {

const char* const kMakerPage = "https://www.vavaruv.example.jp/";

void bringUp(QWidget* w)
{
    w->setWindowState(w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

QList<QWidget*> FrmHosyu::settingsInputs() const
{
    return {txtDataPath_, txtYubinPath_, cmb年号_, chkYubinEria_, txtYubinEriaName_, Chk敬称_,
            Chk区分1_,    Chk区分2_,     Chk続柄_, cmb性別_,      cmbクイック_, txt自社名_,
            txt自社郵便番号_, txt自社電話番号_, txt自社住所_};
}

void FrmHosyu::setInputOrder()
{
    // The choosers beside the paths are reached by the mouse, not by Enter.
    for (QPushButton* b : {Command2_, Command3_, Command17_})
        b->setFocusPolicy(Qt::ClickFocus);
    QList<QWidget*> order = settingsInputs();
    order << cmd戻る_ << cmdメニュー_ << cmd登録_ << cmdクリア_ << cmd閉じる_;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    for (QWidget* w : settingsInputs())
        w->installEventFilter(this);
    // Paths are typed in Latin letters; the area name is Japanese.
    for (TextBox* t : {txtDataPath_, txtYubinPath_, txtSrcPath_})
        t->setImeOpen(false);
    for (TextBox* t : {txtYubinEriaName_, txt自社名_, txt自社住所_})
        t->setImeOpen(true);
    for (TextBox* t : {txt自社郵便番号_, txt自社電話番号_})
        t->setImeOpen(false);
}

void FrmHosyu::connectControls()
{
    connect(cmd登録_, &QPushButton::clicked, this, &FrmHosyu::EntrySettings);
    connect(cmd閉じる_, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdクリア_, &QPushButton::clicked, this, &FrmHosyu::cmdクリア_Click);
    connect(cmdメニュー_, &QPushButton::clicked, this, &FrmHosyu::cmdメニュー_Click);
    connect(cmd戻る_, &QPushButton::clicked, this, &FrmHosyu::cmd戻る_Click);
    connect(Command2_, &QPushButton::clicked, this, &FrmHosyu::ChooseDataFile);
    connect(Command3_, &QPushButton::clicked, this, &FrmHosyu::ChooseYubinFile);
    connect(cmdHint1_, &QPushButton::clicked, this, &FrmHosyu::cmdHint1_Click);
    connect(CmdHint2_, &QPushButton::clicked, this, &FrmHosyu::CmdHint2_Click);
    connect(Command7_, &QPushButton::clicked, this, &FrmHosyu::Command7_Click);
    connect(Command8_, &QPushButton::clicked, this, &FrmHosyu::Command8_Click);
    connect(Command9_, &QPushButton::clicked, this, &FrmHosyu::Command9_Click);
    connect(Command11_, &QPushButton::clicked, this, &FrmHosyu::Command11_Click);
    connect(cmdCSV読込_, &QPushButton::clicked, this, &FrmHosyu::ReadCsvFile);
    connect(pnl自動保存_, &DailyCopyPanel::restoreRequested, this, &FrmHosyu::cmd自動保存読込_Click);
    connect(Command1_, &QPushButton::clicked, this, &FrmHosyu::DeleteAllData);
    connect(Command6_, &QPushButton::clicked, this, [this] { DeleteAllKokyaku(true); });
    connect(Command5_, &QPushButton::clicked, this, &FrmHosyu::DeleteCodeTables);
    connect(Command16_, &QPushButton::clicked, this, &FrmHosyu::Command16_Click);
    connect(Command17_, &QPushButton::clicked, this, &FrmHosyu::ChooseSourceFolder);
}

void FrmHosyu::bindKeys()
{
    // The keys of Label37, from anywhere in the window; a list that is
    // dropped down sees Esc first and closes itself.
    const std::pair<int, QPushButton*> keys[] = {
        {Qt::Key_F1, cmd戻る_},   {Qt::Key_F2, cmdメニュー_},   {Qt::Key_F5, cmd登録_},
        {Qt::Key_F9, cmdクリア_}, {Qt::Key_Escape, cmd閉じる_},
    };
    for (const auto& [key, target] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, target, &QPushButton::click);
    }
}

bool FrmHosyu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1_ && event->type() == QEvent::MouseButtonRelease) {
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerPage)));
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier)
            if (moveFrom(qobject_cast<QWidget*>(watched), key->key()))
                return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool FrmHosyu::moveFrom(QWidget* input, int key)
{
    const QList<QWidget*> inputs = settingsInputs();
    const qsizetype at = inputs.indexOf(input);
    if (at < 0)
        return false;
    const bool arrow = key == Qt::Key_Up || key == Qt::Key_Down;
    // In a drop-down the arrows choose among its items, as in every other list of the program.
    if (arrow && qobject_cast<ComboBox*>(input))
        return false;
    const bool forward = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down;
    if (!forward && key != Qt::Key_Up)
        return false;
    // Enter from the last input goes on to 登録; Up from the first stays.
    QWidget* to = input;
    if (forward)
        to = at + 1 < inputs.size() ? inputs.at(at + 1) : cmd登録_;
    else if (at > 0)
        to = inputs.at(at - 1);
    to->setFocus(Qt::TabFocusReason);
    return true;
}

void FrmHosyu::cmdクリア_Click()
{
    Clear保守画面();
    SSTab_->setCurrentIndex(0);
    txtDataPath_->setFocus(Qt::OtherFocusReason);
}

void FrmHosyu::cmdメニュー_Click()
{
    ScreenStack(StackOp::Push, this);
    if (QWidget* main = screenNamed(kMainScreenName))
        bringUp(main);
}

void FrmHosyu::cmd戻る_Click()
{
    // False: the stack was empty and the main screen is up; this one stays.
    if (ScreenStack(StackOp::Pop, this).toBool())
        close();
}

void FrmHosyu::openHint(const QString& buttonName) { openHintEditor(this, buttonName, env().hint); }

void FrmHosyu::cmdHint1_Click() { openHint(QStringLiteral("cmdHint1")); }

void FrmHosyu::CmdHint2_Click() { openHint(QStringLiteral("CmdHint2")); }

void FrmHosyu::ChooseSourceFolder()
{
    const QVariant folder = BrowseFolder();
    if (folder.isNull() || cmbアプリ名_->text() != QStringLiteral("ROV顧客管理"))
        return;
    QString path = folder.toString();
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    txtSrcPath_->setText(path + QStringLiteral("RovData.mdb"));
}

BackupJob FrmHosyu::backupJob()
{
    BackupJob job;
    job.owner = this;
    job.dataFile = env().locations.dataFile;
    job.own = ownFiles(env().locations);
    job.workFolder = env().locations.dataFolder;
    job.progress = labelProgress(FddMsg_);
    return job;
}

void FrmHosyu::Command7_Click() { FDDBuckUp(backupJob(), cmbFDD_->text()); }

void FrmHosyu::Command8_Click() { afterRestore(RestoreVT(backupJob(), cmbFDD_->text())); }

void FrmHosyu::Command9_Click() { SaveDataFileToHdd(backupJob()); }

void FrmHosyu::Command11_Click() { afterRestore(ReadDataFileFromHdd(backupJob())); }

void FrmHosyu::cmd自動保存読込_Click()
{
    if (const std::optional<DailyCopy> copy = pnl自動保存_->chosen())
        afterRestore(RestoreDailyCopy(backupJob(), *copy));
}

void FrmHosyu::afterRestore(BackupOutcome outcome)
{
    if (outcome == BackupOutcome::Done)
        followNewData();
}

void FrmHosyu::followNewData()
{
    // The file brings its own settings, customers and code lists: its
    // settings are shown here and followed at once, and every other screen
    // reads the file again when it next comes forward.
    ++env().dataFileVersion;
    Read自社情報();
    LoadCompanySettings(env().locations.dataFile, env().settings);
    Q_EMIT settingsSaved();
}

void FrmHosyu::Command16_Click()
{
    // Only the one older program's data can be converted.
    if (cmbアプリ名_->text() != QStringLiteral("ROV顧客管理"))
        return;
    // The panel is repainted and pending paints run whenever the conversion
    // reports (by time, a few times a second), so the window stays drawn
    // during a long conversion; user input waits, so that no second
    // operation starts underneath this one.
    const QPointer<QFrame> panel(Cnコンバート_);
    const auto repaint = [panel] {
        if (panel)
            panel->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    ConvertProgress progress;
    progress.panel = [this, panel, repaint](bool visible) {
        if (!panel)
            return;
        Lblコンバート_->clear();
        lblコンバート2_->clear();
        panel->setVisible(visible);
        repaint();
    };
    progress.update = [this, panel, repaint](const QString& stage, const QString& current) {
        if (!panel)
            return;
        Lblコンバート_->setText(stage);
        lblコンバート2_->setText(current);
        repaint();
    };
    const ConvertResult result = ConvertRov(txtSrcPath_->text(), env().locations.dataFile, dialogs(), progress);
    if (result.outcome == ConvertOutcome::Converted)
        followNewData();
}

} // namespace rov2
