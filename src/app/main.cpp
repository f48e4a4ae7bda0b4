// The program: fixes the data locations, loads the customer screen and runs.
#include "CodeScreens.h"
#include "FontSubstitutes.h"
#include "FrmHosyu.h"
#include "FrmKokyakuList.h"
#include "FrmROV2.h"
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
        rov2::ShowMessage(QStringLiteral("その他"), QStringLiteral("メッセージ"),
                          QStringLiteral("VAVⅡaruv はすでに起動しています。"));
        return 0;
    }
    if (start.outcome == rov2::StartOutcome::LockUnusable) {
        rov2::ShowMessage(QStringLiteral("その他"), QStringLiteral("メッセージ"),
                          rov2::lockUnusableNotice(start.lockFile));
        return 1;
    }

    rov2::FrmROV2 main;
    rov2::registerScreen(rov2::kMainScreenName, [&main] { return &main; });
    // The main screen follows saved settings at once (its date form).
    rov2::FrmHosyu::registerScreen([&main] { main.FormInit(); });
    rov2::registerKokyakuList();
    rov2::registerCodeScreens();
    main.Form_Load();
    main.show();

    // Said once, after the window is up, instead of empty lists in silence.
    QStringList notices;
    if (const auto notice = rov2::startupNotice(rov2::env().locations))
        notices << *notice;
    if (!start.dailyCopyNotice.isEmpty())
        notices << start.dailyCopyNotice;
    rov2::tellAfterShown(&main, notices);
    return app.exec();
}
