#include "ConvertImport.h"

#include "ConvertMerge.h"
#include "Database.h"
#include "Dialogs.h"
#include "Layout.h"
#include "Messages.h"
#include "SuppliedFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

namespace rov2 {
namespace {

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

/// Replaces the rows of one table of the new file by the old table's rows.
/// A row that cannot be written is reported and the others go on; a failure
/// of the table itself (the statements, or reading the old table) is returned.
bool importTable(Database& db, TableSource& old, const TableLayout& layout, ImportedTable& out, QString* error)
{
    auto rows = old.openTable(out.table, error);
    if (!rows)
        return false;
    QStringList current;
    QStringList source;
    for (const QString& c : layout.columnNames()) {
        const QString match = matchField(rows->fieldNames(), c);
        if (match.isEmpty()) {
            out.missingFields << c;
            continue;
        }
        current << quoted(c);
        source << match;
    }
    if (!db.execute(QStringLiteral("DELETE FROM ") + quoted(layout.name)))
        return false;
    if (current.isEmpty())
        return true;
    QStringList marks;
    for (qsizetype i = 0; i < current.size(); ++i)
        marks << QStringLiteral("?");
    try {
        SQLite::Statement insert(db.native(), (QStringLiteral("INSERT INTO ") + quoted(layout.name) + QStringLiteral(" (") +
                                               current.join(u',') + QStringLiteral(") VALUES (") + marks.join(u',') +
                                               QLatin1Char(')'))
                                                  .toStdString());
        qint64 number = 0;
        while (rows->next()) {
            ++number;
            QVariantList values;
            for (const QString& f : source)
                values << storedValue(rows->value(f));
            try {
                insert.reset();
                insert.clearBindings();
                bindAll(insert, values);
                insert.exec();
                ++out.rows;
            } catch (const std::exception& e) {
                out.problems << QStringLiteral("%1 行目: %2").arg(number).arg(QString::fromUtf8(e.what()));
            }
        }
        // What could be read of a damaged file is not to be taken as the shop's data.
        if (rows->failed()) {
            if (error)
                *error = rows->error();
            return false;
        }
    } catch (const std::exception& e) {
        if (error)
            *error = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

} // namespace

qint64 ImportReport::problemCount() const
{
    qint64 n = 0;
    for (const auto& t : tables)
        n += t.problems.size();
    return n;
}

ImportReport importDataFile(const QString& oldFile, const QString& newFile, const SourceOptions& options)
{
    ImportReport report;
    if (QFileInfo::exists(newFile)) {
        report.error = QStringLiteral("%1 exists already").arg(newFile);
        return report;
    }
    auto old = openTableSource(oldFile, options, &report.error);
    if (!old)
        return report;
    // Built under a working name and renamed only when whole.
    const QString part = newFile + QStringLiteral(".part");
    QFile::remove(part);
    if (!createSuppliedDataFile(part, &report.error))
        return report;
    bool ok = false;
    {
        auto db = Database::open(part, &report.error);
        if (db) {
            Transaction tx(*db);
            ok = tx.active();
            for (const TableLayout& layout : tablesOf(FileKind::Data)) {
                ImportedTable t;
                t.table = old->findTable(layout.name);
                t.found = !t.table.isEmpty();
                if (t.found && ok)
                    ok = importTable(*db, *old, layout, t, &report.error);
                t.table = layout.name;
                report.tables.push_back(t);
            }
            ok = ok && tx.commit();
            if (!ok && report.error.isEmpty())
                report.error = db->lastError();
        }
    }
    if (!ok || !QFile::rename(part, newFile)) {
        if (ok)
            report.error = QStringLiteral("%1 cannot be written").arg(newFile);
        qWarning().noquote() << "import:" << report.error;
        QFile::remove(part);
        return report;
    }
    report.ok = true;
    return report;
}

QStringList importReportLines(const ImportReport& report)
{
    QStringList lines;
    for (const auto& t : report.tables) {
        if (!t.found) {
            lines << QStringLiteral("%1: ありません").arg(t.table);
            continue;
        }
        lines << QStringLiteral("%1: %2 件").arg(t.table).arg(t.rows);
        for (const QString& p : t.problems)
            lines << QStringLiteral("  %1 %2 (読み込めませんでした)").arg(t.table, p);
    }
    return lines;
}

ImportOffer offerWindowsImport(const QString& chosenFile, const QString& newFile, Dialogs& dialogs,
                               ImportReport* report, const SourceOptions& options)
{
    if (sniffSourceKind(chosenFile) != SourceKind::Jet)
        return ImportOffer::NotJet;
    const DialogsScope scope(dialogs);
    if (!ShowMessage(MsgOp::その他, MsgKind::確認,
                     QStringLiteral("Windows版のデータファイルです。データを取り込みますか")))
        return ImportOffer::Declined;
    ImportReport r = importDataFile(chosenFile, newFile, options);
    const bool ok = r.ok;
    if (!ok)
        ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                    QStringLiteral("データを取り込めませんでした。データは変更されていません。"));
    if (report)
        *report = std::move(r);
    return ok ? ImportOffer::Built : ImportOffer::Failed;
}

} // namespace rov2
