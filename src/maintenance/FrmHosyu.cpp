#include "FrmHosyu.h"

#include "Accessibility.h"
#include "ComboBox.h"
#include "DailyCopyPanel.h"
#include "Drives.h"
#include "ScreenControls.h"
#include "TextBox.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace rov2 {
namespace {

/// The small buttons beside a path that open a chooser: a folder picture, no text.
QPushButton* pictureButton(QWidget* parent)
{
    auto* b = new QPushButton(parent);
    b->setAutoDefault(false);
    b->setIcon(parent->style()->standardIcon(QStyle::SP_DirOpenIcon));
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return b;
}

/// A label that shows a value (progress): screen readers must hear the value,
/// so it gets no fixed accessible name, only its control name.
void nameValueLabel(QLabel* l, const char* name)
{
    l->setObjectName(QString::fromUtf8(name));
    l->setAccessibleDescription(l->objectName());
}

} // namespace

FrmHosyu::FrmHosyu(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmHosyu"));
    setWindowTitle(QStringLiteral("保守　　VAVⅡaruv　Ver1.00"));
    buildControls();
    nameControls();
    setInputOrder();
    connectControls();
    bindKeys();
}

FrmHosyu::~FrmHosyu() = default;

void FrmHosyu::buildControls()
{
    SSTab = new QTabWidget(this);
    SSTab->addTab(buildSettingsTab(), QStringLiteral("設定"));
    SSTab->addTab(buildBackupTab(), QStringLiteral("データ保守"));
    SSTab->addTab(buildDeletionTab(), QStringLiteral("データ削除"));
    SSTab->addTab(buildConverterTab(), QStringLiteral("データコンバータ"));
    SSTab->tabBar()->setFocusPolicy(Qt::ClickFocus);

    auto* root = new QVBoxLayout(this);
    root->addWidget(SSTab, 1);
    root->addWidget(buildCommandRow());
    resize(640, 460);
}

QWidget* FrmHosyu::buildSettingsTab()
{
    auto* page = new QWidget;
    const int digit = page->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    txtDataPath = new TextBox(page);
    Command2 = pictureButton(page);
    txtYubinPath = new TextBox(page);
    Command3 = pictureButton(page);
    cmb年号 = new ComboBox(page);
    chkYubinEria = new QCheckBox(QStringLiteral("郵便番号辞書エリア"), page);
    txtYubinEriaName = new TextBox(page);
    Chk敬称 = new QCheckBox(QStringLiteral("敬称の自動登録"), page);
    Chk区分1 = new QCheckBox(QStringLiteral("区分1の自動登録"), page);
    Chk区分2 = new QCheckBox(QStringLiteral("区分2の自動登録"), page);
    Chk続柄 = new QCheckBox(QStringLiteral("続柄の自動登録"), page);
    cmb性別 = new ComboBox(page);
    cmbクイック = new ComboBox(page);
    cmdHint1 = button("ヒント", page);
    Image1 = new QLabel(QStringLiteral("<b>VAVⅡaruv</b>"), page);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setFrameShape(QFrame::StyledPanel);
    Image1->installEventFilter(this);
    for (ComboBox* c : {cmb年号, cmb性別, cmbクイック})
        c->setMinimumWidth(digit * 10);

    auto* g = new QGridLayout(page);
    g->addWidget(caption("データパス", page), 0, 0);
    g->addWidget(txtDataPath, 0, 1, 1, 3);
    g->addWidget(Command2, 0, 4);
    g->addWidget(caption("郵便番号辞書パス", page), 1, 0);
    g->addWidget(txtYubinPath, 1, 1, 1, 3);
    g->addWidget(Command3, 1, 4);
    g->addWidget(caption("年   号", page), 2, 0);
    g->addWidget(cmb年号, 2, 1, Qt::AlignLeft);
    g->addWidget(chkYubinEria, 3, 1);
    g->addWidget(caption(" エリア名", page), 3, 2);
    g->addWidget(txtYubinEriaName, 3, 3);
    auto* autoAdd = new QGridLayout;
    autoAdd->addWidget(Chk敬称, 0, 0);
    autoAdd->addWidget(Chk区分1, 0, 1);
    autoAdd->addWidget(Chk区分2, 1, 0);
    autoAdd->addWidget(Chk続柄, 1, 1);
    g->addLayout(autoAdd, 4, 1, 1, 3);
    g->addWidget(caption("性別", page), 5, 0);
    auto* sexQuick = new QHBoxLayout;
    sexQuick->addWidget(cmb性別);
    sexQuick->addSpacing(digit * 2);
    sexQuick->addWidget(new QLabel(QStringLiteral("クイック"), page));
    sexQuick->addWidget(cmbクイック);
    sexQuick->addStretch();
    g->addLayout(sexQuick, 5, 1, 1, 3);
    g->addWidget(buildShopGroup(page), 6, 0, 1, 5);
    auto* corner = new QHBoxLayout;
    corner->addStretch();
    corner->addWidget(cmdHint1);
    corner->addWidget(Image1);
    g->addLayout(corner, 8, 0, 1, 5);
    g->setColumnStretch(3, 1);
    g->setRowStretch(7, 1);
    return page;
}

