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

#include <memory>

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
    return {txtDataPath, txtYubinPath, cmb年号, chkYubinEria, txtYubinEriaName, Chk敬称,
            Chk区分1,    Chk区分2,     Chk続柄, cmb性別,      cmbクイック, txt自社名,
            txt自社郵便番号, txt自社電話番号, txt自社住所};
}

void FrmHosyu::setInputOrder()
{
    // The choosers beside the paths are reached by the mouse, not by Enter.
    for (QPushButton* b : {Command2, Command3, Command17})
        b->setFocusPolicy(Qt::ClickFocus);
    QList<QWidget*> order = settingsInputs();
    order << cmd戻る << cmdメニュー << cmd登録 << cmdクリア << cmd閉じる;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    for (QWidget* w : settingsInputs())
        w->installEventFilter(this);
    // Paths are typed in Latin letters; the area name is Japanese.
    for (TextBox* t : {txtDataPath, txtYubinPath, txtSrcPath})
        t->setImeOpen(false);
    for (TextBox* t : {txtYubinEriaName, txt自社名, txt自社住所})
        t->setImeOpen(true);
    for (TextBox* t : {txt自社郵便番号, txt自社電話番号})
        t->setImeOpen(false);
}

void FrmHosyu::connectControls()
{
    connect(cmd登録, &QPushButton::clicked, this, &FrmHosyu::EntrySettings);
    connect(cmd閉じる, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdクリア, &QPushButton::clicked, this, [this] {
        Clear保守画面();
        SSTab->setCurrentIndex(0);
        txtDataPath->setFocus(Qt::OtherFocusReason);
    });
    connect(cmdメニュー, &QPushButton::clicked, this, &FrmHosyu::goToMain);
    connect(cmd戻る, &QPushButton::clicked, this, &FrmHosyu::goBack);
    connect(Command2, &QPushButton::clicked, this, &FrmHosyu::ChooseDataFile);
    connect(Command3, &QPushButton::clicked, this, &FrmHosyu::ChooseYubinFile);
    connect(cmdHint1, &QPushButton::clicked, this, [this] { clickHint(QStringLiteral("cmdHint1")); });
    connect(CmdHint2, &QPushButton::clicked, this, [this] { clickHint(QStringLiteral("CmdHint2")); });
    connect(Command7, &QPushButton::clicked, this, &FrmHosyu::clickFloppyBackup);
    connect(Command8, &QPushButton::clicked, this, &FrmHosyu::clickFloppyRestore);
    connect(Command9, &QPushButton::clicked, this, &FrmHosyu::clickCopyToFolder);
    connect(Command11, &QPushButton::clicked, this, &FrmHosyu::clickReadFromFolder);
    connect(cmdCSV読込, &QPushButton::clicked, this, &FrmHosyu::ReadCsvFile);
    connect(pnl自動保存, &DailyCopyPanel::restoreRequested, this, &FrmHosyu::clickRestoreDailyCopy);
    connect(Command1, &QPushButton::clicked, this, &FrmHosyu::DeleteAllData);
    connect(Command6, &QPushButton::clicked, this, [this] { DeleteAllKokyaku(true); });
    connect(Command5, &QPushButton::clicked, this, &FrmHosyu::DeleteCodeTables);
    connect(Command16, &QPushButton::clicked, this, &FrmHosyu::clickConvert);
    connect(Command17, &QPushButton::clicked, this, &FrmHosyu::ChooseSourceFolder);
}

void FrmHosyu::bindKeys()
{
    // The keys of Label37, from anywhere in the window; a list that is
    // dropped down sees Esc first and closes itself.
    const std::pair<int, QPushButton*> keys[] = {
        {Qt::Key_F1, cmd戻る},   {Qt::Key_F2, cmdメニュー},   {Qt::Key_F5, cmd登録},
        {Qt::Key_F9, cmdクリア}, {Qt::Key_Escape, cmd閉じる},
    };
    for (const auto& [key, target] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, target, &QPushButton::click);
    }
}

