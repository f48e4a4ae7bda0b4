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
    SSTab_ = new QTabWidget(this);
    SSTab_->addTab(buildSettingsTab(), QStringLiteral("設定"));
    SSTab_->addTab(buildBackupTab(), QStringLiteral("データ保守"));
    SSTab_->addTab(buildDeletionTab(), QStringLiteral("データ削除"));
    SSTab_->addTab(buildConverterTab(), QStringLiteral("データコンバータ"));
    SSTab_->tabBar()->setFocusPolicy(Qt::ClickFocus);

    auto* root = new QVBoxLayout(this);
    root->addWidget(SSTab_, 1);
    root->addWidget(buildCommandRow());
    resize(640, 460);
}

QWidget* FrmHosyu::buildSettingsTab()
{
    auto* page = new QWidget;
    const int digit = page->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    txtDataPath_ = new TextBox(page);
    Command2_ = pictureButton(page);
    txtYubinPath_ = new TextBox(page);
    Command3_ = pictureButton(page);
    cmb年号_ = new ComboBox(page);
    chkYubinEria_ = new QCheckBox(QStringLiteral("郵便番号辞書エリア"), page);
    txtYubinEriaName_ = new TextBox(page);
    Chk敬称_ = new QCheckBox(QStringLiteral("敬称の自動登録"), page);
    Chk区分1_ = new QCheckBox(QStringLiteral("区分1の自動登録"), page);
    Chk区分2_ = new QCheckBox(QStringLiteral("区分2の自動登録"), page);
    Chk続柄_ = new QCheckBox(QStringLiteral("続柄の自動登録"), page);
    cmb性別_ = new ComboBox(page);
    cmbクイック_ = new ComboBox(page);
    cmdHint1_ = button("ヒント", page);
    Image1_ = new QLabel(QStringLiteral("<b>VAVⅡaruv</b>"), page);
    Image1_->setCursor(Qt::PointingHandCursor);
    Image1_->setFrameShape(QFrame::StyledPanel);
    Image1_->installEventFilter(this);
    for (ComboBox* c : {cmb年号_, cmb性別_, cmbクイック_})
        c->setMinimumWidth(digit * 10);

    auto* g = new QGridLayout(page);
    g->addWidget(caption("データパス", page), 0, 0);
    g->addWidget(txtDataPath_, 0, 1, 1, 3);
    g->addWidget(Command2_, 0, 4);
    g->addWidget(caption("郵便番号辞書パス", page), 1, 0);
    g->addWidget(txtYubinPath_, 1, 1, 1, 3);
    g->addWidget(Command3_, 1, 4);
    g->addWidget(caption("年   号", page), 2, 0);
    g->addWidget(cmb年号_, 2, 1, Qt::AlignLeft);
    g->addWidget(chkYubinEria_, 3, 1);
    g->addWidget(caption(" エリア名", page), 3, 2);
    g->addWidget(txtYubinEriaName_, 3, 3);
    auto* autoAdd = new QGridLayout;
    autoAdd->addWidget(Chk敬称_, 0, 0);
    autoAdd->addWidget(Chk区分1_, 0, 1);
    autoAdd->addWidget(Chk区分2_, 1, 0);
    autoAdd->addWidget(Chk続柄_, 1, 1);
    g->addLayout(autoAdd, 4, 1, 1, 3);
    g->addWidget(caption("性別", page), 5, 0);
    auto* sexQuick = new QHBoxLayout;
    sexQuick->addWidget(cmb性別_);
    sexQuick->addSpacing(digit * 2);
    sexQuick->addWidget(new QLabel(QStringLiteral("クイック"), page));
    sexQuick->addWidget(cmbクイック_);
    sexQuick->addStretch();
    g->addLayout(sexQuick, 5, 1, 1, 3);
    g->addWidget(buildShopGroup(page), 6, 0, 1, 5);
    auto* corner = new QHBoxLayout;
    corner->addStretch();
    corner->addWidget(cmdHint1_);
    corner->addWidget(Image1_);
    g->addLayout(corner, 8, 0, 1, 5);
    g->setColumnStretch(3, 1);
    g->setRowStretch(7, 1);
    return page;
}

QWidget* FrmHosyu::buildShopGroup(QWidget* page)
{
    // The shop's own record, printed as the sender of postcards.
    auto* box = new QGroupBox(QStringLiteral("自社情報（はがきの差出人）"), page);
    txt自社名_ = new TextBox(box);
    txt自社郵便番号_ = new TextBox(box);
    txt自社住所_ = new TextBox(box);
    txt自社電話番号_ = new TextBox(box);
    const int digit = box->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    txt自社郵便番号_->setMaximumWidth(digit * 12);
    auto* g = new QGridLayout(box);
    g->addWidget(caption("自社名", box), 0, 0);
    g->addWidget(txt自社名_, 0, 1, 1, 3);
    g->addWidget(caption("郵便番号", box), 1, 0);
    g->addWidget(txt自社郵便番号_, 1, 1);
    g->addWidget(caption("電話番号", box), 1, 2);
    g->addWidget(txt自社電話番号_, 1, 3);
    g->addWidget(caption("住所", box), 2, 0);
    g->addWidget(txt自社住所_, 2, 1, 1, 3);
    g->setColumnStretch(3, 1);
    return box;
}