QWidget* FrmHosyu::buildShopGroup(QWidget* page)
{
    // The shop's own record, printed as the sender of postcards.
    auto* box = new QGroupBox(QStringLiteral("自社情報（はがきの差出人）"), page);
    txt自社名 = new TextBox(box);
    txt自社郵便番号 = new TextBox(box);
    txt自社住所 = new TextBox(box);
    txt自社電話番号 = new TextBox(box);
    const int digit = box->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    txt自社郵便番号->setMaximumWidth(digit * 12);
    auto* g = new QGridLayout(box);
    g->addWidget(caption("自社名", box), 0, 0);
    g->addWidget(txt自社名, 0, 1, 1, 3);
    g->addWidget(caption("郵便番号", box), 1, 0);
    g->addWidget(txt自社郵便番号, 1, 1);
    g->addWidget(caption("電話番号", box), 1, 2);
    g->addWidget(txt自社電話番号, 1, 3);
    g->addWidget(caption("住所", box), 2, 0);
    g->addWidget(txt自社住所, 2, 1, 1, 3);
    g->setColumnStretch(3, 1);
    return box;
}

QWidget* FrmHosyu::buildBackupTab()
{
    auto* page = new QWidget;
    Label5 = new QLabel(QStringLiteral("データの保存と読込みをします。読込みを行うと現在使用中のデータは上書きされます。"
                                       "注意して使用してください。"),
                        page);
    Label5->setWordWrap(true);
    cmbFDD = new ComboBox(page);
    // Drive letters on Windows; elsewhere the removable media mounted now,
    // and any folder can be typed or chosen as the drive.
    cmbFDD->addItems(fddDriveList());
#ifndef Q_OS_WIN
    cmbFDD->setEditable(true);
#endif
    cmbFDD->setMinimumWidth(page->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    Command7 = button("実行", page);
    Command9 = button("実行", page);
    Command8 = button("実行", page);
    Command11 = button("実行", page);
    cmdCSV読込 = button("実行", page);
    FddMsg = new QLabel(page);
    CmdHint2 = button("ヒント", page);

    const auto group = [page](const char* title, const char* first, QPushButton* a, const char* second,
                              QPushButton* b) {
        auto* box = new QGroupBox(QString::fromUtf8(title), page);
        auto* g = new QGridLayout(box);
        g->addWidget(new QLabel(QString::fromUtf8(first), box), 0, 0);
        g->addWidget(a, 0, 1);
        g->addWidget(new QLabel(QString::fromUtf8(second), box), 1, 0);
        g->addWidget(b, 1, 1);
        g->setColumnStretch(0, 1);
        return box;
    };
    auto* v = new QVBoxLayout(page);
    v->addWidget(Label5);
    auto* drive = new QHBoxLayout;
    drive->addWidget(new QLabel(QStringLiteral("フロッピーディスクドライブ"), page));
    drive->addWidget(cmbFDD);
    drive->addStretch();
    v->addLayout(drive);
    v->addWidget(group("保存", "フロッピーディスクにデータをコピーする", Command7,
                       "ハードディスク、リムーバブルディスクにコピーする", Command9));
    auto* readGroup = group("読込む", "フロッピーディスクからデータを読み込む", Command8,
                            "ハードディスク、リムーバブルディスクから読み込む", Command11);
    // Customers kept in a spreadsheet, added to the data in use rather than replacing it.
    auto* readGrid = static_cast<QGridLayout*>(readGroup->layout());
    readGrid->addWidget(new QLabel(QStringLiteral("CSVファイルから読み込む"), readGroup), 2, 0);
    readGrid->addWidget(cmdCSV読込, 2, 1);
    v->addWidget(readGroup);
    pnl自動保存 = new DailyCopyPanel(page);
    v->addWidget(pnl自動保存);
    v->addWidget(FddMsg);
    v->addStretch();
    auto* corner = new QHBoxLayout;
    corner->addStretch();
    corner->addWidget(CmdHint2);
    v->addLayout(corner);
    return page;
}

QWidget* FrmHosyu::buildDeletionTab()
{
    auto* page = new QWidget;
    Command1 = button("実行", page);
    Command6 = button("実行", page);
    Command5 = button("実行", page);
    auto* g = new QGridLayout(page);
    const char* const texts[] = {"すべてのデータを削除し初期状態に戻す", "すべての顧客情報を削除する",
                                 "コード表を削除する"};
    QPushButton* const buttons[] = {Command1, Command6, Command5};
    for (int i = 0; i < 3; ++i) {
        g->addWidget(new QLabel(QString::fromUtf8(texts[i]), page), i, 0);
        g->addWidget(buttons[i], i, 1);
    }
    g->setColumnStretch(0, 1);
    g->setRowStretch(3, 1);
    return page;
}

QWidget* FrmHosyu::buildConverterTab()
{
    auto* page = new QWidget;
    Label26 = new QLabel(QStringLiteral("ＶＴシリーズの他のアプリからデータを読み込みする"), page);
    cmbアプリ名 = new ComboBox(page);
    cmbアプリ名->setMinimumWidth(page->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    txtSrcPath = new TextBox(page);
    Command17 = pictureButton(page);
    Command16 = button("実行", page);

    Cnコンバート = new QFrame(page);
    Cnコンバート->setFrameShape(QFrame::Panel);
    Cnコンバート->setFrameShadow(QFrame::Raised);
    Label29 = new QLabel(QStringLiteral("データコンバート"), Cnコンバート);
    Lblコンバート = new QLabel(Cnコンバート);
    lblコンバート2 = new QLabel(Cnコンバート);
    auto* panel = new QVBoxLayout(Cnコンバート);
    panel->addWidget(Label29);
    panel->addWidget(Lblコンバート);
    panel->addWidget(lblコンバート2);
    Cnコンバート->hide();

    auto* g = new QGridLayout(page);
    g->addWidget(Label26, 0, 0, 1, 4);
    g->addWidget(caption("読み込むアプリ名", page), 1, 0);
    g->addWidget(cmbアプリ名, 1, 1, Qt::AlignLeft);
    g->addWidget(caption("相手データのバス", page), 2, 0);
    g->addWidget(txtSrcPath, 2, 1, 1, 2);
    g->addWidget(Command17, 2, 3);
    g->addWidget(Command16, 3, 3);
    g->addWidget(Cnコンバート, 4, 0, 1, 4);
    g->setColumnStretch(2, 1);
    g->setRowStretch(5, 1);
    return page;
}

QWidget* FrmHosyu::buildCommandRow()
{
    auto* row = new QWidget(this);
    auto* v = new QVBoxLayout(row);
    v->setContentsMargins(0, 0, 0, 0);
    Label37 = new QLabel(QStringLiteral("   F1        F2        F5        F9       ESC"), row);
    v->addWidget(Label37);
    cmd戻る = button("戻る", row);
    cmdメニュー = button("メイン", row);
    cmd登録 = button("登録", row);
    cmdクリア = button("クリア", row);
    cmd閉じる = button("閉じる", row);
    // Each button sits under its key in Label37.
    auto* h = new QHBoxLayout;
    for (QPushButton* b : {cmd戻る, cmdメニュー, cmd登録, cmdクリア, cmd閉じる}) {
        b->setFixedWidth(Label37->fontMetrics().horizontalAdvance(QStringLiteral("  F5        ")));
        h->addWidget(b);
    }
    h->addStretch();
    v->addLayout(h);
    return row;
}

void FrmHosyu::nameControls()
{
    struct Named {
        QWidget* w;
        const char* name;
        const char* caption;
    };
    const Named all[] = {
        {SSTab, "SSTab", "保守"},
        {txtDataPath, "txtDataPath", "データパス"},
        {Command2, "Command2", "データファイルを指定する"},
        {txtYubinPath, "txtYubinPath", "郵便番号辞書パス"},
        {Command3, "Command3", "郵便番号辞書を指定する"},
        {chkYubinEria, "chkYubinEria", "郵便番号辞書エリア"},
        {txtYubinEriaName, "txtYubinEriaName", "エリア名"},
        {Chk敬称, "Chk敬称", "敬称の自動登録"},
        {Chk区分1, "Chk区分1", "区分1の自動登録"},
        {Chk区分2, "Chk区分2", "区分2の自動登録"},
        {Chk続柄, "Chk続柄", "続柄の自動登録"},
        {cmb年号, "cmb年号", "年号"},
        {cmb性別, "cmb性別", "性別"},
        {cmbクイック, "cmbクイック", "クイック"},
        {txt自社名, "txt自社名", "自社名"},
        {txt自社郵便番号, "txt自社郵便番号", "自社の郵便番号"},
        {txt自社住所, "txt自社住所", "自社の住所"},
        {txt自社電話番号, "txt自社電話番号", "自社の電話番号"},
        {cmdHint1, "cmdHint1", "ヒント"},
        {Image1, "Image1", "ロゴ"},
        {Label5, "Label5", "データ保守の説明"},
        {cmbFDD, "cmbFDD", "フロッピーディスクドライブ"},
        {Command7, "Command7", "フロッピーディスクにデータをコピーする"},
        {Command9, "Command9", "ハードディスク、リムーバブルディスクにコピーする"},
        {Command8, "Command8", "フロッピーディスクからデータを読み込む"},
        {Command11, "Command11", "ハードディスク、リムーバブルディスクから読み込む"},
        {cmdCSV読込, "cmdCSV読込", "CSVファイルから読み込む"},
        {CmdHint2, "CmdHint2", "ヒント"},
        {Command1, "Command1", "すべてのデータを削除し初期状態に戻す"},
        {Command6, "Command6", "すべての顧客情報を削除する"},
        {Command5, "Command5", "コード表を削除する"},
        {Label26, "Label26", "データコンバータの説明"},
        {cmbアプリ名, "cmbアプリ名", "読み込むアプリ名"},
        {txtSrcPath, "txtSrcPath", "相手データのパス"},
        {Command17, "Command17", "相手データのフォルダを指定する"},
        {Command16, "Command16", "データコンバート実行"},
        {Cnコンバート, "Cnコンバート", "データコンバート"},
        {Label29, "Label29", "データコンバート"},
        {Label37, "Label37", "ファンクションキー"},
        {cmd登録, "cmd登録", "登録"},
        {cmd閉じる, "cmd閉じる", "閉じる"},
        {cmdクリア, "cmdクリア", "クリア"},
        {cmdメニュー, "cmdメニュー", "メイン"},
        {cmd戻る, "cmd戻る", "戻る"},
    };
    for (const Named& n : all)
        nameControl(n.w, QString::fromUtf8(n.name), QString::fromUtf8(n.caption));
    nameValueLabel(FddMsg, "FddMsg");
    nameValueLabel(Lblコンバート, "Lblコンバート");
    nameValueLabel(lblコンバート2, "lblコンバート2");
    for (QPushButton* b : {Command2, Command3, Command17})
        b->setToolTip(b->accessibleName());
}

} // namespace rov2
