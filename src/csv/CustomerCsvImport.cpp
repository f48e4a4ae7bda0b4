#include "CustomerCsvImport.h"

#include "CsvFieldNames.h"
#include "CsvRowFields.h"
#include "Database.h"

#include <QtDebug>
#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Statement.h>
#include <algorithm>
#include <memory>

namespace rov2 {
namespace {

const QString kName = QStringLiteral("名称");
const QString kSex = QStringLiteral("性別");
const QString kQuick = QStringLiteral("クイック");

/// The prepared statements of one import, made once: 100,000 rows would
/// otherwise spend most of their time compiling SQL.
class Writer
{
public:
    explicit Writer(Database& db) : db_(db)
    {
        QStringList marks;
        QStringList cols;
        for (const QString& f : importableFields()) {
            cols << QLatin1Char('"') + f + QLatin1Char('"');
            marks << QStringLiteral("?");
        }
        find_ = std::make_unique<SQLite::Statement>(
            db.native(), "SELECT rowid FROM 顧客マスタ WHERE 名称 = ? ORDER BY rowid LIMIT 1");
        insert_ = std::make_unique<SQLite::Statement>(
            db.native(), (QStringLiteral("INSERT INTO 顧客マスタ (") + cols.join(QLatin1Char(',')) +
                          QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'))
                             .toStdString());
    }

    /// The rowid of the first customer with that name, or -1.
    qint64 find(const QString& name)
    {
        find_->reset();
        bindAll(*find_, {name});
        const qint64 id = find_->executeStep() ? find_->getColumn(0).getInt64() : -1;
        find_->reset();
        return id;
    }

    void insert(const QVariantMap& fields)
    {
        QVariantList values;
        for (const QString& f : importableFields())
            values << fields.value(f);
        insert_->reset();
        insert_->clearBindings();
        bindAll(*insert_, values);
        insert_->exec();
    }

    void update(qint64 rowid, const QVariantMap& fields)
    {
        QStringList sets;
        QVariantList values;
        for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
            sets << QLatin1Char('"') + it.key() + QStringLiteral("\" = ?");
            values << it.value();
        }
        values << rowid;
        SQLite::Statement s(db_.native(), (QStringLiteral("UPDATE 顧客マスタ SET ") +
                                           sets.join(QLatin1Char(',')) + QStringLiteral(" WHERE rowid = ?"))
                                              .toStdString());
        bindAll(s, values);
        s.exec();
    }

private:
    Database& db_;
    std::unique_ptr<SQLite::Statement> find_;
    std::unique_ptr<SQLite::Statement> insert_;
};

/// Imports the rows; throws on a failing statement.
CsvImportReport::Status importRows(Database& db, const CsvTable& table, const CsvImportOptions& options,
                                   const ImportProgress& progress, CsvImportReport* report)
{
    Writer writer(db);
    const std::size_t first = options.firstRowIsHeading ? 1 : 0;
    const qsizetype total = static_cast<qsizetype>(table.rows.size() - std::min(first, table.rows.size()));
    for (std::size_t i = first; i < table.rows.size(); ++i) {
        const qsizetype done = static_cast<qsizetype>(i - first);
        if (progress && done % 200 == 0 && !progress(done, total))
            return CsvImportReport::Status::Cancelled;
        const QStringList& cells = table.rows[i];
        if (allCellsEmpty(cells))
            continue;
        QString reason = first > 0 ? widerThanHeading(cells, table.rows.front()) : QString();
        auto fields = reason.isEmpty() ? customerFromRow(cells, options, &reason) : std::nullopt;
        if (!fields) {
            const auto nameColumn = std::find(options.mapping.begin(), options.mapping.end(), kName);
            const auto col = static_cast<qsizetype>(nameColumn - options.mapping.begin());
            report->refused.push_back(
                {static_cast<int>(i) + 1, importedCell(kName, cells.value(col)), reason});
            continue;
        }
        const qint64 existing = writer.find(fields->value(kName).toString());
        if (existing < 0) {
            if (!fields->contains(kQuick))
                fields->insert(kQuick, QStringLiteral("しない"));
            if (!fields->contains(kSex) && !options.defaultSex.isEmpty())
                fields->insert(kSex, options.defaultSex);
            writer.insert(*fields);
            ++report->added;
        } else if (options.existing == ExistingCustomer::Overwrite) {
            writer.update(existing, *fields);
            ++report->overwritten;
        } else {
            ++report->skipped;
        }
    }
    if (progress && !progress(total, total))
        return CsvImportReport::Status::Cancelled;
    return CsvImportReport::Status::Done;
}

} // namespace

std::optional<QVariantMap> customerFromRow(const QStringList& cells, const CsvImportOptions& options,
                                           QString* reason)
{
    const std::vector<QString>& mapping = options.mapping;
    const auto nameColumn = std::find(mapping.begin(), mapping.end(), kName);
    const QString name =
        importedCell(kName, cells.value(static_cast<qsizetype>(nameColumn - mapping.begin())));
    if (nameColumn == mapping.end() || name.trimmed().isEmpty()) {
        *reason = QStringLiteral("名称がありません");
        return std::nullopt;
    }
    if (name.toUcs4().size() > kMaxNameLength) {
        *reason = QStringLiteral("名称が%1文字を超えています").arg(kMaxNameLength);
        return std::nullopt;
    }
    return fieldsOfRow(cells, mapping, options.defaultSex, reason);
}

CsvImportReport importInOneTransaction(const QString& dataFile, const RowImporter& importRows)
{
    CsvImportReport report;
    auto db = Database::open(dataFile);
    if (!db)
        return report;
    Transaction tx(*db);
    if (!tx.active())
        return report;
    try {
        report.status = importRows(*db, &report);
    } catch (const std::exception& e) {
        db->fail(QStringLiteral("CSV import"), QString::fromUtf8(e.what()));
        report.status = CsvImportReport::Status::Failed;
    }
    if (report.status == CsvImportReport::Status::Done && !tx.commit())
        report.status = CsvImportReport::Status::Failed;
    if (report.status != CsvImportReport::Status::Done) {
        // Rolled back: nothing of it is in the file.
        report.added = report.overwritten = report.skipped = 0;
    }
    return report;
}

CsvImportReport importCustomers(const QString& dataFile, const CsvTable& table,
                                const CsvImportOptions& options, const ImportProgress& progress)
{
    if (!table.rows.empty() && isFamilyHeading(table.rows.front())) {
        qWarning("CSV import: a family file is not read as customers");
        return {};
    }
    return importInOneTransaction(dataFile, [&](Database& db, CsvImportReport* report) {
        return importRows(db, table, options, progress, report);
    });
}

} // namespace rov2
