#include "RestoreImport.h"

#include "ConvertImport.h"
#include "TableSource.h"

#include <QDir>
#include <QFile>
#include <QtDebug>

#include <algorithm>

namespace rov2 {

ReadBackFile prepareReadBack(const QString& staged, const QString& stagingFolder, Dialogs& dialogs)
{
    ReadBackFile out;
    if (sniffSourceKind(staged) != SourceKind::Jet) {
        out.state = ReadBackFile::State::Ready;
        out.path = staged;
        return out;
    }
    const QString imported = QDir(stagingFolder).filePath(QStringLiteral("imported.mdb"));
    QFile::remove(imported);
    ImportReport report;
    switch (offerWindowsImport(staged, imported, dialogs, &report)) {
    case ImportOffer::Declined:
        out.state = ReadBackFile::State::Declined;
        return out;
    case ImportOffer::NotJet: // told apart above; kept for the compiler
    case ImportOffer::Failed:
        out.state = ReadBackFile::State::Refused; // offerWindowsImport has told the user
        return out;
    case ImportOffer::Built:
        break;
    }
    // A Jet file of another program (or an empty one) would give a data file
    // holding only the supplied defaults: taking it "over" would wipe the
    // shop's customers while reporting success. Every version of the Windows
    // program has the customer table; the others may come from older layouts.
    const bool customers = std::any_of(report.tables.begin(), report.tables.end(), [](const ImportedTable& t) {
        return t.found && t.table == QStringLiteral("顧客マスタ");
    });
    if (!customers) {
        qWarning().noquote() << "import: none of our tables in" << staged;
        QFile::remove(imported);
        out.state = ReadBackFile::State::Refused;
        out.reason = QStringLiteral("このファイルには VAVⅡaruv のデータがありません。");
        return out;
    }
    out.state = ReadBackFile::State::Ready;
    out.path = imported;
    out.importLines = importReportLines(report);
    return out;
}

QString importNotice(const QStringList& importLines)
{
    return QStringLiteral("Windows版のデータを取り込みました。\n") + importLines.join(u'\n');
}

} // namespace rov2