bool FrmHosyu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
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
        to = at + 1 < inputs.size() ? inputs.at(at + 1) : cmd登録;
    else if (at > 0)
        to = inputs.at(at - 1);
    to->setFocus(Qt::TabFocusReason);
    return true;
}

void FrmHosyu::goToMain()
{
    ScreenStack(QStringLiteral("PUSH"), this);
    if (QWidget* main = screenNamed(kMainScreenName))
        bringUp(main);
}

void FrmHosyu::goBack()
{
    // False: the stack was empty and the main screen is up; this one stays.
    if (ScreenStack(QStringLiteral("POP"), this).toBool())
        close();
}

void FrmHosyu::clickHint(const QString& buttonName) { openHintEditor(this, buttonName, env().hint); }

void FrmHosyu::ChooseSourceFolder()
{
    const QVariant folder = BrowseFolder();
    if (folder.isNull() || cmbアプリ名->text() != QStringLiteral("ROV顧客管理"))
        return;
    QString path = folder.toString();
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    txtSrcPath->setText(path + QStringLiteral("RovData.mdb"));
}

BackupJob FrmHosyu::backupJob()
{
    BackupJob job;
    job.owner = this;
    job.dataFile = env().locations.dataFile;
    job.own = ownFiles(env().locations);
    job.workFolder = env().locations.dataFolder;
    job.progress = labelProgress(FddMsg);
    return job;
}

void FrmHosyu::clickFloppyBackup() { FDDBuckUp(backupJob(), cmbFDD->text()); }

void FrmHosyu::clickFloppyRestore() { afterRestore(RestoreVT(backupJob(), cmbFDD->text())); }

void FrmHosyu::clickCopyToFolder() { SaveDataFileToHdd(backupJob()); }

void FrmHosyu::clickReadFromFolder() { afterRestore(ReadDataFileFromHdd(backupJob())); }

void FrmHosyu::clickRestoreDailyCopy()
{
    if (const std::optional<DailyCopy> copy = pnl自動保存->chosen())
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

void FrmHosyu::clickConvert()
{
    // Only the one older program's data can be converted.
    if (cmbアプリ名->text() != QStringLiteral("ROV顧客管理"))
        return;
    // The panel is repainted and pending paints run whenever the conversion
    // reports (by time, a few times a second), so the window stays drawn
    // during a long conversion; user input waits, so that no second
    // operation starts underneath this one.
    const QPointer<QFrame> panel(Cnコンバート);
    const auto repaint = [panel] {
        if (panel)
            panel->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    ConvertProgress progress;
    progress.panel = [this, panel, repaint](bool visible) {
        if (!panel)
            return;
        Lblコンバート->clear();
        lblコンバート2->clear();
        panel->setVisible(visible);
        repaint();
    };
    progress.update = [this, panel, repaint](const QString& stage, const QString& current) {
        if (!panel)
            return;
        Lblコンバート->setText(stage);
        lblコンバート2->setText(current);
        repaint();
    };
    const ConvertResult result = ConvertRov(txtSrcPath->text(), env().locations.dataFile, dialogs(), progress);
    if (result.outcome == ConvertOutcome::Converted)
        followNewData();
}

void FrmHosyu::registerScreen(std::function<void()> afterSettingsSaved)
{
    auto instance = std::make_shared<QPointer<FrmHosyu>>();
    rov2::registerScreen(QStringLiteral("FrmHosyu"), [instance, afterSettingsSaved]() -> QWidget* {
        if (!*instance) {
            auto* screen = new FrmHosyu;
            screen->setAttribute(Qt::WA_DeleteOnClose);
            if (afterSettingsSaved)
                connect(screen, &FrmHosyu::settingsSaved, screen, afterSettingsSaved);
            screen->Form_Load();
            *instance = screen;
        }
        return instance->data();
    });
}

} // namespace rov2
