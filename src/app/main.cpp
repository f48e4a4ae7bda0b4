// The program: fixes the data locations, loads the customer screen and runs.
#include "FontSubstitutes.h"
#include "FrmCodeMaster.h"
#include "FrmHint.h"
#include "FrmHosyu.h"
#include "FrmKokyakuList.h"
#include "FrmROV2.h"
#include "HintButton.h"
#include "Messages.h"
#include "QtDialogs.h"
#include "ScreenStack.h"
#include "Startup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace {

void registerScreens()
{
    using namespace rov2;
    registerScreenType<FrmROV2>(kMainScreenName);
    registerScreenType<FrmKokyakuList>(kKokyakuListName);
    registerScreenType<FrmCodeMaster>(QStringLiteral("FrmCodeMaster"));
    registerScreenType<FrmHint>(kHintScreenName);
    registerScreenType<FrmHosyu>(QStringLiteral("FrmHosyu"), [](FrmHosyu& hosyu) {
        // The main screen follows saved settings at once (its date form).
        QObject::connect(&hosyu, &FrmHosyu::settingsSaved, &hosyu, [] {
            if (auto* main = qobject_cast<FrmROV2*>(screenNamed(kMainScreenName)))
                main->FormInit();
        });
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VAVⅡaruv"));
    // An installed program's windows go with its menu entry and icon.
    QApplication::setDesktopFileName(QStringLiteral("jp.example.vavaruv"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("jp.example.vavaruv")));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));

    // Qt's own texts (standard buttons, context menus) in Japanese.
    QTranslator qtJapanese;
    if (qtJapanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    // Every question the program asks goes to the Qt dialogs from here on.
    rov2::QtDialogs qtDialogs;
    const rov2::DialogsScope askTheUser(qtDialogs);
    rov2::installFontSubstitutions();
    QApplication::setFont(QFont(QString::fromUtf8(rov2::kScreenFont), 10));

    const rov2::ProgramStart start = rov2::startProgram(QCoreApplication::applicationDirPath());
    if (start.outcome == rov2::StartOutcome::AlreadyRunning) {
        rov2::ShowMessage(rov2::MsgOp::その他, rov2::MsgKind::メッセージ,
                          QStringLiteral("VAVⅡaruv はすでに起動しています。"));
        return 0;
    }
    if (start.outcome == rov2::StartOutcome::LockUnusable) {
        rov2::ShowMessage(rov2::MsgOp::その他, rov2::MsgKind::メッセージ,
                          rov2::lockUnusableNotice(start.lockFile));
        return 1;
    }

    registerScreens();
    QWidget* main = rov2::screenNamed(rov2::kMainScreenName);
    if (!main)
        return 1;
    main->show();

    // Said once, after the window is up, instead of empty lists in silence.
    QStringList notices;
    if (const auto notice = rov2::startupNotice(rov2::env().locations))
        notices << *notice;
    if (!start.dailyCopyNotice.isEmpty())
        notices << start.dailyCopyNotice;
    rov2::tellAfterShown(main, notices);
    return app.exec();
}