QWidget* FrmHosyu::buildBackupTab()
{
    auto* page = new QWidget;
    Label5_ = new QLabel(QStringLiteral("データの保存と読込みをします。読込みを行うと現在使用中のデータは上書きされます。"
                                       "注意して使用してください。"),
                        page);
    Label5_->setWordWrap(true);
    cmbFDD_ = new ComboBox(page);
    // Drive letters on Windows; elsewhere the removable media mounted now,
    // and any folder can be typed or chosen as the drive.
    cmbFDD_->addItems(fddDriveList());
#ifndef Q_OS_WIN
    cmbFDD_->setEditable(true);
#endif
    cmbFDD_->setMinimumWidth(page->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    Command7_ = button("実行", page);
    Command9_ = button("実行", page);
    Command8_ = button("実行", page);
    Command11_ = button("実行", page);
    cmdCSV読込_ = button("実行", page);
    FddMsg_ = new QLabel(page);
    CmdHint2_ = button("ヒント", page);

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
    v->addWidget(Label5_);
    auto* drive = new QHBoxLayout;
    drive->addWidget(new QLabel(QStringLiteral("フロッピーディスクドライブ"), page));
    drive->addWidget(cmbFDD_);
    drive->addStretch();
    v->addLayout(drive);
    v->addWidget(group("保存", "フロッピーディスクにデータをコピーする", Command7_,
                       "ハードディスク、リムーバブルディスクにコピーする", Command9_));
    auto* readGroup = group("読込む", "フロッピーディスクからデータを読み込む", Command8_,
                            "ハードディスク、リムーバブルディスクから読み込む", Command11_);
    // Customers kept in a spreadsheet, added to the data in use rather than replacing it.
    auto* readGrid = static_cast<QGridLayout*>(readGroup->layout());
    readGrid->addWidget(new QLabel(QStringLiteral("CSVファイルから読み込む"), readGroup), 2, 0);
    readGrid->addWidget(cmdCSV読込_, 2, 1);
    v->addWidget(readGroup);
    pnl自動保存_ = new DailyCopyPanel(page);
    v->addWidget(pnl自動保存_);
    v->addWidget(FddMsg_);
    v->addStretch();
    auto* corner = new QHBoxLayout;
    corner->addStretch();
    corner->addWidget(CmdHint2_);
    v->addLayout(corner);
    return page;
}

QWidget* FrmHosyu::buildDeletionTab()
{
    auto* page = new QWidget;
    Command1_ = button("実行", page);
    Command6_ = button("実行", page);
    Command5_ = button("実行", page);
    auto* g = new QGridLayout(page);
    const char* const texts[] = {"すべてのデータを削除し初期状態に戻す", "すべての顧客情報を削除する",
                                 "コード表を削除する"};
    QPushButton* const buttons[] = {Command1_, Command6_, Command5_};
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
    Label26_ = new QLabel(QStringLiteral("ＶＴシリーズの他のアプリからデータを読み込みする"), page);
    cmbアプリ名_ = new ComboBox(page);
    cmbアプリ名_->setMinimumWidth(page->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    txtSrcPath_ = new TextBox(page);
    Command17_ = pictureButton(page);
    Command16_ = button("実行", page);

    Cnコンバート_ = new QFrame(page);
    Cnコンバート_->setFrameShape(QFrame::Panel);
    Cnコンバート_->setFrameShadow(QFrame::Raised);
    Label29_ = new QLabel(QStringLiteral("データコンバート"), Cnコンバート_);
    Lblコンバート_ = new QLabel(Cnコンバート_);
    lblコンバート2_ = new QLabel(Cnコンバート_);
    auto* panel = new QVBoxLayout(Cnコンバート_);
    panel->addWidget(Label29_);
    panel->addWidget(Lblコンバート_);
    panel->addWidget(lblコンバート2_);
    Cnコンバート_->hide();

    auto* g = new QGridLayout(page);
    g->addWidget(Label26_, 0, 0, 1, 4);
    g->addWidget(caption("読み込むアプリ名", page), 1, 0);
    g->addWidget(cmbアプリ名_, 1, 1, Qt::AlignLeft);
    g->addWidget(caption("相手データのバス", page), 2, 0);
    g->addWidget(txtSrcPath_, 2, 1, 1, 2);
    g->addWidget(Command17_, 2, 3);
    g->addWidget(Command16_, 3, 3);
    g->addWidget(Cnコンバート_, 4, 0, 1, 4);
    g->setColumnStretch(2, 1);
    g->setRowStretch(5, 1);
    return page;
}

QWidget* FrmHosyu::buildCommandRow()
{
    auto* row = new QWidget(this);
    auto* v = new QVBoxLayout(row);
    v->setContentsMargins(0, 0, 0, 0);
    Label37_ = new QLabel(QStringLiteral("   F1        F2        F5        F9       ESC"), row);
    v->addWidget(Label37_);
    cmd戻る_ = button("戻る", row);
    cmdメニュー_ = button("メイン", row);
    cmd登録_ = button("登録", row);
    cmdクリア_ = button("クリア", row);
    cmd閉じる_ = button("閉じる", row);
    // Each button sits under its key in Label37.
    auto* h = new QHBoxLayout;
    for (QPushButton* b : {cmd戻る_, cmdメニュー_, cmd登録_, cmdクリア_, cmd閉じる_}) {
        b->setFixedWidth(Label37_->fontMetrics().horizontalAdvance(QStringLiteral("  F5        ")));
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
        {SSTab_, "SSTab", "保守"},
        {txtDataPath_, "txtDataPath", "データパス"},
        {Command2_, "Command2", "データファイルを指定する"},
        {txtYubinPath_, "txtYubinPath", "郵便番号辞書パス"},
        {Command3_, "Command3", "郵便番号辞書を指定する"},
        {chkYubinEria_, "chkYubinEria", "郵便番号辞書エリア"},
        {txtYubinEriaName_, "txtYubinEriaName", "エリア名"},
        {Chk敬称_, "Chk敬称", "敬称の自動登録"},
        {Chk区分1_, "Chk区分1", "区分1の自動登録"},
        {Chk区分2_, "Chk区分2", "区分2の自動登録"},
        {Chk続柄_, "Chk続柄", "続柄の自動登録"},
        {cmb年号_, "cmb年号", "年号"},
        {cmb性別_, "cmb性別", "性別"},
        {cmbクイック_, "cmbクイック", "クイック"},
        {txt自社名_, "txt自社名", "自社名"},
        {txt自社郵便番号_, "txt自社郵便番号", "自社の郵便番号"},
        {txt自社住所_, "txt自社住所", "自社の住所"},
        {txt自社電話番号_, "txt自社電話番号", "自社の電話番号"},
        {cmdHint1_, "cmdHint1", "ヒント"},
        {Image1_, "Image1", "ロゴ"},
        {Label5_, "Label5", "データ保守の説明"},
        {cmbFDD_, "cmbFDD", "フロッピーディスクドライブ"},
        {Command7_, "Command7", "フロッピーディスクにデータをコピーする"},
        {Command9_, "Command9", "ハードディスク、リムーバブルディスクにコピーする"},
        {Command8_, "Command8", "フロッピーディスクからデータを読み込む"},
        {Command11_, "Command11", "ハードディスク、リムーバブルディスクから読み込む"},
        {cmdCSV読込_, "cmdCSV読込", "CSVファイルから読み込む"},
        {CmdHint2_, "CmdHint2", "ヒント"},
        {Command1_, "Command1", "すべてのデータを削除し初期状態に戻す"},
        {Command6_, "Command6", "すべての顧客情報を削除する"},
        {Command5_, "Command5", "コード表を削除する"},
        {Label26_, "Label26", "データコンバータの説明"},
        {cmbアプリ名_, "cmbアプリ名", "読み込むアプリ名"},
        {txtSrcPath_, "txtSrcPath", "相手データのパス"},
        {Command17_, "Command17", "相手データのフォルダを指定する"},
        {Command16_, "Command16", "データコンバート実行"},
        {Cnコンバート_, "Cnコンバート", "データコンバート"},
        {Label29_, "Label29", "データコンバート"},
        {Label37_, "Label37", "ファンクションキー"},
        {cmd登録_, "cmd登録", "登録"},
        {cmd閉じる_, "cmd閉じる", "閉じる"},
        {cmdクリア_, "cmdクリア", "クリア"},
        {cmdメニュー_, "cmdメニュー", "メイン"},
        {cmd戻る_, "cmd戻る", "戻る"},
    };
    for (const Named& n : all)
        nameControl(n.w, QString::fromUtf8(n.name), QString::fromUtf8(n.caption));
    nameValueLabel(FddMsg_, "FddMsg");
    nameValueLabel(Lblコンバート_, "Lblコンバート");
    nameValueLabel(lblコンバート2_, "lblコンバート2");
    for (QPushButton* b : {Command2_, Command3_, Command17_})
        b->setToolTip(b->accessibleName());
}

} // namespace rov2
