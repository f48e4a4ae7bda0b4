// rov2-screenshot DIR: renders each screen, filled with a sample customer, to
// PNG files in DIR, for looking at the screens without a display.
#include "ComboBox.h"
#include "FontSubstitutes.h"
#include "FrmROV2.h"
#include "ProgramEnv.h"
#include "SampleData.h"
#include "SuppliedFiles.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool save(QWidget& w, const QString& path)
{
    QApplication::processEvents();
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: rov2-screenshot DIR\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    rov2::installFontSubstitutions();
    QApplication::setFont(QFont(QString::fromUtf8(rov2::kScreenFont), 10));

    QTemporaryDir dir;
    rov2::Locations& l = rov2::env().locations;
    l.dataFolder = dir.path() + QLatin1Char('/');
    l.dataFile = l.defaultDataFile = l.dataFolder + QStringLiteral("Rov2Data.mdb");
    l.workFile = l.dataFolder + QStringLiteral("Rov2Work.mdb");
    l.postalFile = l.dataFolder + QStringLiteral("yubin.mdb");
    if (!rov2::writeSampleDataFile(l.dataFile, 200) || !rov2::createSuppliedWorkFile(l.workFile))
        return 1;

    rov2::FrmROV2 main;
    main.Form_Load();
    main.show();
    main.Read顧客情報(QStringLiteral("前田　美咲"));
    bool ok = save(main, out + QStringLiteral("/FrmROV2-個人情報.png"));
    main.Tab顧客情報()->setCurrentIndex(1);
    ok = save(main, out + QStringLiteral("/FrmROV2-家族情報.png")) && ok;
    return ok ? 0 : 1;
}
